#pragma once

// What the whole-program fuzzers share: a check that ends the run. Every
// input starts from a fresh headless machine, whose file system is in
// memory, so no input reads or writes a file on the disk.

#include <cstdlib>

namespace fuzz {

inline void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace fuzz

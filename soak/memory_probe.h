#pragma once

#include <cstddef>

namespace soak {

// Bytes the program holds from the heap right now: small blocks from the
// arenas and large ones mapped on their own (a vector of 32 767 balls is one).
std::size_t heapBytesInUse();

// The resident set now and at its highest so far, in KiB, as the kernel
// counts them; 0 where the system does not say.
std::size_t residentKiB();
std::size_t peakResidentKiB();

}  // namespace soak

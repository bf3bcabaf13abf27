#include "host/runtime.h"

namespace host {

Runtime& runtime() {
    static Runtime current;
    return current;
}

}  // namespace host

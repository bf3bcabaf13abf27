#include "soak/heap_watch.h"

#include <algorithm>

namespace soak {

void HeapWatch::read(std::size_t heapBytes) {
    if (readings_++ == 0) {
        baseline_ = highest_ = heapBytes;
        return;
    }
    highest_ = std::max(highest_, heapBytes);
}

}  // namespace soak

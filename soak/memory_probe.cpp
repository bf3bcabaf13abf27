#include "soak/memory_probe.h"

#include <malloc.h>

#include <fstream>
#include <sstream>
#include <string>

namespace soak {

namespace {

// A "Name:   1234 kB" line of /proc/self/status.
std::size_t statusField(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(name + ":", 0) != 0) continue;
        std::istringstream value(line.substr(name.size() + 1));
        std::size_t kib = 0;
        value >> kib;
        return kib;
    }
    return 0;
}

}  // namespace

std::size_t heapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::size_t residentKiB() { return statusField("VmRSS"); }
std::size_t peakResidentKiB() { return statusField("VmHWM"); }

}  // namespace soak

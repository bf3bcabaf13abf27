#include "display/drift_path.h"

#include <algorithm>

namespace display {

int driftReach(int widthPixels, int heightPixels) {
    return std::max(0, std::min(widthPixels, heightPixels)) * 15 / 1000;
}

// Two diamonds side by side, each as wide as the reach, joined at the
// centre; the path crosses itself there heading the same way, so it never
// turns back on itself.
DriftOffset driftOffsetAt(long long step, int reach) {
    const int half = reach / 2;
    if (half == 0) return {};
    const long long lap = 8LL * half;
    const int along = int(((step % lap) + lap) % lap);
    const int edge = along / half;
    const int into = along % half;
    switch (edge) {
    case 0: return {into, into};
    case 1: return {half + into, half - into};
    case 2: return {2 * half - into, -into};
    case 3: return {half - into, -half + into};
    case 4: return {-into, into};
    case 5: return {-half - into, half - into};
    case 6: return {-2 * half + into, -into};
    default: return {-half + into, -half + into};
    }
}

}  // namespace display

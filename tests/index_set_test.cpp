#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "host/index_set.h"

namespace {

// The plain linear probes the set must agree with (memchr and memrchr, so
// the probes stay quick in unoptimised sanitizer builds too).
int lowestFreeByProbe(const std::vector<char>& loaded) {
    const void* free = std::memchr(loaded.data(), 0, loaded.size());
    return free ? int(static_cast<const char*>(free) - loaded.data()) : -1;
}

int highestByProbe(const std::vector<char>& loaded) {
    const void* last = ::memrchr(loaded.data(), 1, loaded.size());
    return last ? int(static_cast<const char*>(last) - loaded.data()) : -1;
}

class IndexSetTest : public ::testing::Test {
protected:
    void insert(int index) {
        set.insert(index);
        referenceSize += reference[index] ? 0 : 1;
        reference[index] = 1;
    }
    void erase(int index) {
        set.erase(index);
        referenceSize -= reference[index] ? 1 : 0;
        reference[index] = 0;
    }
    void expectSameAsProbe(int step) {
        ASSERT_EQ(set.lowestFree(), lowestFreeByProbe(reference)) << "step " << step;
        ASSERT_EQ(set.highest(), highestByProbe(reference)) << "step " << step;
        ASSERT_EQ(set.size(), referenceSize) << "step " << step;
    }

    host::IndexSet set;
    std::vector<char> reference = std::vector<char>(host::IndexSet::capacity, 0);
    int referenceSize = 0;
    std::mt19937 random{20261207};
};

// Occupancy sweeps from empty to full and back several times, so every
// summary word is crossed while filling and emptying.
TEST_F(IndexSetTest, AgreesWithALinearProbeOverALongRandomRun) {
    std::uniform_int_distribution<int> anyIndex(0, host::IndexSet::capacity - 1);
    std::uniform_real_distribution<double> coin(0, 1);
    int step = 0;
    for (double insertShare : {0.97, 0.9, 0.03, 0.1, 0.6, 0.4}) {
        for (int i = 0; i < 20000; ++i, ++step) {
            if (coin(random) < insertShare) {
                // Mostly the way the spiral loads: at the lowest free index.
                const int free = set.lowestFree();
                insert(coin(random) < 0.7 && free >= 0 ? free : anyIndex(random));
            } else {
                erase(anyIndex(random));
            }
            const int probe = anyIndex(random);
            ASSERT_EQ(set.contains(probe), reference[probe] != 0) << "step " << step;
            ASSERT_NO_FATAL_FAILURE(expectSameAsProbe(step));
        }
    }
}

TEST_F(IndexSetTest, ReportsFullAndEmpty) {
    expectSameAsProbe(0);
    for (int i = 0; i < host::IndexSet::capacity; ++i) insert(i);
    EXPECT_EQ(set.lowestFree(), -1);
    EXPECT_EQ(set.highest(), host::IndexSet::capacity - 1);
    erase(32767);
    EXPECT_EQ(set.lowestFree(), 32767);
    erase(64);
    EXPECT_EQ(set.lowestFree(), 64);
    for (int i = 0; i < host::IndexSet::capacity; ++i) erase(i);
    EXPECT_EQ(set.lowestFree(), 0);
    EXPECT_EQ(set.highest(), -1);
    EXPECT_EQ(set.size(), 0);
}

}  // namespace

#include "DepthOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

// Farthest first across signs and magnitudes, and equal depths in the order they came:
// the same as a stable sort by depth, on enough depths that every digit of the key varies.
TEST(DepthOrder, PutsFarthestFirstAndKeepsEqualDepthsInTheirOrder)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<float> depth(-3000.0f, 3000.0f);
    std::vector<std::pair<float, uint32_t>> added;
    for (uint32_t i = 0; i < 5000; ++i) {
        const float d = i % 7 == 0 && i > 0 ? added[i / 2].first : i % 11 == 0 ? 0.5f * float(i % 3) : depth(random);
        added.emplace_back(d, i);
    }
    added.emplace_back(-0.25f, 5000);
    added.emplace_back(1e-30f, 5001);
    DepthOrder order;
    for (int round = 0; round < 2; ++round) {  // reused as every frame reuses it
        order.Clear();
        for (const auto& [d, value] : added)
            order.Add(d, value);
        std::vector<std::pair<float, uint32_t>> expected = added;
        std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        const auto& sorted = order.Sorted();
        ASSERT_EQ(sorted.size(), expected.size());
        for (size_t i = 0; i < sorted.size(); ++i)
            ASSERT_EQ(sorted[i].Value, expected[i].second) << "place " << i;
    }
}

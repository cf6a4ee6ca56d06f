#include "DepthOrder.h"

#include <array>
#include <cstring>

namespace {

constexpr int DigitBits = 11;
constexpr int Passes = 3;  // 33 bits cover the 32 of a key
constexpr uint32_t Buckets = 1u << DigitBits;

}  // namespace

uint32_t DepthOrder::KeyOf(float depth)
{
    // IEEE floats order as integers once the negatives' bits are flipped and the sign bit
    // is set on the rest; inverted, farther comes first.
    uint32_t bits = 0;
    std::memcpy(&bits, &depth, sizeof bits);
    const uint32_t ascending = (bits & 0x80000000u) ? ~bits : (bits | 0x80000000u);
    return ~ascending;
}

const std::vector<DepthOrder::Entry>& DepthOrder::Sorted()
{
    std::array<std::array<uint32_t, Buckets>, Passes> counts{};
    for (const Entry& e : entries_)
        for (int p = 0; p < Passes; ++p)
            ++counts[size_t(p)][(e.Key >> (p * DigitBits)) & (Buckets - 1)];
    scratch_.resize(entries_.size());
    for (int p = 0; p < Passes; ++p) {
        auto& count = counts[size_t(p)];
        const uint32_t first = (entries_.empty() ? 0 : entries_[0].Key >> (p * DigitBits)) & (Buckets - 1);
        if (count[first] == entries_.size())
            continue;  // every key has the same digit here: the order stands
        uint32_t start = 0;
        for (uint32_t& c : count) {
            const uint32_t n = c;
            c = start;
            start += n;
        }
        // Stable: equal digits keep their order, which makes the whole sort stable.
        for (const Entry& e : entries_)
            scratch_[count[(e.Key >> (p * DigitBits)) & (Buckets - 1)]++] = e;
        entries_.swap(scratch_);
    }
    return entries_;
}

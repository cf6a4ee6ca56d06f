#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Translucent triangles put farthest first by their view depth for blending; triangles
// of equal depth keep the order they were added in, so the order is the same whatever
// else was added. A radix sort on the depth's bits: a frame holds thousands of them.
class DepthOrder {
public:
    struct Entry {
        uint32_t Key;    // the depth's bits, farther smaller
        uint32_t Value;  // what the caller added with it
    };

    void Clear() { entries_.clear(); }
    void Add(float depth, uint32_t value) { entries_.push_back({KeyOf(depth), value}); }
    size_t Size() const { return entries_.size(); }
    // Everything added since Clear, farthest first.
    const std::vector<Entry>& Sorted();

private:
    static uint32_t KeyOf(float depth);

    std::vector<Entry> entries_, scratch_;
};

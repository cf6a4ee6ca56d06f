#pragma once

#include <cstdint>
#include <random>

// The show's one random generator. Every draw goes through Rnd(), in the order the
// flight model and the drawing make them, so a seeded run repeats exactly.
class RandomSource {
public:
    explicit RandomSource(uint64_t seed = 1) : engine_(seed) {}

    void Seed(uint64_t seed) { engine_.seed(seed); }

    // Uniform in [0, 1), 53 random bits.
    double Rnd() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine_;
};

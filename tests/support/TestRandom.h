// The seeded generator of the property tests: numbers within bounds, chances and picks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <random>

class TestRandom {
public:
    static constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    static constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

    explicit TestRandom(uint32_t seed) : engine(seed) {}

    int32_t Between(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(engine);
    }
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(engine); }
    bool Chance(size_t oneIn) { return Below(oneIn) == 0; }
    template <typename T, size_t N>
    T Pick(const T (&values)[N]) {
        return values[Below(N)];
    }
    std::mt19937 engine;
};

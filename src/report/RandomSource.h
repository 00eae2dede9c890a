#pragma once

#include <cstdint>
#include <random>

namespace pq {

// Uniform single-precision values in [0, 1); the report generator reseeds it before every report.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    virtual void reseedFromClock() = 0;
    // Never returns 1.0.
    [[nodiscard]] virtual float next() = 0;
};

// The source the program uses: a Mersenne Twister seeded from the wall clock in nanoseconds.
class ClockSeededRandom final : public RandomSource
{
public:
    void reseedFromClock() override;
    [[nodiscard]] float next() override;

private:
    std::mt19937 m_engine;
    std::uint32_t m_reseedCount = 0;
};

} // namespace pq

#include "report/RandomSource.h"

#include <chrono>

namespace pq {

void ClockSeededRandom::reseedFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto nanoseconds =
        static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    // The count of reseeds keeps two reseeds within one clock tick (coarse clocks exist) apart.
    std::seed_seq seed{static_cast<std::uint32_t>(nanoseconds),
                       static_cast<std::uint32_t>(nanoseconds >> 32U), ++m_reseedCount};
    m_engine.seed(seed);
}

float ClockSeededRandom::next()
{
    // 24 random bits fill a float's significand exactly: k / 2^24 for k < 2^24 is below 1.0 without any
    // rounding, unlike std::generate_canonical<float>, which can round up to 1.0.
    constexpr float Scale = 0x1p-24F;
    return static_cast<float>(m_engine() >> 8U) * Scale;
}

} // namespace pq

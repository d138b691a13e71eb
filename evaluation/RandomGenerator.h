#ifndef KNOTELBENCH_RANDOMGENERATOR_H
#define KNOTELBENCH_RANDOMGENERATOR_H

#include <cstdint>
#include <random>

namespace knotelbench {

/**
 * Uniform single-precision numbers in [0, 1), the same sequence in every run: a Mersenne Twister
 * (std::mt19937, whose output the C++ standard fixes) left at its default seed.
 */
class RandomGenerator {
public:
    /** The next number of the sequence. */
    float next();

    /**
     * The top 24 bits of @p bits times 2^-24: every result is exact in single precision and the
     * largest is 1 - 2^-24, so the value can never round up to 1.
     */
    static float unitFromBits(std::uint32_t bits);

private:
    std::mt19937 m_engine;
};

} // namespace knotelbench

#endif

#include "RandomGenerator.h"

namespace knotelbench {

float RandomGenerator::next()
{
    return unitFromBits(static_cast<std::uint32_t>(m_engine()));
}

float RandomGenerator::unitFromBits(std::uint32_t bits)
{
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}

} // namespace knotelbench

#pragma once
#include <cstdint>

namespace quillon {

// Source of uniform single-precision numbers in [0, 1).
class IRandom {
  public:
    virtual ~IRandom() = default;
    virtual float Rnd() = 0;
};

// R(n) = floor(u * n): always within 0..n-1 for n >= 1 (0 for n <= 0).
int32_t GetRandom(IRandom& random, int32_t n);

// The program's one generator, seeded once at start-up: a 24-bit linear congruential generator,
// so every value is an exact single-precision number below 1.
class Random final : public IRandom {
  public:
    explicit Random(uint32_t seed);
    static Random FromClock();
    float Rnd() override;

  private:
    uint32_t m_lState;
};

}  // namespace quillon

#include "shell/random.h"

#include <chrono>

namespace quillon {

namespace {
constexpr uint32_t kModulusMask = 0xFFFFFFu;  // 2^24 - 1
constexpr float kScale = 1.0f / 16777216.0f;  // 2^-24, exact
}  // namespace

int32_t GetRandom(IRandom& random, int32_t n) {
    if (n <= 0) return 0;
    // Double precision keeps u * n below n for every u < 1 up to n = 2^31 - 1; the clamp guards
    // a source that hands out 1.0 by mistake.
    const auto r = static_cast<int64_t>(static_cast<double>(random.Rnd()) * n);
    if (r < 0) return 0;
    return r >= n ? n - 1 : static_cast<int32_t>(r);
}

Random::Random(uint32_t seed) : m_lState(seed & kModulusMask) {}

Random Random::FromClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks =
        static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
    return Random(static_cast<uint32_t>(ticks ^ (ticks >> 24) ^ (ticks >> 48)));
}

float Random::Rnd() {
    m_lState = (m_lState * 1140671485u + 12820163u) & kModulusMask;
    return static_cast<float>(m_lState) * kScale;
}

}  // namespace quillon

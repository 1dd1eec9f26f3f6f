#pragma once
#include <cstdint>

namespace quillon {

// The computer's knowledge of one unmatched card.
struct clsCard {
    int32_t lId = 0;
    int32_t lTimesSeen = 0;  // 0 = not known
    int32_t lLastSeen = 0;   // reveal clock at the latest reveal
    int32_t lX = 0;
    int32_t lY = 0;
};

}  // namespace quillon

#include "engine/canvas.h"

#include <algorithm>

namespace quillon {

namespace {

// Clips [lStart, lStart + lLength) to [0, lLimit) and moves lOther, the matching coordinate on
// the other surface, by what was cut at the start.
void Clip(int64_t& lStart, int64_t& lOther, int64_t& lLength, int64_t lLimit) {
    if (lStart < 0) {
        lOther -= lStart;
        lLength += lStart;
        lStart = 0;
    }
    lLength = std::min(lLength, lLimit - lStart);
}

}  // namespace

BlitArea ClipBlit(int lX, int lY, int lW, int lH, int lSrcX, int lSrcY, int lDstWidth,
                  int lDstHeight, const ICanvas* pSource) {
    BlitArea a{lX, lY, lW, lH, lSrcX, lSrcY};
    if (pSource) {
        // Source first, then destination: each cut moves the other side's start along.
        Clip(a.sx, a.x, a.w, pSource->Width());
        Clip(a.sy, a.y, a.h, pSource->Height());
    }
    Clip(a.x, a.sx, a.w, lDstWidth);
    Clip(a.y, a.sy, a.h, lDstHeight);
    return a;
}

}  // namespace quillon

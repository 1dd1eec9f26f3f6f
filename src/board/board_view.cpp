#include "board/board_view.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "engine/card_layout.h"
#include "shell/settings.h"

namespace quillon {

int32_t NearestBoardScale(int32_t lDpi) {
    // Compared in hundredths of the 96-dpi scale, so that no rounding decides a tie.
    const int64_t screen = int64_t{lDpi} * 100;
    int32_t best = kBoardScales.front();
    for (const int32_t step : kBoardScales) {
        const int64_t distance = std::llabs(int64_t{step} * kScreenDpiAt100 - screen);
        const int64_t bestDistance = std::llabs(int64_t{best} * kScreenDpiAt100 - screen);
        if (distance < bestDistance) best = step;
    }
    return best;
}

int32_t BoardScaleFor(int32_t lStored, int32_t lDpi) {
    for (const int32_t step : kBoardScales)
        if (step == lStored) return step;
    return NearestBoardScale(lDpi);
}

int32_t StoredBoardScale(const IRegistryStore& store) {
    const RegValue none = int32_t{0};
    RegValue value;
    RegRead(store, RegRoot::CurrentUser, kOptionsKey, kBoardSizeValue, value, &none);
    const auto* lScale = std::get_if<int32_t>(&value);
    return lScale ? *lScale : 0;
}

void SaveBoardScale(IRegistryStore& store, int32_t lScale) {
    RegWrite(store, RegRoot::CurrentUser, kOptionsKey, kBoardSizeValue, lScale, RegType::Number);
}

int32_t FittingBoardScale(int32_t lScale, int32_t lFrameW, int32_t lFrameH, int32_t lWorkW,
                          int32_t lWorkH) {
    int32_t fitting = kBoardScales.front();
    for (const int32_t step : kBoardScales) {
        if (step > lScale) break;
        const int32_t width = ScaleToWindow(kColumns * kCardWidth, step) + lFrameW;
        const int32_t height = ScaleToWindow(kRows * kCardHeight, step) + lFrameH;
        if (width <= lWorkW && height <= lWorkH) fitting = step;
    }
    return fitting;
}

int32_t ScaleToSurface(int32_t lWindow, int32_t lScale) {
    // Floor, also left of the board, so that a pixel just outside never maps onto card 0.
    const int64_t scaled = int64_t{lWindow} * 100;
    return static_cast<int32_t>(scaled >= 0 ? scaled / lScale : -((-scaled + lScale - 1) / lScale));
}

int32_t ScaleToWindow(int32_t lSurface, int32_t lScale) {
    return static_cast<int32_t>((int64_t{lSurface} * lScale + 99) / 100);
}

SurfaceSpan StretchSpan(int32_t lWindowFrom, int32_t lWindowTo, int32_t lSurfaceSize,
                        int32_t lScale, int32_t lMargin) {
    // Surface and window edges meet every `period` surface pixels (2 at 150 %).
    const int32_t period = 100 / std::gcd(lScale, 100);
    const int32_t from = ScaleToSurface(lWindowFrom, lScale) - lMargin;
    const int32_t to = ScaleToSurface(lWindowTo - 1, lScale) + 1 + lMargin;
    const auto down = [period](int32_t v) { return v >= 0 ? v / period * period : 0; };
    return {std::clamp(down(from), 0, lSurfaceSize),
            std::clamp(down(to + period - 1), 0, lSurfaceSize)};
}

bool CardCell::OnBoard() const { return lX >= 0 && lX < kColumns && lY >= 0 && lY < kRows; }

CardCell MoveMark(CardCell from, MarkMove move) {
    if (!from.OnBoard()) return {0, 0};
    switch (move) {
        case MarkMove::Left:
        case MarkMove::Right: {
            const int32_t step = move == MarkMove::Right ? 1 : kCards - 1;
            const int32_t index = (from.lY * kColumns + from.lX + step) % kCards;
            return {index % kColumns, index / kColumns};
        }
        case MarkMove::Up:
            return {from.lX, (from.lY + kRows - 1) % kRows};
        case MarkMove::Down:
            return {from.lX, (from.lY + 1) % kRows};
    }
    return from;
}

}  // namespace quillon

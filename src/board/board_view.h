#pragma once
// How the board is looked at and moved over: its size steps, the mapping between the window's
// pixels and the drawing surface's, and the keyboard's mark. The cards are always drawn at their
// own size on one surface; a step only stretches that surface onto the window.

#include <array>
#include <cstdint>
#include <string_view>

#include "shell/registry_store.h"

namespace quillon {

// Percentages of the surface's own size; the board is never shown smaller than its pictures.
inline constexpr std::array<int32_t, 3> kBoardScales{100, 150, 200};
inline constexpr int32_t kScreenDpiAt100 = 96;

// The step nearest the screen's scale (its logical pixels per inch); a tie goes to the smaller.
int32_t NearestBoardScale(int32_t lDpi);
// The step the player chose, or the screen's when none (or something unknown) was stored.
int32_t BoardScaleFor(int32_t lStored, int32_t lDpi);
// The player's step, beside the options; nothing until one is chosen.
inline constexpr std::string_view kBoardSizeValue = "Board Size";
int32_t StoredBoardScale(const IRegistryStore& store);
void SaveBoardScale(IRegistryStore& store, int32_t lScale);
// The largest step up to lScale at which the window (the board plus lFrameW x lFrameH of
// frame, menu and status bar) fits the lWorkW x lWorkH work area; 100 when none does.
int32_t FittingBoardScale(int32_t lScale, int32_t lFrameW, int32_t lFrameH, int32_t lWorkW,
                          int32_t lWorkH);

// A window pixel's surface pixel, and a surface edge's window pixel: a surface rectangle
// [a, b) covers window pixels [ScaleToWindow(a), ScaleToWindow(b)), so neighbouring cards
// share no window pixel and leave none uncovered.
int32_t ScaleToSurface(int32_t lWindow, int32_t lScale);
int32_t ScaleToWindow(int32_t lSurface, int32_t lScale);

// The surface pixels [lFrom, lTo) to stretch so that window pixels [lWindowFrom, lWindowTo)
// come out as they would from stretching the whole surface: lFrom and lTo fall where a surface
// pixel edge meets a window pixel edge, with a margin of lMargin surface pixels for a filter
// that reads neighbours, within [0, lSurfaceSize).
struct SurfaceSpan {
    int32_t lFrom = 0;
    int32_t lTo = 0;
};
SurfaceSpan StretchSpan(int32_t lWindowFrom, int32_t lWindowTo, int32_t lSurfaceSize,
                        int32_t lScale, int32_t lMargin);

enum class MarkMove { Left, Right, Up, Down };

struct CardCell {
    int32_t lX = -1;
    int32_t lY = -1;
    bool OnBoard() const;
    friend bool operator==(const CardCell&, const CardCell&) = default;
};

// The card an arrow key marks next. Left and Right go in reading order, on to the next row
// at a row's end and round from the last card to the first; Up and Down stay in the column
// and wrap round at its ends. Every card can be reached, face up or not. Without a mark yet
// (off the board), any arrow marks the first card.
CardCell MoveMark(CardCell from, MarkMove move);

}  // namespace quillon

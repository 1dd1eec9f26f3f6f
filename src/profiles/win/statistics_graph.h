#pragma once
// The statistics window's pieces that need Windows but no window: the user's decimal separator
// and the performance graph drawn with GDI.

#include <windows.h>

#include <string>

#include "profiles/statistics_rules.h"

namespace quillon::win {

// The decimal separator of the user's locale in UTF-8; "." when it cannot be read.
std::string UserDecimalSeparator();

// The graph's picture in pixels.
inline constexpr int kGraphWidth = 281;
inline constexpr int kGraphHeight = 181;

inline constexpr COLORREF kGridColour = RGB(0, 0, 255);
inline constexpr COLORREF kCurveColour = RGB(0, 0, 0);
inline constexpr COLORREF kComputerColour = RGB(0, 255, 0);
inline constexpr COLORREF kPlayerColour = RGB(255, 0, 0);

// Draws the grid, the computer's curve by level, then the computer's bracket (hatched down
// diagonally) and the player's (hatched up) onto hdc, whose picture is geometry's size and
// already white. Ratios of 0 or less draw no bracket. Failures of GDI throw QuillonError;
// what was drawn before stays.
void DrawPerformanceGraph(HDC hdc, const GraphGeometry& geometry, const LevelRatios& ratios,
                          float fComputerRatio, float fPlayerRatio);

}  // namespace quillon::win

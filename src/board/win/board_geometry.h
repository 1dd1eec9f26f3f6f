#pragma once
#include <windows.h>

#include "engine/card_layout.h"

namespace quillon::win {

inline constexpr int kBoardWidth = kColumns * kCardWidth;  // 710
inline constexpr int kBoardHeight = kRows * kCardHeight;   // 480
inline constexpr DWORD kBoardStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr int kShapeWidth = 69;
inline constexpr int kShapeHeight = 94;

// Posted by the window to itself once it is shown.
inline constexpr UINT kMsgLoadPictures = WM_APP + 1;

// Timers of the board window.
inline constexpr UINT_PTR kTmrPing = 1;
inline constexpr UINT_PTR kTmrDebugComp = 2;
inline constexpr UINT_PTR kTmrKillCompStack = 3;
inline constexpr UINT_PTR kTmrKillGame = 4;

}  // namespace quillon::win

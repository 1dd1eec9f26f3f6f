#pragma once
// What the driver and its probe library inside the program agree on: the driver writes a
// request into the program's memory and runs an entry of the library on a thread there, which
// writes its answer into the same block. Wine keeps menus inside the process that made them,
// and a status bar's text is copied into the asker's memory, so both are asked there.

#include <cstdint>

namespace quillon::e2e {

struct ProbeRequest {
    uint64_t hwnd;      // in: the board window
    uint32_t panel;     // in: reserved, 0
    uint32_t capacity;  // in: characters available in text
    uint32_t length;    // out: characters written
    wchar_t text[1];    // out
};

inline constexpr char kProbeLibrary[] = "quillon_e2e_probe.dll";
// The entries; a thread's exit code is 1 when the window answered and the answer fit.
// DescribeMenu writes one line per menu item, depth first: the depth, the command id (-1 for a
// submenu), the GetMenuState flags in hex and the caption, separated by kFieldSeparator.
inline constexpr char kDescribeMenu[] = "DescribeMenu";
inline constexpr wchar_t kFieldSeparator = L'\x1f';

}  // namespace quillon::e2e

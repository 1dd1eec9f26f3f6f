#pragma once
// What the driver and the probe library inside the program agree on: the request block the
// driver writes into the program's memory, and the text the probe writes back.
//
// One line per menu item, depth first, fields separated by kFieldSeparator:
//   depth, command id (-1 for a submenu), GetMenuState flags in hex, caption

#include <cstdint>

namespace quillon::e2e {

inline constexpr wchar_t kFieldSeparator = L'\x1f';
inline constexpr char kProbeLibrary[] = "quillon_e2e_probe.dll";
inline constexpr char kProbeEntry[] = "DescribeMenu";

struct ProbeRequest {
    uint64_t hwnd;      // in: the window whose menu bar is described
    uint32_t capacity;  // in: characters available in text
    uint32_t length;    // out: characters written
    wchar_t text[1];    // out
};

}  // namespace quillon::e2e

#pragma once
// What the update wizard makes of the codes its transfers end with.

#include <urlmon.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace quillon::iupdate {

// The server could not be reached; the resource was not found.
inline constexpr int32_t kErrCannotReach = static_cast<int32_t>(0x800C0005u);
inline constexpr int32_t kErrNotFound = static_cast<int32_t>(0x800C0007u);
// What a transfer that the platform refused before it started counts as (it raises no
// completion of its own): an address the platform could not take.
inline constexpr int32_t kErrRefused = static_cast<int32_t>(INET_E_INVALID_URL);

// The code in upper-case hexadecimal, a negative code as its 32 bits ("800C0008").
inline std::string HexCode(int32_t lCode) {
    char sz[16];
    std::snprintf(sz, sizeof sz, "%lX", static_cast<unsigned long>(static_cast<uint32_t>(lCode)));
    return sz;
}

}  // namespace quillon::iupdate

#pragma once
// The system's name and version as the feedback request reports them.

#include <cstdint>
#include <string>

namespace quillon {

// Platform identifiers of the system's version information.
inline constexpr int32_t kPlatformWin9x = 1;
inline constexpr int32_t kPlatformNT = 2;

// The low 16 bits as a signed number: 32768 to 65535 become negative.
int16_t WordLo(int32_t lValue);

// The family's name from major, minor, build and platform, then "%20version: " and
// "major.minor.build" (the whole build number). The names predate later systems: an NT system
// of minor version 0 is named "Windows 2000" and any later one "Windows XP"; an unknown
// platform has no name.
std::string GetWindowsVer(int32_t lMajor, int32_t lMinor, int32_t lBuild, int32_t lPlatform);

}  // namespace quillon

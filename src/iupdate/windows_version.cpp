#include "iupdate/windows_version.h"

namespace quillon {

int16_t WordLo(int32_t lValue) { return static_cast<int16_t>(lValue & 0xFFFF); }

std::string GetWindowsVer(int32_t lMajor, int32_t lMinor, int32_t lBuild, int32_t lPlatform) {
    const char* sName = "";
    if (lPlatform == kPlatformWin9x) {
        if (WordLo(lBuild) >= 3000)
            sName = "Windows Me";
        else if (lMinor >= 10)
            sName = "Windows 98";
        else
            sName = "Windows 95";
    } else if (lPlatform == kPlatformNT) {
        if (lMajor >= 5 && lMinor >= 1)
            sName = "Windows XP";
        else if (lMajor >= 5)
            sName = "Windows 2000";
        else
            sName = "Windows NT";
    }
    return std::string(sName) + "%20version: " + std::to_string(lMajor) + "." +
           std::to_string(lMinor) + "." + std::to_string(lBuild);
}

}  // namespace quillon

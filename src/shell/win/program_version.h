#pragma once
// What the program says of itself in its version information: the numbers and texts that the
// About box, the feedback form and the update are given.

#include <cstdint>
#include <string>

namespace quillon::win {

struct ProgramVersion {
    int32_t lMajor = 0;
    int32_t lMinor = 0;
    int32_t lRevision = 0;
    std::string sTitle;        // FileDescription
    std::string sCopyright;    // LegalCopyright
    std::string sProductName;  // ProductName
};

// The version information of the running program (or of the file at sPath); numbers left at 0
// and texts empty where the information is missing.
ProgramVersion ReadProgramVersion(const std::wstring& sPath = {});

}  // namespace quillon::win

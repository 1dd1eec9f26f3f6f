#pragma once
// The values that every instance of the library's three classes and its windows share: a put
// through one class is seen by the others and by the windows.
//
// One set per process. The values are meant per user-interface thread, and the game has
// exactly one, on which it creates every library object (the classes are registered for the
// apartment model, so COM calls them on that thread only). A second set per thread would
// only matter to a host with several user-interface threads, which this library does not
// serve.

#include <cstdint>
#include <string>

namespace quillon::iupdate {

struct LibraryState {
    int32_t lAppMajor = 0;
    int32_t lAppMinor = 0;
    int32_t lAppRev = 0;
    std::string sVersionExtra;
    std::string sAdodbVersion;
    // Also what clsSubmit.sAppProductName sets: one value under two names.
    std::string sAppExeName;
    std::string sAppPath;  // with a trailing backslash
    std::string sAppTitle;
    std::string sXmlUrl;
    std::string sCopyright;
    // Set by the update wizard; never reset, so a flag once set stays for the process.
    bool bCompleted = false;
    bool MustCloseApp = false;
    bool NewVersionAvailable = false;
    // Nothing in the library writes it: the update class reads it back as 0.
    int32_t ErrorNum = 0;
    bool ExitPressed = false;
    std::string UpdaterPath;
};

LibraryState& State();

}  // namespace quillon::iupdate

// The update library's rules: path macros, versions, dates and sizes.

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "iupdate/path_macros.h"
#include "iupdate/versions.h"
#include "shell/error_report.h"

namespace quillon {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// Each macro ends in a backslash, so the one written after it is doubled and then collapsed; the
// collapse keeps the first character and halves pairs in one pass; lower case is not a macro.
TEST(GetPathEx, ExpandsInOrderAndHalvesBackslashPairsAfterTheFirstCharacter) {
    const MacroFolders folders{"C:\\Q", "C:\\Sys", "C:\\Fonts\\", "C:\\Tmp"};
    // clang-format off
    for (auto [sPath, sExpected] : {
        std::tuple{"$(APP_PATH)\\q.exe", "C:\\Q\\q.exe"}, {"$(app_path)\\x", "$(app_path)\\x"},
        {"$(SYS_PATH)z.dll", "C:\\Sys\\z.dll"}, {"$(FONT_PATH)\\\\a.ttf", "C:\\Fonts\\\\a.ttf"},
        {"$(TEMP_PATH)$(TEMP_PATH)", "C:\\Tmp\\C:\\Tmp\\"}, {"$(APP_PATH", "$(APP_PATH"},
        {"\\\\server\\share\\\\x", "\\\\server\\share\\x"}, {"\\\\\\\\x", "\\\\\\x"}, {"", ""}})
        // clang-format on
        EXPECT_EQ(GetPathEx(sPath, folders), sExpected) << sPath;
    // Later macros are expanded in what earlier ones put in, never the other way round.
    EXPECT_EQ(GetPathEx("$(TEMP_PATH)", {"$(SYS_PATH)", "S", "F", "$(APP_PATH)"}), "$(APP_PATH)\\");
    EXPECT_EQ(GetPathEx("$(APP_PATH)", {"$(SYS_PATH)", "S", "F", "T"}), "S\\");
    EXPECT_EQ(GetFileEx("$(APP_EXENAME).new|$(APP_EXENAME)", "Q.exe"), "Q.exe.new|Q.exe");
    EXPECT_EQ(GetFileEx("$(app_exename)", "Q.exe"), "$(app_exename)");
}

TEST(Versions, FileVersionTextCutsOrPadsMinorAndReleaseAndJoinsBuildAndRevisionDigits) {
    // The four parts, then major, minor, release and the text: minor and release are cut or
    // padded to 2 and 4 digits. 3276732767 does not fit: clamped.
    // clang-format off
    for (auto [w1, w2, w3, w4, lMajor, lMinor, lRelease, sText] : {
        std::tuple{2, 1, 0, 15, 2, 1, 15, "2.01.0015"}, {2, 1, 1, 5, 2, 1, 15, "2.01.0015"},
        {10, 123, 19041, 1, 10, 123, 190411, "10.23.0411"},
        {0xFFFF, 0x8000, 0xFFFF, 5, -1, -32768, -15, "-1.68.0-15"},
        {1, 2, 32767, 32767, 1, 2, kMax, "1.02.3647"}, {1, 2, 0x8000, 32767, 1, 2, kMin, "1.02.3648"}}) {
        // clang-format on
        const FileVersion v =
            ComposeFileVersion(uint16_t(w1), uint16_t(w2), uint16_t(w3), uint16_t(w4));
        EXPECT_EQ(std::tuple(v.version.lMajor, v.version.lMinor, v.version.lRelease, v.sText),
                  std::tuple(lMajor, lMinor, lRelease, sText));
    }
    EXPECT_THROW(ComposeFileVersion(1, 2, 3, 0xFFFF), QuillonError) << "3-1 is no number";
}

TEST(Versions, NewerMeansStrictlyLaterAndSizesAddOneEvenOnExactMultiples) {
    // clang-format off
    using V = VersionRec; using D = DateRec; using C = CalendarDate;  // C: year, month, day
    for (auto [a, b, bNewer] : {std::tuple{V{2, 0, 5}, V{1, 9, 99}, true},
         {V{1, 2, 3}, V{1, 2, 3}, false}, {V{1, 2, 4}, V{1, 2, 3}, true},
         {V{1, 2, 99}, V{1, 3, 0}, false}, {V{0, 0, 0}, V{-1, 5, 5}, true}})
        EXPECT_EQ(IsVersionNewer(a, b), bNewer) << a.lMajor << "." << a.lMinor << "." << a.lRelease;
    for (auto [date, file, bNewer] : {std::tuple{D{7, 3, 2026}, C{2026, 3, 7}, false},
         {D{8, 3, 2026}, C{2026, 3, 7}, true}, {D{1, 12, 2025}, C{2026, 1, 31}, false},
         {D{1, 4, 2026}, C{2026, 3, 31}, true}, {D{2, 1, 1601}, C{1601, 1, 1}, true}})
        EXPECT_EQ(IsDateNewer(date, file), bNewer) << date.lYear << "-" << date.lMonth;
    for (auto [lBytes, sText] :
         {std::tuple{0, "1 Kb"}, {1023, "1 Kb"}, {-5, "1 Kb"}, {1024, "2 Kb"}, {2048, "3 Kb"},
          {1048575, "1024 Kb"}, {1048576, "2 Mb"}, {kMax, "2048 Mb"}})
        // clang-format on
        EXPECT_EQ(FormatSize(lBytes), sText) << lBytes;
}

}  // namespace
}  // namespace quillon

// The update library's rules: path macros, versions, dates and sizes, the feedback request and
// checks, the system's name, the About box's texts and the library's failure reports.

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "iupdate/about_rules.h"
#include "iupdate/feedback_checks.h"
#include "iupdate/feedback_request.h"
#include "iupdate/library_error_report.h"
#include "iupdate/path_macros.h"
#include "iupdate/versions.h"
#include "iupdate/windows_version.h"
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
    EXPECT_EQ(GetFileEx("$(APP_EXENAME).$(APP_EXENAME)|$(app_exename)", "Q"), "Q.Q|$(app_exename)");
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
            ComposeFileVersion(int16_t(w1), int16_t(w2), int16_t(w3), int16_t(w4));
        EXPECT_EQ(std::tuple(v.version.lMajor, v.version.lMinor, v.version.lRelease, v.sText),
                  std::tuple(lMajor, lMinor, lRelease, sText));
    }
    EXPECT_THROW(ComposeFileVersion(1, 2, 3, -1), QuillonError) << "3-1 is no number";
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

// "&" and "=" typed in a value no longer split or rename a field; "+", "%", control and
// non-ASCII bytes are escaped too. The odd "&adodb: " piece and the order stay.
TEST(FeedbackRequest, EveryValueIsFormEncodedAndThePiecesKeepTheirOrder) {
    // clang-format off
    FeedbackFields f{"Ann & Bob=1", "a@bc.de", "Quillon.exe", 1, 2, 3, "beta 2", "2.8",
                     "Windows XP%20version: 5.1.2600", "Caf\xC3\xA9+100% ok\r\n"};
    // clang-format on
    EXPECT_EQ(FeedbackRequestText(f),
              "?name=Ann+%26+Bob%3D1&email=a%40bc.de&app=Quillon.exe&appver=1.2.3+beta+2"
              "&vyxdll=2.1.0&adodb: 2.8&windows=Windows+XP+version%3A+5.1.2600"
              "&feedback=Caf%C3%A9%2B100%25+ok%0D%0A");
    f = {"-._~", "e", "Q", 1, 2, 3, "", "", "W", "F"};
    EXPECT_EQ(FeedbackRequestText(f),
              "?name=-._~&email=e&app=Q&appver=1.2.3&vyxdll=2.1.0&windows=W&feedback=F");
}

// The checks run in a fixed order and only the first failure is shown. Lengths count characters:
// "é" is one although it takes two bytes. "*" takes back what it took when a later part fails.
TEST(FeedbackChecks, TheFirstFailingCheckNamesItsMessage) {
    using enum FeedbackCheck;
    // clang-format off
    for (auto [sName, sEmail, sFeedback, eCheck] : {
        std::tuple{"", "", "", NameEmpty}, {" ", "a@b.cd", "", EmailTooShort},
        {"A", "\xC3\xA9@b.cd", "x", EmailTooShort}, {"A", "a@bc.de", "", FeedbackEmpty},
        {"A", "abcdefg", "x", EmailWithoutAt}, {"A", ".a@bc.de", "x", EmailPeriodEnd},
        {"A", "a@bc.de.", "x", EmailPeriodEnd}, {"A", "ab@c.de", "x", EmailFormat},
        {"A", "a@bcd.e", "x", EmailFormat}, {"A", "@abc.de", "x", EmailFormat},
        {"A", "a@bc.de", "x", Passed}, {"A", "\xC3\xA9@bc.de", "x", Passed}, {"A", " a@b.c.de ", " ", Passed}})
        EXPECT_EQ(IsValid(sName, sEmail, sFeedback), eCheck) << sEmail;
    const std::tuple<std::string_view, std::string_view> messages[] = {{"", ""},
        {"Please fill in your name.", "Enter name"},
        {"Email must be at least 7 characters.", "Enter valid email"},
        {"Please fill in feedback form.", "Enter feedback"},
        {"Email must contain an '@' symbol.", "Enter valid email"},
        {"Email may not start or end with a period.", "Enter valid email"},
        {"Email is in an invalid format.", "Enter valid email"}};
    for (auto [sText, sPattern, bMatch] : {std::tuple{"", "*", true}, {"", "?", false},
         {"aXbXc", "*X?", true}, {"ac", "a*?c", false}, {"ab", "a**b", true}, {"abc", "ab", false}})
        // clang-format on
        EXPECT_EQ(MatchesPattern(sText, sPattern), bMatch) << sText << " " << sPattern;
    for (int i = 0; i <= int(EmailFormat); ++i) {
        const CheckMessage m = FeedbackCheckMessage(FeedbackCheck(i));
        EXPECT_EQ(std::tuple(m.sMessage, m.sTitle), messages[i]);
    }
}

// The 95 family's build number holds the version in its high word; only its low word, read
// signed, tells Me apart. The NT names look at major and minor separately.
TEST(WindowsVersion, NamesTheFamilyAndJoinsTheWholeBuildNumber) {
    // clang-format off
    for (auto [lMajor, lMinor, lBuild, lPlatform, sText] : {
        std::tuple{5, 1, 2600, 2, "Windows XP%20version: 5.1.2600"}, {6, 1, 7601, 2, "Windows XP%20version: 6.1.7601"},
        {6, 0, 6000, 2, "Windows 2000%20version: 6.0.6000"}, {4, 1, 1381, 2, "Windows NT%20version: 4.1.1381"},
        {4, 90, 0x045A0BB8, 1, "Windows Me%20version: 4.90.73010104"},
        {4, 10, 0xC000, 1, "Windows 98%20version: 4.10.49152"},
        {4, 0, 0x040003B6, 1, "Windows 95%20version: 4.0.67109814"},
        {10, 0, -1, 3, "%20version: 10.0.-1"}})
        // clang-format on
        EXPECT_EQ(GetWindowsVer(lMajor, lMinor, lBuild, lPlatform), sText);
}

TEST(AboutTexts, KeyIsTheUpperCaseTitleWithUnderscoresAndTheLabelAddsTheExtraText) {
    EXPECT_EQ(AboutItemKey(" zLib  1.3 caf\xC3\xA9"), "_ZLIB__1.3_CAF\xC3\xA9");
    EXPECT_EQ(AboutVersionLabel(1, 2, 3, ""), "Version 1.2.3");
    EXPECT_EQ(AboutVersionLabel(1, 20, -3, "beta"), "Version 1.20.-3 beta");
}

// Unlike the game's report, 429 keeps the caller's flag and a report that is not fatal has the
// plain title "Error".
TEST(LibraryErrorReport, ProcedureInBracesAndTitleByFatalFlag) {
    const std::string sDetail = "Module {clsAbout::Show}\r\nType mismatch";
    const std::string sCreate =
        "ActiveX object couldn't be created. Consider reinstalling application.";
    // clang-format off
    for (auto [lNumber, bFatal, sTitle, sMessage, eIcon] : {
        std::tuple{13, true, "Error n\xC2\xB0 &HD", "Fatal error !\r\n" + sDetail, ErrorIcon::Critical},
        {int32_t(0x800C0005), false, "Error", "Error !\r\n" + sDetail, ErrorIcon::Exclamation},
        {429, true, "Error n\xC2\xB0 &H1AD", sCreate, ErrorIcon::Critical},
        {429, false, "Error", sCreate, ErrorIcon::Exclamation},
        {373, false, "Error", std::string("This feature doesn't run in IDE."), ErrorIcon::Exclamation}}) {
        // clang-format on
        const ErrorReport r =
            ComposeLibraryErrorReport("clsAbout::Show", lNumber, "Type mismatch", bFatal);
        EXPECT_EQ(std::tuple(r.sTitle, r.sMessage, r.eIcon), std::tuple(sTitle, sMessage, eIcon));
    }
}

}  // namespace
}  // namespace quillon

// The library's Windows helpers: folders, files, versions and dates read from real files, and
// the wording of its failure report.

#include "iupdate/win/modMain.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "iupdate/win/library_report.h"
#include "iupdate/win/library_state.h"
#include "library_under_test.h"
#include "support/temp_folder.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;
using namespace quillon::iupdate;

bool EndsWithBackslash(const std::string& s) { return !s.empty() && s.back() == '\\'; }

TEST(LibraryModMain, SpecialPathsAreFoldersWithABackslashAndKindFiveIsANewFile) {
    State().sAppPath = "C:\\Games\\Quillon";
    EXPECT_EQ(GetSpecialPath(SpecialAppPath), "C:\\Games\\Quillon\\");
    for (int32_t lKind : {SpecialSystem, SpecialWindows, SpecialFonts, SpecialTemp}) {
        const std::string sFolder = GetSpecialPath(lKind);
        EXPECT_TRUE(EndsWithBackslash(sFolder) && IsDirectory(sFolder)) << lKind << sFolder;
    }
    const std::string sFile = GetSpecialPath(SpecialTempFile);
    EXPECT_TRUE(FileExists(sFile) && fs::path(sFile).extension() == ".tmp") << sFile;
    EXPECT_TRUE(RemoveFile(sFile) && !FileExists(sFile));
    try {
        GetSpecialPath(6);
        ADD_FAILURE() << "kind 6 does not exist";
    } catch (const QuillonError& e) {
        EXPECT_EQ(e.Number(), ErrInvalidCall);
    }
}

TEST(LibraryModMain, FileVersionComesInFourPartsOrNotAtAll) {
    const auto parts = GetFileVersionParts(LibraryPath());
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->iMajor, 2);
    EXPECT_EQ(parts->iMinor, 1);
    EXPECT_EQ(parts->iBuild, 0);
    EXPECT_EQ(parts->iRevision, 0);

    const TempFolder temp;
    std::ofstream(temp.path / "plain.dll") << "no version resource here";
    EXPECT_FALSE(GetFileVersionParts(win::Narrow((temp.path / "plain.dll").wstring())));
    EXPECT_FALSE(GetFileVersionParts(win::Narrow((temp.path / "missing.dll").wstring())));
}

TEST(LibraryModMain, WriteDateIsTodayForANewFileAndTheOldestDateWhenNotWritable) {
    const TempFolder temp;
    const fs::path file = temp.path / "fresh.txt";
    std::ofstream(file) << "x";
    SYSTEMTIME today;
    GetLocalTime(&today);
    const FileDate fresh = FileWriteDate(win::Narrow(file.wstring()));
    EXPECT_EQ(fresh.lYear, today.wYear);
    EXPECT_EQ(fresh.lMonth, today.wMonth);
    EXPECT_EQ(fresh.lDay, today.wDay);

    const FileDate missing = FileWriteDate(win::Narrow((temp.path / "gone.txt").wstring()));
    EXPECT_EQ(missing.lYear * 10000 + missing.lMonth * 100 + missing.lDay, 16010101);
    // Held without sharing, as a running program holds its file.
    const win::ScopedFile held(
        CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(FileWriteDate(win::Narrow(file.wstring())).lYear, 1601) << "locked";
}

TEST(LibraryReport, WordingFollowsTheNumberAndTheFatalFlag) {
    const struct {
        int32_t lNumber;
        bool bFatal;
        const char* szTitle;
        const char* szMessage;
        ErrorIcon eIcon;
    } cases[] = {
        {13, true, "Error n\xC2\xB0 &HD", "Fatal error !\r\nModule {modMain::GetPathEx}\r\nboom",
         ErrorIcon::Critical},
        {13, false, "Error", "Error !\r\nModule {modMain::GetPathEx}\r\nboom",
         ErrorIcon::Exclamation},
        {429, true, "Error n\xC2\xB0 &H1AD",
         "ActiveX object couldn't be created. Consider reinstalling application.",
         ErrorIcon::Critical},
        {373, false, "Error", "This feature doesn't run in IDE.", ErrorIcon::Exclamation},
        {-2147024891, true, "Error n\xC2\xB0 &H80070005",
         "Fatal error !\r\nModule {modMain::GetPathEx}\r\nboom", ErrorIcon::Critical},
    };
    for (const auto& c : cases) {
        const ErrorReport report =
            ComposeLibraryReport("modMain::GetPathEx", c.lNumber, "boom", c.bFatal);
        EXPECT_EQ(report.sTitle, c.szTitle) << c.lNumber;
        EXPECT_EQ(report.sMessage, c.szMessage) << c.lNumber;
        EXPECT_EQ(report.eIcon, c.eIcon) << c.lNumber;
    }
}

}  // namespace
}  // namespace quillon::test

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "shell/win/modFiles.h"
#include "shell/win/text.h"

namespace quillon::win {
namespace {

// A fresh folder under the temporary folder for each test, removed afterwards.
class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sRoot = GetPath(PathTemp) + "quillon_files_" + std::to_string(GetCurrentProcessId()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(Widen(sRoot));
        ASSERT_TRUE(CreateDirectoryW(Widen(sRoot).c_str(), nullptr));
    }
    void TearDown() override { std::filesystem::remove_all(Widen(sRoot)); }

    void MakeFile(const std::string& path) {
        std::ofstream(std::filesystem::path(Widen(path))) << "x";
    }

    std::string sRoot;  // without a trailing backslash
};

TEST_F(FilesTest, KindsOverAnInjectedFolder) {
    const AppPaths paths(sRoot);
    EXPECT_EQ(paths.GetPath(PathApp), sRoot + "\\");
    EXPECT_EQ(paths.GetPath(PathHelp), sRoot + "\\quillon.chm");
    EXPECT_EQ(paths.GetPath(PathProfiles), sRoot + "\\Data\\profiles.dat");
    EXPECT_EQ(paths.GetPath(static_cast<PathKind>(-1)), "");
    EXPECT_EQ(paths.GetPath(static_cast<PathKind>(9)), "");
    EXPECT_EQ(AppPaths(sRoot + "\\").GetPath(PathApp), sRoot + "\\") << "one backslash only";
}

TEST_F(FilesTest, DataFoldersAreCreatedWhenMissingAndKeptWhenPresent) {
    const AppPaths paths(sRoot);
    // The card folders first, as a caller may ask for them before the data folder.
    EXPECT_EQ(paths.GetPath(PathCards), sRoot + "\\Data\\Cards\\");
    EXPECT_TRUE(IsDirectory(sRoot + "\\Data\\Cards"));
    EXPECT_EQ(paths.GetPath(PathBacks), sRoot + "\\Data\\Backs\\");
    EXPECT_TRUE(IsDirectory(sRoot + "\\Data\\Backs\\"));
    MakeFile(sRoot + "\\Data\\keep.txt");
    EXPECT_EQ(paths.GetPath(PathData), sRoot + "\\Data\\");
    EXPECT_TRUE(FileExists(sRoot + "\\Data\\keep.txt"));
}

TEST_F(FilesTest, NonAsciiProgramFolderIsCreatedUnderItsOwnName) {
    const std::string sApp = sRoot + "\\Jeux Zo\xC3\xAB";
    ASSERT_TRUE(CreateDirectoryW(Widen(sApp).c_str(), nullptr));
    EXPECT_EQ(AppPaths(sApp).GetPath(PathData), sApp + "\\Data\\");
    const std::wstring wExpected = Widen(sRoot) + L"\\Jeux Zo\u00EB\\Data";
    EXPECT_NE(GetFileAttributesW(wExpected.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesTest, UnusableProgramFolderStillGivesThePaths) {
    // A program folder whose parent is missing: nothing can be created below it.
    const std::string sGone = sRoot + "\\missing\\app";
    for (PathKind kind : {PathData, PathCards, PathBacks}) {
        const std::string path = AppPaths(sGone).GetPath(kind);
        EXPECT_EQ(path.rfind(sGone + "\\Data\\", 0), 0u) << kind;
        EXPECT_FALSE(IsDirectory(path)) << kind;
    }
    EXPECT_FALSE(IsDirectory(sRoot + "\\missing"));

    // A file where the data folder belongs.
    MakeFile(sRoot + "\\Data");
    EXPECT_EQ(AppPaths(sRoot).GetPath(PathData), sRoot + "\\Data\\");
    EXPECT_FALSE(IsDirectory(sRoot + "\\Data\\"));
    EXPECT_FALSE(IsDirectory(AppPaths(sRoot).GetPath(PathBacks)));
    EXPECT_TRUE(FileExists(sRoot + "\\Data")) << "the file in the way is left alone";
}

TEST_F(FilesTest, FileAndFolderTestsTellThemApart) {
    MakeFile(sRoot + "\\file.txt");
    EXPECT_TRUE(FileExists(sRoot + "\\file.txt"));
    EXPECT_FALSE(IsDirectory(sRoot + "\\file.txt"));
    EXPECT_TRUE(IsDirectory(sRoot));
    EXPECT_FALSE(FileExists(sRoot));
    EXPECT_FALSE(FileExists(sRoot + "\\nothing.txt"));
    EXPECT_FALSE(IsDirectory(sRoot + "\\nothing"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(IsDirectory(""));

    EXPECT_TRUE(KillFile(sRoot + "\\file.txt"));
    EXPECT_FALSE(FileExists(sRoot + "\\file.txt"));
    EXPECT_FALSE(KillFile(sRoot + "\\file.txt"));
    EXPECT_FALSE(KillFile(sRoot)) << "a folder is not deleted as a file";
}

TEST_F(FilesTest, SystemAndTemporaryFoldersEndInOneBackslash) {
    for (PathKind kind : {PathSystem, PathTemp}) {
        const std::string path = GetPath(kind);
        ASSERT_GE(path.size(), 3u) << kind;
        EXPECT_EQ(path.back(), '\\') << kind;
        EXPECT_NE(path[path.size() - 2], '\\') << kind;
        EXPECT_TRUE(IsDirectory(path)) << kind;
    }
    EXPECT_TRUE(FileExists(GetPath(PathApp) + "win_tests.exe"));
}

TEST_F(FilesTest, TemporaryFileIsNewEmptyAndUnique) {
    const std::string sTemp = GetPath(PathTemp);
    const std::string first = GetPath(PathTempFile);
    const std::string second = GetPath(PathTempFile);
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    for (const std::string& path : {first, second}) {
        ASSERT_EQ(path.rfind(sTemp, 0), 0u) << path;
        EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str() + sTemp.size(), 3,
                                 "tmp", 3),
                  CSTR_EQUAL)
            << path;
        EXPECT_TRUE(FileExists(path));
        EXPECT_EQ(std::filesystem::file_size(Widen(path)), 0u);
        EXPECT_TRUE(KillFile(path));
    }
}

}  // namespace
}  // namespace quillon::win

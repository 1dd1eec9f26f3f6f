// The update wizard's rules without its window: the log, the list's order and rows, the file
// addresses and the size label.

#include "iupdate/wizard_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace quillon {
namespace {

TEST(StatusLog, ASuccessfulRunReadsNewestFirstWithTheDownloadOutcomeBehindItsStage) {
    std::string sLog(kStatusInvitation);
    // clang-format off
    for (const auto& [sText, bAppend] : {std::tuple{"Starting Internet Update...", false},
         {"Retrieving data file...", false}, {"Data file downloaded.", false},
         {"Downloading files...", false}, {"A:Downloaded", false}, {"B:Downloaded", false},
         {"All files downloaded.", true}, {"Installing files...", false}, {"A:Installed", false},
         {"B:Installed", false}, {"All files successfully installed.", false}})
        // clang-format on
        sLog = Status_Add(sLog, sText, bAppend);
    EXPECT_EQ(sLog,
              "All files successfully installed.\r\nB:Installed\r\nA:Installed\r\n"
              "Installing files...\r\nB:Downloaded\r\nA:Downloaded\r\n"
              "Downloading files...All files downloaded.\r\nData file downloaded.\r\n"
              "Retrieving data file...\r\nStarting Internet Update...\r\n"
              "Click \"Update\" to start Internet Update...\r\n");
    EXPECT_EQ(Status_Add("Done.\r\n", "x", true), "Done.\r\n");
}

// The oldest lines go and the newest stay whole; a single line too long is cut between
// characters, never inside one.
TEST(StatusLog, StaysWithinItsBoundKeepingTheNewestLines) {
    std::string sLog;
    for (int i = 1000; i < 4000; ++i) sLog = Status_Add(sLog, "Line " + std::to_string(i), false);
    ASSERT_LE(sLog.size(), kMaxStatusLog);
    const size_t lLines = kMaxStatusLog / 11;  // "Line nnnn" and CR LF: as many as fit, whole
    EXPECT_EQ(sLog.size(), lLines * 11);
    EXPECT_TRUE(sLog.starts_with("Line 3999\r\n"));
    EXPECT_TRUE(sLog.ends_with("Line " + std::to_string(4000 - lLines) + "\r\n"));
    std::string sWide = "a";
    for (int i = 0; i < 20000; ++i) sWide += "\xC3\xA9";
    const std::string sCut = Status_Add("old\r\n", sWide, false);
    EXPECT_LE(sCut.size(), kMaxStatusLog);
    EXPECT_TRUE(sCut.ends_with("\xC3\xA9\r\n")) << "cut inside a character";
}

std::vector<FileEntry> Entries(std::initializer_list<std::tuple<const char*, const char*>> list) {
    std::vector<FileEntry> files;
    for (const auto& [sCategory, sName] : list) {
        files.emplace_back().Category = sCategory;
        files.back().Name = sName;
        files.back().Available = true;
    }
    return files;
}

// Ascending without regard to case, but not stable: the exchanges move the first of a category
// behind the others. Rows: one header per category ignoring case (none for an empty category at
// the top), keys counting from 1 after the sort, only Available entries.
TEST(FileList, SortedByCategoryInTheOrderTheExchangesLeaveWithAHeaderPerCategory) {
    std::vector<FileEntry> files =
        Entries({{"C", "0"}, {"C", "1"}, {"c", "2"}, {"C", "3"}, {"B", "4"}});
    Array_SortBubble(files);
    std::string sOrder;
    for (const FileEntry& f : files) sOrder += f.Name;
    EXPECT_EQ(sOrder, "41230");

    files = Entries({{"Help", "Manual"},
                     {"Component", "Engine"},
                     {"HELP", "Tips"},
                     {"Component", "Hidden"},
                     {"", "Loose"}});
    files[1].Version = {2, 1, 5};
    files[1].Remote.Size = 12 * 1024;
    files[1].Download = true;
    files[3].Available = false;
    std::vector<std::tuple<int32_t, std::string, std::string, std::string, bool>> rows;
    for (const ListRow& r : Create_List(files))
        rows.emplace_back(r.lType, r.sKey, r.sCaption, r.sDescription, r.bMandatory);
    // clang-format off
    EXPECT_EQ(rows, (decltype(rows){{kRowFile, "KEY_1", "Loose", "Size : 1 Kb", false},
        {kRowHeader, "COMPONENT", "Component", "", false},
        {kRowFile, "KEY_3", "Engine", "Version 2.1.5 Size : 13 Kb", true},
        {kRowHeader, "HELP", "Help", "", false}, {kRowFile, "KEY_4", "Manual", "Size : 1 Kb", false},
        {kRowFile, "KEY_5", "Tips", "Size : 1 Kb", false}}));
    for (const auto& [sKey, lIndex] : {std::tuple{"KEY_4", size_t{4}}, {"KEY_0", 0}, {"KEY_", 0},
         {"KEY_4x", 0}, {"HELP", 0}, {"KEY_-1", 0}})
        // clang-format on
        EXPECT_EQ(FileRowIndex(sKey).value_or(0), lIndex) << sKey;
}

TEST(FileList, TheSizeLabelSumsCheckedRowsWithoutOverflow) {
    std::vector<FileEntry> files = Entries({{"A", "a"}, {"A", "b"}, {"A", "c"}});
    files[0].Remote.Size = 1024;
    files[1].Remote.Size = 2048;
    files[2].Remote.Size = 2147483647;
    const size_t first[] = {1, 2, 9};
    const size_t all[] = {1, 2, 3};
    EXPECT_EQ(CheckFileSize(files, {}), "Total download size : 1 Kb");
    EXPECT_EQ(CheckFileSize(files, first), "Total download size : 4 Kb");
    EXPECT_EQ(CheckFileSize(files, all), "Total download size : 2048 Mb");
}

TEST(FileUrl, RelativePathsGoBelowTheBaseAndAbsoluteOnesAreKept) {
    const std::string sBase = "http://q.example/files/";
    // clang-format off
    for (const auto& [sPath, sUrl] : {
        std::tuple{"bin\\x86", "http://q.example/files/bin/x86/Q.z"},
        {"", "http://q.example/files//Q.z"}, {"/bin", "http://q.example/files//bin/Q.z"},
        {"HTTP://other.example/d", "HTTP://other.example/d/Q.z"},
        {"ftp://f.example", "ftp://f.example/Q.z"}, {"ftp://", "http://q.example/files/ftp://Q.z"},
        {"https://s.example", "http://q.example/files/https://s.example/Q.z"}})
        // clang-format on
        EXPECT_EQ(FileUrl(sBase, {sPath, "Q.z", 0, {}}), sUrl) << sPath;
}

}  // namespace
}  // namespace quillon

// Which published files are offered: the version and date rules, the destinations an update may
// write to, the hash an entry needs, and the wizard's first decision.

#include "iupdate/install_decision.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "iupdate/path_containment.h"
#include "support/fakes.h"

namespace quillon {
namespace {

const InstallContext kContext{{"C:\\Game", "C:\\Windows\\System32\\", "C:\\Windows\\Fonts", ""},
                              "Quillon.exe"};

struct Installed {
    VersionRec version;
    CalendarDate date;
};

// Installed files by path; every question is recorded, and one path fails.
struct FakeFiles final : IInstalledFiles {
    bool FileExists(const std::string& sPath) override {
        if (Ask(sPath) == sFailing) throw QuillonError(ErrTypeMismatch, "Type mismatch");
        return files.contains(sPath);
    }
    VersionRec FileVersion(const std::string& sPath) override {
        return files.at(Ask(sPath)).version;
    }
    CalendarDate FileDate(const std::string& sPath) override { return files.at(Ask(sPath)).date; }
    const std::string& Ask(const std::string& sPath) { return asked.emplace_back(sPath); }
    std::map<std::string, Installed> files;
    std::vector<std::string> asked;
    std::string sFailing;
};

FileEntry Entry(std::string sPath, std::string sFileName, VersionRec version = {},
                DateRec date = {}) {
    FileEntry e;
    e.Name = sFileName;
    e.Local.Path = std::move(sPath);
    e.Local.FileName = std::move(sFileName);
    e.Version = version;
    e.Remote.Date = date;
    e.eSha256 = Sha256State::Valid;
    return e;
}

TEST(ShouldInstall, AMissingFileAlwaysThenTheVersionThenTheDateElseNever) {
    FakeFiles fake;
    fake.files["C:\\Game\\Quillon.exe"] = {{2, 1, 5}, {2026, 3, 7}};
    using V = VersionRec;
    using D = DateRec;
    // clang-format off
    for (const auto& [entry, bInstall] : {
        std::tuple{Entry("$(APP_PATH)", "new.dll", {0, 0, 1}), true},
        {Entry("$(APP_PATH)\\", "$(APP_EXENAME)", V{2, 1, 6}, D{1, 1, 2000}), true},
        {Entry("$(APP_PATH)", "Quillon.exe", V{2, 1, 5}, D{8, 3, 2026}), false},  // version wins
        {Entry("$(APP_PATH)", "Quillon.exe", V{2, 0, 99}), false},
        {Entry("$(APP_PATH)", "Quillon.exe", V{1, -1, 0}, D{8, 3, 2026}), true},  // sum 0: no version
        {Entry("$(APP_PATH)", "Quillon.exe", V{}, D{7, 3, 2026}), false},
        {Entry("$(APP_PATH)", "Quillon.exe", V{}, D{8, 3, 2026}), true},
        {Entry("$(APP_PATH)", "Quillon.exe", V{}, D{0, 12, 2099}), false}}) {
        // clang-format on
        const InstallDecision decision = File_ShouldInstall(entry, kContext, fake);
        EXPECT_EQ(std::tuple(decision.bInstall, decision.eRefusal),
                  std::tuple(bInstall, InstallRefusal::None))
            << entry.Local.FileName << " " << entry.Version.lMajor << " " << entry.Remote.Date.lDay;
    }
    fake.asked.clear();
    EXPECT_TRUE(
        File_ShouldInstall(Entry("$(APP_PATH)", "gone.exe", {9, 9, 9}), kContext, fake).bInstall);
    EXPECT_EQ(fake.asked.size(), 1u) << "a missing file needs no version";
}

// A destination must lie inside one of the four macro folders after expansion, whatever ".."
// or another root tries; the file system is not asked about it at all.
TEST(ShouldInstall, ADestinationOutsideTheMacroFoldersIsRefusedUnasked) {
    // clang-format off
    for (const auto& [sPath, sFileName, bInside] : {
        std::tuple{"$(APP_PATH)Data\\Cards\\", "blue.jpg", true}, {"$(SYS_PATH)", "zlib1.dll", true},
        {"$(FONT_PATH)", "q.ttf", true}, {"C:\\GAME\\", "x.dll", true},
        {"$(APP_PATH)sub\\..\\", "x.dll", true}, {"c:/game/", "x.dll", true},
        {"$(TEMP_PATH)", "x.dll", false},  // the temporary folder is unknown here
        {"$(APP_PATH)..\\", "x.dll", false}, {"$(APP_PATH)", "..\\Windows\\x.dll", false},
        {"C:\\Game2\\", "x.dll", false}, {"C:\\Game", "x.dll", false}, {"D:\\Game\\", "x.dll", false},
        {"\\\\server\\share\\Game\\", "x.dll", false}, {"\\\\?\\C:\\Game\\", "x.dll", false},
        {"$(APP_PATH)", "x.dll:evil", false}, {"$(APP_PATH)", "x.dll.", false},
        {"$(APP_PATH)", "", false}, {"Game\\", "x.dll", false}, {"C:Game\\", "x.dll", false},
        {"$(APP_PATH)..\\..\\..\\Game\\", "x.dll", true}}) {  // ".." stops at the root
        // clang-format on
        FakeFiles fake;
        const InstallDecision d = File_ShouldInstall(Entry(sPath, sFileName), kContext, fake);
        EXPECT_EQ(d.eRefusal == InstallRefusal::OutsideFolders, !bInside) << sPath << sFileName;
        EXPECT_EQ(fake.asked.empty(), !bInside) << sPath << sFileName;
    }
    // The program's own name comes from the game; a name that climbs out is refused as well.
    InstallContext climbing = kContext;
    climbing.sAppExeName = "..\\evil.exe";
    FakeFiles fake;
    EXPECT_EQ(File_ShouldInstall(Entry("$(APP_PATH)", "$(APP_EXENAME)"), climbing, fake).eRefusal,
              InstallRefusal::OutsideFolders);
    EXPECT_TRUE(IsInsideFolder("\\\\srv\\share\\q\\x", "\\\\SRV\\Share\\q\\"));
    EXPECT_FALSE(IsInsideFolder("C:\\Game\\.", "C:\\Game\\"));  // the folder itself
}

TEST(ParseDecision, ANewerProductEndsItAndOtherwiseEveryEntryIsJudged) {
    FakeFiles fake;
    fake.files["C:\\Game\\old.dll"] = {{1, 0, 0}, {2020, 1, 1}};
    fake.sFailing = "C:\\Game\\fails.dll";
    UpdateInfo info;
    info.Files = {Entry("$(APP_PATH)", "new.dll"), Entry("$(APP_PATH)", "fails.dll"),
                  Entry("D:\\", "far.dll"), Entry("$(APP_PATH)", "old.dll", {1, 0, 0}),
                  Entry("$(APP_PATH)", "bare.dll")};
    info.Files[4].eSha256 = Sha256State::Missing;
    info.Files[0].Available = info.Files[1].Available = true;  // left from nothing
    test::RecordingReporter reporter;

    info.Version = {2, 0, 1};
    ParseDecision d = File_ParseDecision(info, {2, 0, 0}, kContext, fake, reporter);
    EXPECT_EQ(std::tuple(d.eOutcome, d.lAvailable, fake.asked.size()),
              std::tuple(ParseOutcome::NewVersion, 0, 0u));

    info.Version = {2, 0, 0};
    d = File_ParseDecision(info, {2, 0, 0}, kContext, fake, reporter);
    EXPECT_EQ(std::tuple(d.eOutcome, d.lAvailable), std::tuple(ParseOutcome::FilesListed, 1));
    EXPECT_EQ(std::tuple(info.Files[0].Available, info.Files[1].Available, info.Files[2].Available,
                         info.Files[3].Available),
              std::tuple(true, false, false, false));
    EXPECT_EQ(reporter.Procedures(),
              std::vector<std::string>{"frmInternetUpdate::File_ShouldInstall"});
    EXPECT_EQ(d.refusals, (std::vector<std::string>{
                              "far.dll:Refused, its destination D:\\far.dll lies outside the "
                              "folders an update may write to",
                              "bare.dll:Refused, the update information gives no SHA-256 for it"}));

    info.Files.erase(info.Files.begin());
    d = File_ParseDecision(info, {2, 0, 0}, kContext, fake, reporter);
    EXPECT_EQ(std::tuple(d.eOutcome, d.lAvailable), std::tuple(ParseOutcome::NoUpdates, 0));
}

}  // namespace
}  // namespace quillon

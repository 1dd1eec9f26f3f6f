// A profile file of the wrong size is replaced, and the damaged one is kept as profiles.dat.bad.
// The disk cases run in a folder with a non-ASCII name: under Wine they go through the wide
// file functions the program uses on Windows.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "profiles/clsProfiles.h"
#include "profiles/default_profile.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "support/fakes.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

struct Surroundings {
    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
};

TEST(ProfileSetAside, MemoryFileKeepsTheLastDamagedFile) {
    Surroundings s;
    MemoryProfileFile file;
    clsProfiles profiles({file, s.settings, s.reporter, {}});

    file.WriteAll(Bytes(4945, 7));
    ASSERT_TRUE(profiles.CheckIfExists());
    EXPECT_EQ(file.Bytes(), BuildDefaultProfile());
    EXPECT_EQ(file.SetAsideBytes(), Bytes(4945, 7));

    file.WriteAll(Bytes(3, 9));
    ASSERT_TRUE(profiles.CheckIfExists());
    EXPECT_EQ(file.SetAsideBytes(), Bytes(3, 9)) << "a newer damaged file replaces the older";

    file.WriteAll(Bytes(4944, 5));
    ASSERT_TRUE(profiles.CheckIfExists());
    EXPECT_EQ(file.Bytes(), Bytes(4944, 5));
    EXPECT_EQ(file.SetAsideBytes(), Bytes(3, 9)) << "a good file sets nothing aside";
    EXPECT_TRUE(s.reporter.errors.empty());
}

class DiskProfileFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("quillon_profile_file_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        folder = root / fs::path(u8"Jeux") / fs::path(u8"M\u00e9moire");
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(root); }

    // The program's own form of the path: UTF-8 bytes.
    std::string Utf8(const fs::path& path) const {
        const std::u8string u8 = path.u8string();
        return std::string(u8.begin(), u8.end());
    }
    static Bytes Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Write(const fs::path& path, const Bytes& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    fs::path root;
    fs::path folder;
    Surroundings s;
};

TEST_F(DiskProfileFileTest, CreatedWrittenAndReadInANonAsciiFolder) {
    DiskProfileFile file(Utf8(folder / "profiles.dat"));
    clsProfiles writer({file, s.settings, s.reporter, {}});
    ASSERT_TRUE(writer.CheckIfExists());
    EXPECT_EQ(fs::file_size(folder / "profiles.dat"), 4944u);
    ASSERT_TRUE(writer.Load(ProfilePlayer));
    writer.Game_WasWon();
    ASSERT_TRUE(writer.Save(ProfilePlayer));

    clsProfiles reader({file, s.settings, s.reporter, {}});
    ASSERT_TRUE(reader.Load(ProfilePlayer));
    EXPECT_EQ(reader.Games_Won(), 1);
    EXPECT_TRUE(s.reporter.errors.empty());
}

TEST_F(DiskProfileFileTest, WrongSizeIsKeptAsBadReplacingAnOlderOne) {
    const fs::path dat = folder / "profiles.dat";
    const fs::path bad = folder / "profiles.dat.bad";
    DiskProfileFile file(Utf8(dat));
    clsProfiles profiles({file, s.settings, s.reporter, {}});

    Write(bad, Bytes{1, 2, 3});
    Write(dat, Bytes(100, 0x42));
    ASSERT_TRUE(profiles.CheckIfExists());
    EXPECT_EQ(Read(dat), BuildDefaultProfile());
    EXPECT_EQ(Read(bad), Bytes(100, 0x42));

    // The right size is left alone, the older damaged copy with it.
    ASSERT_TRUE(profiles.CheckIfExists());
    EXPECT_EQ(Read(bad), Bytes(100, 0x42));
    EXPECT_TRUE(s.reporter.errors.empty());
}

TEST_F(DiskProfileFileTest, DamagedFileThatCannotBeMovedStaysAndTheProgramStarts) {
    const fs::path dat = folder / "profiles.dat";
    // A folder where the copy would go: the damaged file cannot be set aside.
    fs::create_directories(folder / "profiles.dat.bad" / "inside");
    Write(dat, Bytes(10, 1));
    DiskProfileFile file(Utf8(dat));
    clsProfiles profiles({file, s.settings, s.reporter, {}});
    EXPECT_TRUE(profiles.CheckIfExists());
    EXPECT_EQ(Read(dat), Bytes(10, 1));
    EXPECT_TRUE(s.reporter.errors.empty());
}

}  // namespace
}  // namespace quillon

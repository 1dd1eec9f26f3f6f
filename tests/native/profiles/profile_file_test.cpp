// A profile file of the wrong size is replaced, and the damaged one is kept as profiles.dat.bad.
// The disk case runs in a folder with a non-ASCII name: under Wine it goes through the wide
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

class ProfileSetAside : public ::testing::Test {
  protected:
    bool Check(IProfileFile& file) {
        return clsProfiles({file, settings, reporter, {}}).CheckIfExists();
    }

    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
};

TEST_F(ProfileSetAside, MemoryFileKeepsTheLastDamagedFile) {
    MemoryProfileFile file;
    file.WriteAll(Bytes(4945, 7));
    ASSERT_TRUE(Check(file));
    EXPECT_EQ(file.Bytes(), BuildDefaultProfile());
    EXPECT_EQ(file.SetAsideBytes(), Bytes(4945, 7));
    file.WriteAll(Bytes(3, 9));
    ASSERT_TRUE(Check(file));
    EXPECT_EQ(file.SetAsideBytes(), Bytes(3, 9)) << "a newer damaged file replaces the older";
    file.WriteAll(Bytes(4944, 5));
    ASSERT_TRUE(Check(file));
    EXPECT_EQ(file.SetAsideBytes(), Bytes(3, 9)) << "a good file sets nothing aside";
}

TEST_F(ProfileSetAside, DiskFileInANonAsciiFolder) {
    const fs::path root = fs::temp_directory_path() / "quillon_profile_set_aside";
    const fs::path folder = root / fs::path(u8"Jeux") / fs::path(u8"M\u00e9moire");
    fs::remove_all(root);
    fs::create_directories(folder);
    const auto read = [](const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const auto write = [](const fs::path& path, size_t size, char c) {
        std::ofstream(path, std::ios::binary).write(std::string(size, c).data(), size);
    };
    const std::u8string u8 = (folder / "profiles.dat").u8string();
    DiskProfileFile file(std::string(u8.begin(), u8.end()));

    write(folder / "profiles.dat.bad", 3, 'o');
    write(folder / "profiles.dat", 100, 'x');
    ASSERT_TRUE(Check(file));
    EXPECT_EQ(read(folder / "profiles.dat"), BuildDefaultProfile());
    EXPECT_EQ(read(folder / "profiles.dat.bad"), Bytes(100, 'x')) << "replaces the older copy";

    // Where the copy cannot go (a folder holds its name), the damaged file stays.
    fs::remove(folder / "profiles.dat.bad");
    fs::create_directories(folder / "profiles.dat.bad" / "inside");
    write(folder / "profiles.dat", 10, 'y');
    EXPECT_TRUE(Check(file));
    EXPECT_EQ(read(folder / "profiles.dat"), Bytes(10, 'y'));
    EXPECT_TRUE(reporter.errors.empty());
    fs::remove_all(root);
}

}  // namespace
}  // namespace quillon

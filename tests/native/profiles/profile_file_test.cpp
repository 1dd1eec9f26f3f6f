// The profile file on disk, in a folder with a non-ASCII name: under Wine it goes through the
// wide file functions the program uses on Windows. A file of the wrong size is replaced and the
// damaged one kept as profiles.dat.bad; records are written in place; a short file fails to load.

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

TEST(DiskProfileFile, SetAsideWritesInPlaceAndRefusesAShortFileInANonAsciiFolder) {
    const fs::path root = fs::temp_directory_path() / "quillon_profile_file";
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
    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    const auto profiles = [&] { return clsProfiles({file, settings, reporter, {}}); };

    write(folder / "profiles.dat.bad", 3, 'o');
    write(folder / "profiles.dat", 100, 'x');
    ASSERT_TRUE(profiles().CheckIfExists());
    EXPECT_EQ(read(folder / "profiles.dat"), BuildDefaultProfile());
    EXPECT_EQ(read(folder / "profiles.dat.bad"), Bytes(100, 'x')) << "replaces the older copy";

    clsProfiles p = profiles();
    ASSERT_TRUE(p.Load(ProfilePlayer));
    p.Game_WasNull();
    ASSERT_TRUE(p.Save(ProfilePlayer));
    EXPECT_EQ(fs::file_size(folder / "profiles.dat"), 4944u) << "saving never truncates";
    ASSERT_TRUE(p.Load(ProfilePlayer));
    EXPECT_EQ(p.Games_Null(), 1);
    fs::resize_file(folder / "profiles.dat", 20);  // behind the program's back
    EXPECT_FALSE(p.Load(ProfilePlayer));
    EXPECT_EQ(reporter.Procedures(), std::vector<std::string>{"clsProfiles::Load"});

    // Where the copy cannot go (a folder holds its name), the damaged file stays.
    fs::remove(folder / "profiles.dat.bad");
    fs::create_directories(folder / "profiles.dat.bad" / "inside");
    EXPECT_TRUE(profiles().CheckIfExists());
    EXPECT_EQ(fs::file_size(folder / "profiles.dat"), 20u);
    EXPECT_EQ(reporter.errors.size(), 1u);
    fs::remove_all(root);
}

}  // namespace
}  // namespace quillon

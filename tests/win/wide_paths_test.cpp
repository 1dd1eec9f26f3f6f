// The program installed in a folder whose name is not plain ASCII: at start-up it makes its
// data folders, creates the profile file, and writes and loads its default pictures there.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "board/win/picture_buffers.h"
#include "profiles/clsProfiles.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "shell/win/modFiles.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "support/fakes.h"

namespace quillon::win {
namespace {

namespace fs = std::filesystem;

TEST(WidePaths, ProgramStartsInJeuxMemoire) {
    const fs::path root = fs::temp_directory_path() / L"quillon_wide_paths";
    fs::remove_all(root);
    const fs::path app = root / L"Jeux\\M\u00e9moire";
    fs::create_directories(app);
    const AppPaths paths(Narrow(app.wstring()));
    MemoryStore store;
    Settings settings(store);
    test::RecordingReporter reporter;

    paths.GetPath(PathData);  // made first, as the program does
    DiskProfileFile file(paths.GetPath(PathProfiles));
    clsProfiles writer({file, settings, reporter, {}});
    ASSERT_TRUE(writer.CheckIfExists());
    EXPECT_EQ(fs::file_size(app / L"Data\\profiles.dat"), 4944u);
    ASSERT_TRUE(writer.Load(ProfilePlayer));
    writer.Game_WasLost();
    ASSERT_TRUE(writer.Save(ProfilePlayer));
    clsProfiles reader({file, settings, reporter, {}});
    ASSERT_TRUE(reader.Load(ProfilePlayer));
    EXPECT_EQ(reader.Games_Lost(), 1);

    const ScopedCoInit co;
    int lShown = 0;
    PictureBuffers pictures(GetModuleHandleW(nullptr),
                            {paths.GetPath(PathCards), paths.GetPath(PathBacks)}, reporter,
                            [&lShown](const std::string&, const std::string&, UINT) { ++lShown; });
    pictures.LoadMaskAndBorder();
    EXPECT_TRUE(pictures.LoadPictureSets(settings));
    EXPECT_GT(fs::file_size(app / L"Data\\Backs\\Default.bmp"), 0u);
    EXPECT_EQ(pictures.picCardSet().Width(), 25 * 71);
    EXPECT_EQ(pictures.picBack().Width(), 71);

    EXPECT_EQ(lShown, 0);
    EXPECT_TRUE(reporter.errors.empty());
    fs::remove_all(root);
}

}  // namespace
}  // namespace quillon::win

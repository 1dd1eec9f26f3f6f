// Card pictures on Windows: the default files written out of the resources, the chosen back
// and set with their fallback to "Default", failures that leave the buffers alone, the
// read-only-folder notice, the drawing handles and the loader. The mask and border resources
// and the inverted back are checked against the software canvas in gdi_drawing_test.

#include "board/win/picture_buffers.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "ui/win/gdi_canvas.h"
#include "ui/win/picture_loader.h"
#include "shell/error_report.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "support/bmp_file.h"
#include "support/fakes.h"

namespace quillon::win {
namespace {

namespace fs = std::filesystem;
using test::RecordingReporter;
using test::WriteBmp;

using Bytes = std::vector<char>;

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

fs::path ArtFile(const char* sName) {
    return fs::path(QUILLON_SOURCE_DIR) / "src" / "resources" / "art" / sName;
}

std::string Utf8(const fs::path& path) { return Narrow(path.wstring()); }

// Every pixel differs from its neighbours, the corners and outline included.
Rgb Gradient(int x, int y) {
    return {static_cast<uint8_t>(3 * x + 20), static_cast<uint8_t>(2 * y + 7),
            static_cast<uint8_t>((x * y) % 251)};
}

std::vector<Rgb> PixelsOf(const MemoryCanvas& c) {
    std::vector<Rgb> out;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) out.push_back(c.Pixel(x, y));
    return out;
}

struct Shown {
    std::string sText;
    std::string sTitle;
    UINT uType;
};

class PictureBuffersTest : public testing::Test {
  protected:
    void SetUp() override {
        static int lRun = 0;
        root = fs::temp_directory_path() /
               ("quillon_pictures_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++lRun));
        fs::remove_all(root);
        fs::create_directories(root / "Cards");
        fs::create_directories(root / "Backs");
        ASSERT_TRUE(SUCCEEDED(co.Result()));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    PictureBuffers& Buffers(const fs::path& cards, const fs::path& backs) {
        buffers = std::make_unique<PictureBuffers>(
            GetModuleHandleW(nullptr), PictureFolders{Utf8(cards) + "\\", Utf8(backs) + "\\"},
            reporter, [this](const std::string& sText, const std::string& sTitle, UINT uType) {
                shown.push_back({sText, sTitle, uType});
            });
        buffers->LoadMaskAndBorder();
        return *buffers;
    }
    PictureBuffers& Buffers() { return Buffers(root / "Cards", root / "Backs"); }

    fs::path Cards(const char* sName) const { return root / "Cards" / sName; }
    fs::path Backs(const char* sName) const { return root / "Backs" / sName; }

    ScopedCoInit co;
    fs::path root;
    MemoryStore store;
    Settings settings{store};
    RecordingReporter reporter;
    std::vector<Shown> shown;
    std::unique_ptr<PictureBuffers> buffers;
};

// --- Default and chosen pictures --------------------------------------------------------------

// A default is written out of the resources only when its file is missing: a user's own
// Default is kept, a deleted one comes back at the next load.
TEST_F(PictureBuffersTest, DefaultsAreWrittenByteForByteOnlyWhenMissing) {
    WriteBmp(Cards("Default.jpg"), 71, 96, Gradient);
    const Bytes own = ReadBytes(Cards("Default.jpg"));
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_EQ(ReadBytes(Cards("Default.jpg")), own);
    EXPECT_EQ(b.picCardSet().Pixel(70, 95), Gradient(70, 95));
    const Bytes backFile = ReadBytes(Backs("Default.bmp"));
    ASSERT_FALSE(backFile.empty());
    EXPECT_EQ(backFile, ReadBytes(ArtFile("back.bmp")));

    fs::remove(Backs("Default.bmp"));
    fs::remove(Cards("Default.jpg"));
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_EQ(ReadBytes(Backs("Default.bmp")), ReadBytes(ArtFile("back.bmp")));
    EXPECT_EQ(ReadBytes(Cards("Default.jpg")), ReadBytes(ArtFile("cardset.jpg")));
    EXPECT_EQ(PixelsOf(b.picBack()), PixelsOf(LoadPictureFile(Utf8(Backs("Default.bmp")))));
    EXPECT_EQ(b.picCardSet().Width(), 1775);
    EXPECT_EQ(b.picCardSet().Height(), 96);
    EXPECT_TRUE(reporter.errors.empty());
    EXPECT_TRUE(shown.empty());
}

TEST_F(PictureBuffersTest, ChosenPicturesAreLoadedAndWhenMissingFallBackToDefaultKeepingTheNames) {
    WriteBmp(Cards("Mine.jpg"), 200, 96, Gradient);  // any format the loader reads will do
    WriteBmp(Backs("Blue.bmp"), 71, 96, [](int, int) { return Rgb{0, 0, 200}; });
    settings.SaveSetting(SettingCardSet, std::string("Mine"));
    settings.SaveSetting(SettingCardBacks, std::string("Blue"));
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    ASSERT_EQ(b.picCardSet().Width(), 200);  // a narrow strip is not refused
    EXPECT_EQ(b.picCardSet().Pixel(150, 3), Gradient(150, 3));
    EXPECT_EQ(b.picBack().Pixel(35, 48), (Rgb{0, 0, 200}));

    fs::remove(Cards("Mine.jpg"));
    fs::remove(Backs("Blue.bmp"));
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_TRUE(reporter.errors.empty());
    EXPECT_EQ(settings.GetSettingText(SettingCardSet), "Mine");
    EXPECT_EQ(settings.GetSettingText(SettingCardBacks), "Blue");
    EXPECT_EQ(PixelsOf(b.picCardSet()), PixelsOf(LoadPictureFile(Utf8(Cards("Default.jpg")))));
    EXPECT_EQ(PixelsOf(b.picBack()), PixelsOf(LoadPictureFile(Utf8(Backs("Default.bmp")))));
}

// --- Failures -----------------------------------------------------------------------------------

// A corrupt back leaves every buffer as it was; a corrupt set keeps the new back but skips the
// inverted back. Either is reported, not fatal, naming the file.
TEST_F(PictureBuffersTest, CorruptPictureIsReportedAndLeavesTheBuffersAsTheyWere) {
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    const auto back = PixelsOf(b.picBack());
    const auto inv = PixelsOf(b.picBackInv());
    const auto set = PixelsOf(b.picCardSet());
    WriteBytes(Backs("X.bmp"), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 0, 1, 2, 3});
    WriteBmp(Backs("Red.bmp"), 71, 96, [](int, int) { return Rgb{200, 0, 0}; });
    WriteBytes(Cards("Bad.jpg"), Bytes(300, '\x7f'));

    for (const char* sBad : {"X.bmp", "Bad.jpg"}) {
        const bool bBadBack = sBad[0] == 'X';
        settings.SaveSetting(SettingCardBacks, std::string(bBadBack ? "X" : "Red"));
        settings.SaveSetting(SettingCardSet, std::string(bBadBack ? "Default" : "Bad"));
        reporter.errors.clear();
        EXPECT_FALSE(b.LoadPictureSets(settings));
        ASSERT_EQ(reporter.errors.size(), 1u) << sBad;
        EXPECT_EQ(reporter.errors[0].sProcedure, "frmMain::LoadPictureSets");
        EXPECT_FALSE(reporter.errors[0].bFatal);
        EXPECT_EQ(reporter.errors[0].lNumber, ErrInvalidPicture);
        EXPECT_NE(reporter.errors[0].sDescription.find(sBad), std::string::npos);
        if (bBadBack) {
            EXPECT_EQ(PixelsOf(b.picBack()), back);
        } else {
            EXPECT_EQ(b.picBack().Pixel(35, 48), (Rgb{200, 0, 0}));
        }
        EXPECT_EQ(PixelsOf(b.picBackInv()), inv) << sBad;
        EXPECT_EQ(PixelsOf(b.picCardSet()), set) << sBad;
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(PictureBuffersTest, UnwritableFolderShowsTheNoticeAndLoadingThenFails) {
    PictureBuffers& b = Buffers(root / "NoSuch" / "Cards", root / "NoSuch" / "Backs");
    EXPECT_FALSE(b.ExtractPicture(PictureCardBack));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].sText,
              "Default card sets couldn't be loaded. Please check that the program isn't "
              "running in a read-only folder.");
    EXPECT_EQ(shown[0].sTitle, "Error !");
    EXPECT_EQ(shown[0].uType, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_FALSE(b.ExtractPicture(7));  // any kind but 1 is the card set
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_TRUE(reporter.errors.empty());

    shown.clear();
    EXPECT_FALSE(b.LoadPictureSets(settings));
    EXPECT_EQ(shown.size(), 2u);  // both defaults were attempted
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_EQ(reporter.errors[0].lNumber, ErrFileNotFound);
    EXPECT_FALSE(reporter.errors[0].bFatal);
}

TEST_F(PictureBuffersTest, SaveResourceToFileWritesExactBytesOrAnswersFalse) {
    PictureBuffers& b = Buffers();
    const fs::path target = root / "profiles.dat";
    WriteBytes(target, Bytes(9000, 'z'));  // a longer file is replaced, not overwritten in part
    ASSERT_TRUE(b.SaveResourceToFile(Utf8(target), "PROFILE", "DEFAULT"));
    EXPECT_EQ(ReadBytes(target),
              ReadBytes(fs::path(QUILLON_SOURCE_DIR) / "src" / "resources" / "profiles.dat"));
    // No such type, no such name, no such folder, a folder in the way.
    for (const auto& [path, sType, sName] :
         {std::tuple{root / "none.bin", "NOSUCH", "DEFAULT"},
          {root / "none.bin", "BACK", "OTHER"},
          {root / "missing" / "x.bmp", "BACK", "DEFAULT"},
          {root / "Cards", "BACK", "DEFAULT"}})
        EXPECT_FALSE(b.SaveResourceToFile(Utf8(path), sType, sName)) << sType << " " << sName;
    EXPECT_FALSE(fs::exists(root / "none.bin"));
}

// --- Mask and border, drawing handles, the loader -------------------------------------------

// The engine reads pictures only through the handles; each must name its own buffer.
TEST_F(PictureBuffersTest, CachedHandlesShowWhatALaterLoadPutInTheBuffers) {
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    MemoryCanvas board(10, 10);
    const CardSurfaces surfaces = b.CacheDrawingHandles(&board);
    EXPECT_EQ(surfaces.pBoard, &board);

    WriteBmp(Backs("Plain.bmp"), 71, 96, [](int, int) { return Rgb{10, 20, 30}; });
    WriteBmp(Cards("Small.jpg"), 142, 96, [](int x, int) {
        return Rgb{static_cast<uint8_t>(x), 1, 2};
    });
    settings.SaveSetting(SettingCardBacks, std::string("Plain"));
    settings.SaveSetting(SettingCardSet, std::string("Small"));
    ASSERT_TRUE(b.LoadPictureSets(settings));
    const auto pixel = [](const ICanvas* p, int x, int y) {
        return dynamic_cast<const MemoryCanvas&>(*p).Pixel(x, y);
    };
    EXPECT_EQ(pixel(surfaces.pBack, 35, 48), (Rgb{10, 20, 30}));
    EXPECT_EQ(pixel(surfaces.pBackInv, 35, 48), (Rgb{245, 235, 225}));
    EXPECT_EQ(pixel(surfaces.pMask, 35, 48), kBlack);
    EXPECT_EQ(pixel(surfaces.pBorder, 35, 48), kWhite);
    EXPECT_EQ(pixel(surfaces.pCardSet, 100, 5), (Rgb{100, 1, 2}));
}

// The platform's loader refuses relative paths; ours makes them full and keeps the image's size.
TEST_F(PictureBuffersTest, LoaderReadsEveryPixelFromARelativePathAndNamesAMissingFile) {
    WriteBmp(root / "odd.bmp", 37, 13, Gradient);
    const fs::path saved = fs::current_path();
    fs::current_path(root);
    const MemoryCanvas picture = LoadPictureFile("odd.bmp");
    fs::current_path(saved);
    ASSERT_EQ(picture.Width(), 37);
    ASSERT_EQ(picture.Height(), 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(picture.Pixel(x, y), Gradient(x, y)) << x << "," << y;

    try {
        LoadPictureFile(Utf8(root / "absent.jpg"));
        FAIL() << "no exception";
    } catch (const QuillonError& e) {
        EXPECT_EQ(e.Number(), ErrFileNotFound);
        EXPECT_NE(std::string(e.what()).find("absent.jpg"), std::string::npos);
    }
    EXPECT_THROW(LoadBitmapResource(GetModuleHandleW(nullptr), "NO_SUCH_BITMAP"), QuillonError);
}

}  // namespace
}  // namespace quillon::win

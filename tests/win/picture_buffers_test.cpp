// Card pictures on Windows: the default files written out of the resources, the chosen back
// and set with their fallback to "Default", failures that leave the buffers alone, the
// read-only-folder notice, the inverted back, the mask and border resources, and the loader.

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
#include <utility>
#include <vector>

#include "board/win/gdi_canvas.h"
#include "board/win/picture_loader.h"
#include "engine/card_layout.h"
#include "engine/software_canvas.h"
#include "shell/error_report.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "support/fakes.h"

namespace quillon::win {
namespace {

namespace fs = std::filesystem;
using test::RecordingReporter;

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

// A 24-bit BMP file of the given pixels, written by hand so the loader is checked against
// pixels we chose rather than against another decoder.
void WriteBmp(const fs::path& path, int lWidth, int lHeight,
              const std::function<Rgb(int, int)>& pixel) {
    const int lStride = (lWidth * 3 + 3) & ~3;
    const uint32_t lImage = static_cast<uint32_t>(lStride * lHeight);
    Bytes file(54 + lImage, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, 54 + lImage);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(lWidth));
    put32(22, static_cast<uint32_t>(lHeight));
    file[26] = 1;
    file[28] = 24;
    put32(34, lImage);
    for (int y = 0; y < lHeight; ++y) {
        const size_t row = 54 + static_cast<size_t>(lHeight - 1 - y) * lStride;  // bottom-up
        for (int x = 0; x < lWidth; ++x) {
            const Rgb c = pixel(x, y);
            file[row + 3 * x] = static_cast<char>(c.b);
            file[row + 3 * x + 1] = static_cast<char>(c.g);
            file[row + 3 * x + 2] = static_cast<char>(c.r);
        }
    }
    WriteBytes(path, file);
}

// Every pixel differs from its neighbours, the corners and outline included.
Rgb Gradient(int x, int y) {
    return {static_cast<uint8_t>(3 * x + 20), static_cast<uint8_t>(2 * y + 7),
            static_cast<uint8_t>((x * y) % 251)};
}

Rgb Not(Rgb c) {
    return {static_cast<uint8_t>(~c.r), static_cast<uint8_t>(~c.g), static_cast<uint8_t>(~c.b)};
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

// --- Default pictures -------------------------------------------------------------------------

TEST_F(PictureBuffersTest, FirstStartWritesBothDefaultsByteForByteAndLoadsThem) {
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_TRUE(reporter.errors.empty());
    EXPECT_TRUE(shown.empty());

    const Bytes backFile = ReadBytes(Backs("Default.bmp"));
    const Bytes setFile = ReadBytes(Cards("Default.jpg"));
    ASSERT_FALSE(backFile.empty());
    EXPECT_EQ(backFile, ReadBytes(ArtFile("back.bmp")));
    EXPECT_EQ(setFile, ReadBytes(ArtFile("cardset.jpg")));

    EXPECT_EQ(b.picBack().Width(), 71);
    EXPECT_EQ(b.picBack().Height(), 96);
    EXPECT_EQ(b.picCardSet().Width(), 1775);
    EXPECT_EQ(b.picCardSet().Height(), 96);
}

TEST_F(PictureBuffersTest, DefaultBackPixelsAreTheBitmapsOwn) {
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    // The same file through the bitmap loader, a second road to the same pixels.
    const ScopedGdiObject bitmap(LoadImageW(nullptr, Backs("Default.bmp").wstring().c_str(),
                                            IMAGE_BITMAP, 0, 0,
                                            LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap);
    MemoryCanvas reference(71, 96);
    const ScopedMemoryDC dc(CreateCompatibleDC(reference.Dc()));
    const ScopedSelect selected(dc.Get(), bitmap.Get());
    ASSERT_TRUE(::BitBlt(reference.Dc(), 0, 0, 71, 96, dc.Get(), 0, 0, SRCCOPY));
    EXPECT_EQ(PixelsOf(b.picBack()), PixelsOf(reference));
}

TEST_F(PictureBuffersTest, DeletedDefaultBackIsWrittenAgainByTheNextLoad) {
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    fs::remove(Backs("Default.bmp"));
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_EQ(ReadBytes(Backs("Default.bmp")), ReadBytes(ArtFile("back.bmp")));
    EXPECT_TRUE(shown.empty());
}

TEST_F(PictureBuffersTest, ExistingDefaultIsNeverRewritten) {
    WriteBmp(Cards("Default.jpg"), 71, 96, Gradient);
    const Bytes own = ReadBytes(Cards("Default.jpg"));
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_EQ(ReadBytes(Cards("Default.jpg")), own);
    EXPECT_EQ(b.picCardSet().Width(), 71);
    EXPECT_EQ(b.picCardSet().Pixel(70, 95), Gradient(70, 95));
}

// --- Chosen pictures --------------------------------------------------------------------------

TEST_F(PictureBuffersTest, ChosenSetAndBackAreLoadedFromTheirFolders) {
    WriteBmp(Cards("Mine.jpg"), 200, 96, Gradient);  // any format the loader reads will do
    WriteBmp(Backs("Blue.bmp"), 71, 96, [](int, int) { return Rgb{0, 0, 200}; });
    settings.SaveSetting(SettingCardSet, std::string("Mine"));
    settings.SaveSetting(SettingCardBacks, std::string("Blue"));
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    ASSERT_EQ(b.picCardSet().Width(), 200);  // a narrow strip is not refused
    ASSERT_EQ(b.picCardSet().Height(), 96);
    for (auto [x, y] : {std::pair{0, 0}, {199, 95}, {71, 40}, {150, 3}})
        EXPECT_EQ(b.picCardSet().Pixel(x, y), Gradient(x, y)) << x << "," << y;
    EXPECT_EQ(b.picBack().Pixel(35, 48), (Rgb{0, 0, 200}));
}

TEST_F(PictureBuffersTest, MissingChosenPicturesFallBackToDefaultAndTheSettingsKeepTheirNames) {
    WriteBmp(Cards("Mine.jpg"), 1775, 96, Gradient);
    settings.SaveSetting(SettingCardSet, std::string("Mine"));
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    ASSERT_EQ(b.picCardSet().Pixel(500, 50), Gradient(500, 50));

    fs::remove(Cards("Mine.jpg"));
    settings.SaveSetting(SettingCardBacks, std::string("Gone"));  // never existed
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_TRUE(reporter.errors.empty());
    EXPECT_EQ(settings.GetSettingText(SettingCardSet), "Mine");
    EXPECT_EQ(settings.GetSettingText(SettingCardBacks), "Gone");
    EXPECT_EQ(PixelsOf(b.picCardSet()), PixelsOf(LoadPictureFile(Utf8(Cards("Default.jpg")))));
    EXPECT_EQ(PixelsOf(b.picBack()), PixelsOf(LoadPictureFile(Utf8(Backs("Default.bmp")))));
}

// --- Failures -----------------------------------------------------------------------------------

TEST_F(PictureBuffersTest, CorruptBackIsReportedNotFatalAndLeavesEveryBufferAsItWas) {
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    const auto back = PixelsOf(b.picBack());
    const auto inv = PixelsOf(b.picBackInv());
    const auto set = PixelsOf(b.picCardSet());

    WriteBytes(Backs("X.bmp"), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r',
                                     'e', 0,   1,   2,   3,   4,   5,   6,   7,   8,   9});
    settings.SaveSetting(SettingCardBacks, std::string("X"));
    EXPECT_FALSE(b.LoadPictureSets(settings));
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_EQ(reporter.errors[0].sProcedure, "frmMain::LoadPictureSets");
    EXPECT_FALSE(reporter.errors[0].bFatal);
    EXPECT_EQ(reporter.errors[0].lNumber, ErrInvalidPicture);
    EXPECT_NE(reporter.errors[0].sDescription.find("X.bmp"), std::string::npos);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(PixelsOf(b.picBack()), back);
    EXPECT_EQ(PixelsOf(b.picBackInv()), inv);
    EXPECT_EQ(PixelsOf(b.picCardSet()), set);
}

TEST_F(PictureBuffersTest, CorruptSetKeepsTheNewBackButSkipsTheInvertedBack) {
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    const auto inv = PixelsOf(b.picBackInv());
    const auto set = PixelsOf(b.picCardSet());

    WriteBmp(Backs("Red.bmp"), 71, 96, [](int, int) { return Rgb{200, 0, 0}; });
    WriteBytes(Cards("Bad.jpg"), Bytes(300, '\x7f'));
    settings.SaveSetting(SettingCardBacks, std::string("Red"));
    settings.SaveSetting(SettingCardSet, std::string("Bad"));
    EXPECT_FALSE(b.LoadPictureSets(settings));
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_NE(reporter.errors[0].sDescription.find("Bad.jpg"), std::string::npos);
    EXPECT_EQ(b.picBack().Pixel(35, 48), (Rgb{200, 0, 0}));
    EXPECT_EQ(PixelsOf(b.picBackInv()), inv);
    EXPECT_EQ(PixelsOf(b.picCardSet()), set);
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
    EXPECT_EQ(reporter.errors[0].sProcedure, "frmMain::LoadPictureSets");
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

    EXPECT_FALSE(b.SaveResourceToFile(Utf8(root / "none.bin"), "NOSUCH", "DEFAULT"));
    EXPECT_FALSE(fs::exists(root / "none.bin"));
    EXPECT_FALSE(b.SaveResourceToFile(Utf8(root / "none.bin"), "BACK", "OTHER"));
    EXPECT_FALSE(b.SaveResourceToFile(Utf8(root / "missing" / "x.bmp"), "BACK", "DEFAULT"));
    // A folder in the way of the file.
    EXPECT_FALSE(b.SaveResourceToFile(Utf8(root / "Cards"), "BACK", "DEFAULT"));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(reporter.errors.empty());
}

// --- Inverted back, mask and border, drawing handles ------------------------------------------

void ExpectInvertedBack(const MemoryCanvas& inv, const MemoryCanvas& back) {
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 71; ++x) {
            Rgb want = Not(back.Pixel(x, y));
            if (IsOutline(x, y)) want = kBlack;
            if (IsOutsideCorner(x, y)) want = kBoardGreen;
            ASSERT_EQ(inv.Pixel(x, y), want) << x << "," << y;
        }
    }
}

TEST_F(PictureBuffersTest, InvertedDefaultBackIsComplementedInsideBlackOutlineGreenCorners) {
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    ExpectInvertedBack(b.picBackInv(), b.picBack());
}

TEST_F(PictureBuffersTest, InvertedBackIgnoresTheBacksOwnCornerAndOutlineColours) {
    for (const auto& [sName, fill] :
         std::vector<std::pair<std::string, std::function<Rgb(int, int)>>>{
             {"Grad", Gradient},
             {"White", [](int, int) { return kWhite; }},
             {"Green", [](int, int) { return kBoardGreen; }},
             {"Black", [](int, int) { return kBlack; }}}) {
        WriteBmp(root / "Backs" / (sName + ".bmp"), 71, 96, fill);
        settings.SaveSetting(SettingCardBacks, sName);
        PictureBuffers& b = Buffers();
        ASSERT_TRUE(b.LoadPictureSets(settings)) << sName;
        EXPECT_EQ(b.picBack().Pixel(0, 0), fill(0, 0)) << sName;
        ExpectInvertedBack(b.picBackInv(), b.picBack());
    }
}

TEST_F(PictureBuffersTest, MaskAndBorderResourcesHaveTheCardLayout) {
    PictureBuffers& b = Buffers();
    SoftwareCanvas mask(71, 96, {1, 2, 3});
    SoftwareCanvas border(71, 96, {1, 2, 3});
    PaintCardMask(mask);
    PaintCardBorder(border);
    ASSERT_EQ(b.picMask().Width(), 71);
    ASSERT_EQ(b.picMask().Height(), 96);
    ASSERT_EQ(b.picBorder().Width(), 71);
    ASSERT_EQ(b.picBorder().Height(), 96);
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 71; ++x) {
            ASSERT_EQ(b.picMask().Pixel(x, y), mask.Pixel(x, y)) << "mask " << x << "," << y;
            ASSERT_EQ(b.picBorder().Pixel(x, y), border.Pixel(x, y)) << "border " << x << "," << y;
        }
    }
}

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
    // The engine reads pictures only through the handles; each must name its own buffer.
    const auto pixel = [](const ICanvas* p, int x, int y) {
        return dynamic_cast<const MemoryCanvas&>(*p).Pixel(x, y);
    };
    EXPECT_EQ(pixel(surfaces.pBack, 35, 48), (Rgb{10, 20, 30}));
    EXPECT_EQ(pixel(surfaces.pBackInv, 35, 48), (Rgb{245, 235, 225}));
    EXPECT_EQ(pixel(surfaces.pMask, 35, 48), kBlack);
    EXPECT_EQ(pixel(surfaces.pBorder, 35, 48), kWhite);
    EXPECT_EQ(surfaces.pCardSet->Width(), 142);
    EXPECT_EQ(pixel(surfaces.pCardSet, 100, 5), (Rgb{100, 1, 2}));
}

// --- The loader -------------------------------------------------------------------------------

TEST_F(PictureBuffersTest, LoaderKeepsTheImagesOwnSizeAndAcceptsARelativePath) {
    WriteBmp(root / "odd.bmp", 37, 13, Gradient);
    // The platform's loader refuses relative paths; ours makes them full.
    struct CurrentDirectory {
        explicit CurrentDirectory(const fs::path& to) : saved(fs::current_path()) {
            fs::current_path(to);
        }
        ~CurrentDirectory() { fs::current_path(saved); }
        fs::path saved;
    };
    const MemoryCanvas picture = [&] {
        const CurrentDirectory inRoot(root);
        return LoadPictureFile("odd.bmp");
    }();
    ASSERT_EQ(picture.Width(), 37);
    ASSERT_EQ(picture.Height(), 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(picture.Pixel(x, y), Gradient(x, y)) << x << "," << y;
}

TEST_F(PictureBuffersTest, LoaderNamesTheMissingFile) {
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

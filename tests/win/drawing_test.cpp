// Drawing and pictures under Wine. GDI is checked against the software canvas, which the
// native suite pins down pixel for pixel: every raster operation and fill with its clipping,
// the mask and border resources, the engine's card drawing. Then the picture loader and the
// board's picture buffers, in a folder whose name is not plain ASCII: defaults written out of the
// resources, the chosen back and set with their fallback to "Default", failures that leave the
// buffers alone, the read-only notice.

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
#include <utility>
#include <vector>

#include "board/win/picture_buffers.h"
#include "engine/card_layout.h"
#include "engine/software_canvas.h"
#include "shell/error_report.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "shell/win/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/win/gdi_canvas.h"
#include "ui/win/picture_loader.h"

namespace quillon::win {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<char>;

// A pattern with every channel varying, so a wrong operation, offset or channel shows.
Rgb Pattern(int x, int y, int lSeed = 0) {
    return {static_cast<uint8_t>(x * 7 + y * 3 + lSeed), static_cast<uint8_t>(x * y + lSeed * 5),
            static_cast<uint8_t>(255 - x * 11 + y * 13 + lSeed)};
}

template <typename Canvas>
void Paint(Canvas& c, int lSeed) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) c.SetPixel(x, y, Pattern(x, y, lSeed));
}

// A 24-bit bottom-up BMP written by hand, so that the loader is checked against pixels the
// test chose rather than against another decoder. The loader reads it whatever the extension.
void WriteBmp(const fs::path& path, int lWidth, int lHeight,
              const std::function<Rgb(int, int)>& pixel) {
    const int lStride = (lWidth * 3 + 3) & ~3;
    const BITMAPINFOHEADER info{sizeof info, lWidth, lHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD lOffset = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER header{0x4D42, lOffset + lStride * lHeight, 0, 0, lOffset};
    std::vector<char> rows(static_cast<size_t>(lStride * lHeight));
    for (int y = 0; y < lHeight; ++y)
        for (int x = 0; x < lWidth; ++x) {
            const Rgb c = pixel(x, y);
            char* p = &rows[static_cast<size_t>((lHeight - 1 - y) * lStride + 3 * x)];
            std::tie(p[0], p[1], p[2]) = std::tuple(c.b, c.g, c.r);
        }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
}

Rgb Gradient(int x, int y) { return Pattern(x, y); }

testing::AssertionResult SamePixels(const MemoryCanvas& gdi, const SoftwareCanvas& soft) {
    for (int y = 0; y < gdi.Height(); ++y)
        for (int x = 0; x < gdi.Width(); ++x)
            if (gdi.Pixel(x, y) != soft.Pixel(x, y))
                return testing::AssertionFailure() << "first difference at " << x << "," << y;
    return testing::AssertionSuccess();
}

TEST(GdiCanvas, EveryRasterOperationAndFillMatchesTheSoftwareCanvasWithClipping) {
    // Inside; cut on the left and top; past the source's right and bottom; negative source
    // start; outside; empty; larger than the source; a fill reaching past the right edge.
    const struct {
        int x, y, w, h, sx, sy;
    } blits[] = {{5, 4, 20, 10, 3, 2},     {-6, -3, 20, 12, 0, 0}, {30, 20, 25, 25, 28, 15},
                 {10, 10, 15, 15, -4, -7}, {60, 2, 10, 10, 0, 0},  {2, 2, 0, 5, 0, 0},
                 {0, 0, 40, 30, 0, 0},     {40, 30, 30, 30, 0, 0}};
    for (RasterOp eOp :
         {RasterOp::Copy, RasterOp::And, RasterOp::Or, RasterOp::Xor, RasterOp::DstInvert}) {
        for (const auto& c : blits) {
            MemoryCanvas gdiDst(48, 36), gdiSrc(32, 24);
            SoftwareCanvas softDst(48, 36), softSrc(32, 24);
            Paint(gdiDst, 1), Paint(softDst, 1), Paint(gdiSrc, 90), Paint(softSrc, 90);
            gdiDst.BitBlt(c.x, c.y, c.w, c.h, &gdiSrc, c.sx, c.sy, eOp);
            softDst.BitBlt(c.x, c.y, c.w, c.h, &softSrc, c.sx, c.sy, eOp);
            gdiDst.FillRect(c.x + 2, c.y - 6, c.w / 2 - 4, c.h, {1, 200, 100});
            softDst.FillRect(c.x + 2, c.y - 6, c.w / 2 - 4, c.h, {1, 200, 100});
            EXPECT_TRUE(SamePixels(gdiDst, softDst))
                << "op " << static_cast<int>(eOp) << " at " << c.x << "," << c.y;
        }
    }
}

// The board window's surface may be larger than the board: the canvas's size bounds drawing.
TEST(GdiCanvas, ClipsToItsOwnSizeNotTheBitmaps) {
    MemoryCanvas bitmap(40, 40, kWhite);
    GdiCanvas view(bitmap.Dc(), 20, 10);
    view.BitBlt(0, 0, 40, 40, nullptr, 0, 0, RasterOp::DstInvert);
    view.FillRect(15, 5, 20, 20, kBoardGreen);
    EXPECT_EQ((std::vector{bitmap.Pixel(19, 9), bitmap.Pixel(20, 9), bitmap.Pixel(0, 10)}),
              (std::vector{kBoardGreen, kWhite, kWhite}));
    const SoftwareCanvas soft(10, 10);
    EXPECT_THROW(view.BitBlt(0, 0, 5, 5, &soft, 0, 0, RasterOp::Copy), QuillonError);
}

TEST(GdiCanvas, MaskAndBorderResourcesAreTheCardLayouts) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const MemoryCanvas mask = LoadBitmapResource(module, "CARD_MASK");
    const MemoryCanvas border = LoadBitmapResource(module, "CARD_BORDER");
    SoftwareCanvas painted(kCardWidth, kCardHeight);
    PaintCardMask(painted);
    EXPECT_TRUE(SamePixels(mask, painted)) << "mask resource";
    PaintCardBorder(painted);
    EXPECT_TRUE(SamePixels(border, painted)) << "border resource";
}

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const fs::path kResources = fs::path(QUILLON_SOURCE_DIR) / "src" / "resources";

std::string Utf8(const fs::path& path) { return Narrow(path.wstring()); }

Rgb Plain(int, int) { return {0, 0, 200}; }

class PictureBuffersTest : public testing::Test {
  protected:
    PictureBuffers& Buffers(const fs::path& where) {
        buffers = std::make_unique<PictureBuffers>(
            GetModuleHandleW(nullptr),
            PictureFolders{Utf8(where / "Cards") + "\\", Utf8(where / "Backs") + "\\"}, reporter,
            [this](const std::string& sText, const std::string& sTitle, UINT uType) {
                shown.push_back(sTitle + "|" + sText + "|" + std::to_string(uType));
            });
        buffers->LoadMaskAndBorder();
        return *buffers;
    }
    void SetUp() override {
        fs::create_directories(folder / "Cards");
        fs::create_directories(folder / "Backs");
    }
    PictureBuffers& Buffers() { return Buffers(folder); }
    fs::path Cards(const char* sName) const { return folder / "Cards" / sName; }
    fs::path Backs(const char* sName) const { return folder / "Backs" / sName; }
    void Choose(const char* sSet, const char* sBack) {
        settings.SaveSetting(SettingCardSet, std::string(sSet));
        settings.SaveSetting(SettingCardBacks, std::string(sBack));
    }

    test::TempFolder root;
    // The program's folder may have a name that is not plain ASCII.
    const fs::path folder = root.path / L"Jeux M\u00e9moire";
    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    std::vector<std::string> shown;
    std::unique_ptr<PictureBuffers> buffers;
};

// A default is written out of the resources only when its file is missing; a chosen picture
// that is missing falls back to the default, the setting keeping its name.
TEST_F(PictureBuffersTest, DefaultsChosenPicturesAndTheirFallback) {
    WriteBmp(Cards("Default.jpg"), 71, 96, Gradient);  // a user's own default set
    const Bytes own = ReadBytes(Cards("Default.jpg"));
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_EQ(ReadBytes(Cards("Default.jpg")), own);
    EXPECT_EQ(ReadBytes(Backs("Default.bmp")), ReadBytes(kResources / "art" / "back.bmp"));
    EXPECT_EQ(b.picCardSet().Pixel(70, 95), Gradient(70, 95));
    const Rgb defaultBack = b.picBack().Pixel(35, 48);

    WriteBmp(Cards("Mine.jpg"), 200, 96, Gradient);
    WriteBmp(Backs("Blue.bmp"), 71, 96, Plain);
    Choose("Mine", "Blue");
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_EQ(b.picCardSet().Width(), 200);  // a narrow strip is not refused
    EXPECT_EQ(b.picBack().Pixel(35, 48), Plain(0, 0));
    // The handles the engine draws with name each its own buffer.
    MemoryCanvas board(10, 10);
    const CardSurfaces s = b.CacheDrawingHandles(&board);
    EXPECT_EQ((std::vector<const ICanvas*>{s.pBoard, s.pBack, s.pBackInv, s.pMask, s.pBorder,
                                           s.pCardSet}),
              (std::vector<const ICanvas*>{&board, &b.picBack(), &b.picBackInv(), &b.picMask(),
                                           &b.picBorder(), &b.picCardSet()}));
    EXPECT_EQ(b.picBackInv().Pixel(35, 48), (Rgb{255, 255, 55}));

    fs::remove(Cards("Mine.jpg"));
    fs::remove(Backs("Blue.bmp"));
    fs::remove(Cards("Default.jpg"));
    ASSERT_TRUE(b.LoadPictureSets(settings));
    EXPECT_EQ(ReadBytes(Cards("Default.jpg")), ReadBytes(kResources / "art" / "cardset.jpg"));
    EXPECT_EQ(b.picCardSet().Width(), 1775);
    EXPECT_EQ(b.picBack().Pixel(35, 48), defaultBack);
    EXPECT_EQ(settings.GetSettingText(SettingCardSet), "Mine");
    EXPECT_EQ(settings.GetSettingText(SettingCardBacks), "Blue");
    EXPECT_TRUE(reporter.errors.empty() && shown.empty());
}

// A corrupt picture is reported, not fatal, naming the file; the buffers keep what they held.
TEST_F(PictureBuffersTest, CorruptPictureIsReportedAndLeavesTheBuffersAlone) {
    PictureBuffers& b = Buffers();
    ASSERT_TRUE(b.LoadPictureSets(settings));
    const Rgb back = b.picBack().Pixel(35, 48);
    std::ofstream(Backs("X.bmp"), std::ios::binary) << "not a picture";
    Choose("Default", "X");
    EXPECT_FALSE(b.LoadPictureSets(settings));
    ASSERT_EQ(reporter.errors.size(), 1u);
    const test::ReportedError& e = reporter.errors[0];
    EXPECT_EQ(std::tuple(e.sProcedure, e.bFatal, e.lNumber),
              std::tuple("frmMain::LoadPictureSets", false, ErrInvalidPicture));
    EXPECT_NE(e.sDescription.find("X.bmp"), std::string::npos);
    EXPECT_EQ(b.picBack().Pixel(35, 48), back);

    // A corrupt set comes after the new back, and the inverted back is not made of it.
    const Rgb inverted = b.picBackInv().Pixel(35, 48);
    WriteBmp(Backs("Blue.bmp"), 71, 96, Plain);
    std::ofstream(Cards("Bad.jpg"), std::ios::binary) << "not a picture either";
    Choose("Bad", "Blue");
    EXPECT_FALSE(b.LoadPictureSets(settings));
    EXPECT_EQ(b.picBack().Pixel(35, 48), Plain(0, 0));
    EXPECT_EQ(b.picBackInv().Pixel(35, 48), inverted);
    EXPECT_EQ(b.picCardSet().Width(), 1775);
}

TEST_F(PictureBuffersTest, UnwritableFolderShowsTheNoticeAndLoadingThenFails) {
    PictureBuffers& b = Buffers(folder / "NoSuch");
    EXPECT_FALSE(b.LoadPictureSets(settings));
    const std::string sNotice =
        "Error !|Default card sets couldn't be loaded. Please check that the program isn't "
        "running in a read-only folder.|" +
        std::to_string(MB_ICONEXCLAMATION | MB_OK);
    EXPECT_EQ(shown, (std::vector<std::string>{sNotice, sNotice}));
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_EQ(reporter.errors[0].lNumber, ErrFileNotFound);
}

// The platform's loader refuses relative paths; ours makes them full and keeps the image's size.
TEST_F(PictureBuffersTest, LoaderReadsEveryPixelFromARelativePath) {
    WriteBmp(folder / "odd.bmp", 37, 13, Gradient);
    const fs::path saved = fs::current_path();
    fs::current_path(folder);
    const MemoryCanvas picture = LoadPictureFile("odd.bmp");
    fs::current_path(saved);
    ASSERT_EQ(picture.Width(), 37);
    ASSERT_EQ(picture.Height(), 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(picture.Pixel(x, y), Gradient(x, y)) << x << "," << y;
    EXPECT_THROW(LoadBitmapResource(GetModuleHandleW(nullptr), "NO_SUCH_BITMAP"), QuillonError);
}

}  // namespace
}  // namespace quillon::win

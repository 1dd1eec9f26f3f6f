// The options dialog's pieces that need Windows but no window: the picture lists read from the
// data folders of a temporary program folder, and the masked previews drawn by GDI with the
// program's own mask and border.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ui/win/gdi_canvas.h"
#include "ui/win/picture_loader.h"
#include "engine/card_layout.h"
#include "options/options_rules.h"
#include "options/win/picture_lists.h"
#include "shell/win/modFiles.h"
#include "shell/win/text.h"
#include "support/bmp_file.h"

namespace quillon::win {
namespace {

namespace fs = std::filesystem;
using test::WriteBmp;

// Face n of a strip: red tells the face, green and blue the place inside it.
Rgb FacePixel(int x, int y) {
    return {static_cast<uint8_t>(10 * (x / kCardWidth) + 5), static_cast<uint8_t>(x % kCardWidth),
            static_cast<uint8_t>(y + 100)};
}

Rgb DialogFace() {
    const COLORREF c = GetSysColor(COLOR_BTNFACE);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

class OptionsPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        static int lRun = 0;
        root = fs::temp_directory_path() / ("quillon_options_" +
                                            std::to_string(GetCurrentProcessId()) + "_" +
                                            std::to_string(++lRun));
        fs::remove_all(root);
        fs::create_directories(root);
        paths = std::make_unique<AppPaths>(Narrow(root.wstring()) + "\\");
        cards = fs::path(Widen(paths->GetPath(PathCards)));
        backs = fs::path(Widen(paths->GetPath(PathBacks)));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path root, cards, backs;
    std::unique_ptr<AppPaths> paths;
};

TEST_F(OptionsPictures, ListsHoldThePictureFilesByDisplayName) {
    WriteBmp(backs / "old WEST.bmp", 1, 1, FacePixel);
    WriteBmp(backs / "Blue.BMP", 1, 1, FacePixel);
    WriteBmp(backs / "notes.txt", 1, 1, FacePixel);
    WriteBmp(backs / "set.jpg", 1, 1, FacePixel);
    fs::create_directories(backs / "folder.bmp");
    WriteBmp(cards / "a.b.jpg", 1, 1, FacePixel);
    WriteBmp(cards / "wide.jpeg", 1, 1, FacePixel);

    std::vector<std::string> names = ListPictureNames(Narrow(backs.wstring()), ".bmp");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Blue", "Old West"}));
    EXPECT_EQ(ListPictureNames(Narrow(cards.wstring()), ".jpg"), std::vector<std::string>{"A.b"});
    EXPECT_TRUE(ListPictureNames(Narrow((root / "none").wstring()) + "\\", ".bmp").empty());
}

// GDI's raster operations with the program's own mask and border, as the dialog draws them.
TEST_F(OptionsPictures, PreviewOfTheLastTwoFacesOverGdi) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const MemoryCanvas mask = LoadBitmapResource(module, "CARD_MASK");
    const MemoryCanvas border = LoadBitmapResource(module, "CARD_BORDER");
    MemoryCanvas strip(kCardWidth * kFaces, kCardHeight);
    for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < strip.Width(); ++x) strip.SetPixel(x, y, FacePixel(x, y));
    MemoryCanvas preview(kSetPreviewWidth, kCardHeight, {9, 9, 9});
    DrawCardPreview(preview, strip, kCardWidth * kLastPreviewPosition, kPreviewCards, mask, border,
                    DialogFace());
    for (int lCell = 0; lCell < kPreviewCards; ++lCell) {
        for (int y = 0; y < kCardHeight; ++y) {
            for (int x = 0; x < kCardWidth; ++x) {
                Rgb want = FacePixel(kCardWidth * (kLastPreviewPosition + lCell) + x, y);
                if (IsOutsideCorner(x, y)) want = DialogFace();
                if (IsOutline(x, y)) want = kBlack;
                ASSERT_EQ(preview.Pixel(kCardWidth * lCell + x, y), want)
                    << "cell " << lCell << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace quillon::win

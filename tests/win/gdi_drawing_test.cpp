// GDI drawing checked against the software canvas: the raster operations and clipping of
// GdiCanvas, and a whole game drawn by the engine on both over the real pictures (backs, faces
// of every identity, a flash, the selection mark, the inverted back) compared pixel for pixel,
// and the mask and border resources against the card layout.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/win/gdi_canvas.h"
#include "board/win/picture_buffers.h"
#include "engine/card_layout.h"
#include "engine/clsGame.h"
#include "engine/software_canvas.h"
#include "engine/turn_finish.h"
#include "profiles/profile_file.h"
#include "profiles/profile_record.h"
#include "shell/error_report.h"
#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/settings.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "support/fakes.h"

namespace quillon::win {
namespace {

namespace fs = std::filesystem;

constexpr int kBoardWidth = kCardWidth * kColumns;  // 710
constexpr int kBoardHeight = kCardHeight * kRows;   // 480

// A pattern with every channel varying, so a wrong operation or offset shows.
template <typename Canvas>
void Paint(Canvas& c, int lSeed) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            c.SetPixel(x, y,
                       {static_cast<uint8_t>(x * 7 + y * 3 + lSeed),
                        static_cast<uint8_t>(x * y + lSeed * 5),
                        static_cast<uint8_t>(255 - x * 11 + y * 13 + lSeed)});
}

SoftwareCanvas ToSoftware(const MemoryCanvas& c) {
    SoftwareCanvas out(c.Width(), c.Height());
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) out.SetPixel(x, y, c.Pixel(x, y));
    return out;
}

testing::AssertionResult SamePixels(const MemoryCanvas& gdi, const SoftwareCanvas& soft) {
    if (gdi.Width() != soft.Width() || gdi.Height() != soft.Height())
        return testing::AssertionFailure() << "sizes differ";
    int lDiffering = 0;
    std::string sFirst;
    for (int y = 0; y < gdi.Height(); ++y)
        for (int x = 0; x < gdi.Width(); ++x)
            if (gdi.Pixel(x, y) != soft.Pixel(x, y) && lDiffering++ == 0)
                sFirst = std::to_string(x) + "," + std::to_string(y);
    if (lDiffering == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << lDiffering << " pixels differ, first at " << sFirst;
}

// --- Raster operations and clipping -------------------------------------------------------------

TEST(GdiCanvas, EveryRasterOperationAndFillMatchesTheSoftwareCanvasWithClipping) {
    // Inside; cut on the left and top of the destination; reaching past the source's right and
    // bottom; negative source start; entirely outside; empty; larger than the source.
    const struct {
        int x, y, w, h, sx, sy;
    } blits[] = {
        {5, 4, 20, 10, 3, 2},     {-6, -3, 20, 12, 0, 0}, {30, 20, 25, 25, 28, 15},
        {10, 10, 15, 15, -4, -7}, {60, 2, 10, 10, 0, 0},  {2, 2, 0, 5, 0, 0},
        {0, 0, 40, 30, 0, 0},
    };
    for (RasterOp eOp :
         {RasterOp::Copy, RasterOp::And, RasterOp::Or, RasterOp::Xor, RasterOp::DstInvert}) {
        for (const auto& c : blits) {
            MemoryCanvas gdiDst(48, 36), gdiSrc(32, 24);
            SoftwareCanvas softDst(48, 36), softSrc(32, 24);
            Paint(gdiDst, 1);
            Paint(softDst, 1);
            Paint(gdiSrc, 90);
            Paint(softSrc, 90);
            gdiDst.BitBlt(c.x, c.y, c.w, c.h, &gdiSrc, c.sx, c.sy, eOp);
            softDst.BitBlt(c.x, c.y, c.w, c.h, &softSrc, c.sx, c.sy, eOp);
            // A fill over part of it: clipped the same way, and nothing for a negative width.
            gdiDst.FillRect(c.x + 2, c.y - 6, c.w / 2 - 4, c.h, {1, 200, 100});
            softDst.FillRect(c.x + 2, c.y - 6, c.w / 2 - 4, c.h, {1, 200, 100});
            EXPECT_TRUE(SamePixels(gdiDst, softDst))
                << "op " << static_cast<int>(eOp) << " at " << c.x << "," << c.y << " " << c.w
                << "x" << c.h << " from " << c.sx << "," << c.sy;
        }
    }
}

// The canvas's size bounds the drawing, not the bitmap behind the DC: the board window's
// surface may be larger than the board. As a source it gives only its own area.
TEST(GdiCanvas, ClipsToItsOwnSizeNotTheBitmaps) {
    MemoryCanvas bitmap(40, 40, kWhite);
    GdiCanvas view(bitmap.Dc(), 20, 10);
    view.BitBlt(0, 0, 40, 40, nullptr, 0, 0, RasterOp::DstInvert);
    view.FillRect(15, 5, 20, 20, kBoardGreen);
    EXPECT_EQ(bitmap.Pixel(19, 0), kBlack);
    EXPECT_EQ(bitmap.Pixel(19, 9), kBoardGreen);
    EXPECT_EQ(bitmap.Pixel(20, 0), kWhite);
    EXPECT_EQ(bitmap.Pixel(0, 10), kWhite);

    MemoryCanvas target(40, 40, kBoardGreen);
    target.BitBlt(-2, 0, 40, 40, &view, 0, 0, RasterOp::Copy);
    EXPECT_EQ(target.Pixel(0, 0), kBlack);        // view (2, 0)
    EXPECT_EQ(target.Pixel(18, 0), kBoardGreen);  // beyond the view's width
    EXPECT_EQ(target.Pixel(0, 10), kBoardGreen);  // beyond its height
}

TEST(GdiCanvas, SourceMustBeAGdiSurfaceAndAMovedCanvasKeepsWorking) {
    MemoryCanvas a(12, 8, kBoardGreen);
    const SoftwareCanvas soft(10, 10);
    EXPECT_THROW(a.BitBlt(0, 0, 5, 5, &soft, 0, 0, RasterOp::Copy), QuillonError);
    EXPECT_THROW(a.BitBlt(0, 0, 5, 5, nullptr, 0, 0, RasterOp::Xor), QuillonError);
    EXPECT_NO_THROW(a.BitBlt(0, 0, 5, 5, &soft, 0, 0, RasterOp::DstInvert));

    a.SetPixel(11, 7, kWhite);
    MemoryCanvas b(std::move(a));
    EXPECT_EQ(a.Width(), 0);  // NOLINT(bugprone-use-after-move): the moved-from state is defined
    EXPECT_EQ(a.Dc(), nullptr);
    MemoryCanvas c(3, 3);
    c = std::move(b);
    EXPECT_EQ(c.Width(), 12);
    EXPECT_THROW(c.Pixel(12, 0), QuillonError);
    c.BitBlt(0, 0, 12, 8, nullptr, 0, 0, RasterOp::DstInvert);
    EXPECT_EQ(c.Pixel(11, 7), kBlack);
    EXPECT_EQ(c.Pixel(4, 4), kBoardGreen);  // inverted twice
}

// --- The engine's card drawing on GDI and in software -------------------------------------------

// One board with its own game: the same deal and the same calls on either kind of surface.
struct Side {
    explicit Side(const Settings& settings) : settings(settings) {
        file.WriteAll(std::vector<uint8_t>(kProfileFileSize, 0));
        host.bDoNotShuffle = true;
    }
    void Start(const CardSurfaces& surfaces) {
        host.surfaces = surfaces;
        game = std::make_unique<clsGame>(
            GameContext{settings, random, reporter, values, host, events, file});
        // A pair is finished at once; a miss stays up until the test turns it back.
        events.onHideCards = [this](const test::HideCardsCall& c) {
            if (c.bPairWasCreated) Turn_Finish(*game, c.lX1, c.lY1, c.lX2, c.lY2, true);
        };
        game->Game_Create(GameSolo);
    }

    const Settings& settings;
    test::ScriptedRandom random;
    test::RecordingReporter reporter;
    ProgramValues values;
    test::FakeHost host;
    test::RecordingEvents events;
    MemoryProfileFile file;
    std::unique_ptr<clsGame> game;
};

TEST(BoardOnGdiAndSoftware, WholeGameOfDrawingIsIdenticalPixelForPixel) {
    ScopedCoInit co;
    ASSERT_TRUE(SUCCEEDED(co.Result()));
    const fs::path root = fs::temp_directory_path() /
                          ("quillon_drawing_" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(root);
    fs::create_directories(root / "Cards");
    fs::create_directories(root / "Backs");
    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    // The real pictures: mask and border from the bitmap resources, the default back and set
    // written out of the program and loaded back with the picture loader.
    PictureBuffers buffers(GetModuleHandleW(nullptr),
                           PictureFolders{Narrow((root / "Cards").wstring()) + "\\",
                                          Narrow((root / "Backs").wstring()) + "\\"},
                           reporter, [](const std::string&, const std::string&, UINT) {});
    buffers.LoadMaskAndBorder();
    ASSERT_TRUE(buffers.LoadPictureSets(settings));
    ASSERT_EQ(buffers.picCardSet().Width(), kCardWidth * kFaces);
    SoftwareCanvas back = ToSoftware(buffers.picBack()), mask = ToSoftware(buffers.picMask()),
                   border = ToSoftware(buffers.picBorder()),
                   cardSet = ToSoftware(buffers.picCardSet()), backInv(kCardWidth, kCardHeight);
    // The software side composes its own inverted back from the same pictures.
    ComposeInvertedBack(backInv, back, mask, border);
    EXPECT_TRUE(SamePixels(buffers.picBackInv(), backInv)) << "inverted back";
    SoftwareCanvas painted(kCardWidth, kCardHeight);
    PaintCardMask(painted);
    EXPECT_TRUE(SamePixels(buffers.picMask(), painted)) << "mask resource";
    PaintCardBorder(painted);
    EXPECT_TRUE(SamePixels(buffers.picBorder(), painted)) << "border resource";

    // On a patterned board the mask keeps whatever lay at the twelve corners.
    MemoryCanvas gdiBoard(kBoardWidth, kBoardHeight);
    SoftwareCanvas softBoard(kBoardWidth, kBoardHeight);
    Paint(gdiBoard, 33);
    Paint(softBoard, 33);
    Side gdi(settings), soft(settings);
    gdi.Start(buffers.CacheDrawingHandles(&gdiBoard));
    soft.Start({&softBoard, &back, &backInv, &mask, &border, &cardSet});
    const auto both = [&](const std::function<void(clsGame&)>& call, const char* sWhat) {
        call(*gdi.game);
        call(*soft.game);
        EXPECT_TRUE(SamePixels(gdiBoard, softBoard)) << sWhat;
    };

    both([](clsGame& g) { g.Draw_All_Backs(); }, "all backs");
    // In the unshuffled deal the k-th position, x outer and y inner, holds k div 2; so flipping
    // positions 0 to 45 in board order reveals the pairs of identities 0 to 22.
    both(
        [](clsGame& g) {
            for (int32_t k = 0; k < 46; ++k) g.Card_Flip(k / kRows, k % kRows);
        },
        "faces 0 to 22");
    ASSERT_EQ(gdi.game->Score(1), 23);
    // A miss shows faces 23 (9, 1) and 24 (9, 3) and is left up.
    both(
        [](clsGame& g) {
            g.Card_Flip(9, 1);
            g.Card_Flip(9, 3);
        },
        "faces 23 and 24");
    ASSERT_EQ(gdi.game->Cell(9, 3).lId, 24);
    // The engine really drew: a face's inside is the strip's cell.
    EXPECT_EQ(gdiBoard.Pixel(9 * kCardWidth + 35, 3 * kCardHeight + 48),
              cardSet.Pixel(24 * kCardWidth + 35, 48));

    both([](clsGame& g) { g.Draw_Card_Flash(9, 1, 9, 3); }, "after the flash");
    EXPECT_EQ(gdi.host.pauses.size(), 6u);
    // Turn the miss back as the board window does, then mark and unmark a face-down card.
    both(
        [](clsGame& g) {
            g.Draw_Card_Back(9, 1);
            g.Draw_Card_Back(9, 3);
            g.Turn_Shift(false);
        },
        "miss turned back");
    both([](clsGame& g) { g.Draw_Card_Flip(9, 4); }, "selection mark");
    EXPECT_EQ(gdiBoard.Pixel(9 * kCardWidth + 40, 4 * kCardHeight + 50), backInv.Pixel(40, 50));
    both([](clsGame& g) { g.Draw_Card_Back(9, 4, true); }, "mark removed");

    EXPECT_TRUE(gdi.reporter.errors.empty());
    EXPECT_TRUE(soft.reporter.errors.empty());
    EXPECT_TRUE(reporter.errors.empty());
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

}  // namespace
}  // namespace quillon::win

// GDI drawing checked against the software canvas: the raster operations and clipping of
// GdiCanvas, and whole boards drawn by the engine on both (backs, faces of every identity, the
// selection mark, a flash, the inverted back) compared pixel for pixel.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "board/win/gdi_canvas.h"
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
Rgb Pattern(int lSeed, int x, int y) {
    return {static_cast<uint8_t>(x * 7 + y * 3 + lSeed), static_cast<uint8_t>(x * y + lSeed * 5),
            static_cast<uint8_t>(255 - x * 11 + y * 13 + lSeed)};
}

template <typename Canvas>
void Paint(Canvas& c, int lSeed) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) c.SetPixel(x, y, Pattern(lSeed, x, y));
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
    for (int y = 0; y < gdi.Height(); ++y) {
        for (int x = 0; x < gdi.Width(); ++x) {
            const Rgb a = gdi.Pixel(x, y);
            const Rgb b = soft.Pixel(x, y);
            if (a == b) continue;
            if (lDiffering++ == 0)
                sFirst = "(" + std::to_string(x) + "," + std::to_string(y) + ") GDI " +
                         std::to_string(a.r) + "/" + std::to_string(a.g) + "/" +
                         std::to_string(a.b) + " software " + std::to_string(b.r) + "/" +
                         std::to_string(b.g) + "/" + std::to_string(b.b);
        }
    }
    if (lDiffering == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << lDiffering << " pixels differ, first at " << sFirst;
}

// --- Raster operations and clipping -------------------------------------------------------------

struct BlitCase {
    int x, y, w, h, sx, sy;
};

// Inside; cut on the left and top of the destination; reaching past the source's right and
// bottom; negative source start; entirely outside; empty.
const BlitCase kBlits[] = {
    {5, 4, 20, 10, 3, 2},     {-6, -3, 20, 12, 0, 0}, {30, 20, 25, 25, 28, 15},
    {10, 10, 15, 15, -4, -7}, {60, 2, 10, 10, 0, 0},  {2, 2, 0, 5, 0, 0},
    {0, 0, 40, 30, 0, 0},
};

TEST(GdiCanvas, EveryRasterOperationMatchesTheSoftwareCanvasWithClipping) {
    for (RasterOp eOp :
         {RasterOp::Copy, RasterOp::And, RasterOp::Or, RasterOp::Xor, RasterOp::DstInvert}) {
        for (const BlitCase& c : kBlits) {
            MemoryCanvas gdiDst(48, 36), gdiSrc(32, 24);
            SoftwareCanvas softDst(48, 36), softSrc(32, 24);
            Paint(gdiDst, 1);
            Paint(softDst, 1);
            Paint(gdiSrc, 90);
            Paint(softSrc, 90);
            gdiDst.BitBlt(c.x, c.y, c.w, c.h, &gdiSrc, c.sx, c.sy, eOp);
            softDst.BitBlt(c.x, c.y, c.w, c.h, &softSrc, c.sx, c.sy, eOp);
            EXPECT_TRUE(SamePixels(gdiDst, softDst))
                << "op " << static_cast<int>(eOp) << " at " << c.x << "," << c.y << " " << c.w
                << "x" << c.h << " from " << c.sx << "," << c.sy;
        }
    }
}

TEST(GdiCanvas, FillRectIsClippedLikeTheSoftwareCanvas) {
    MemoryCanvas gdi(30, 20, kBoardGreen);
    SoftwareCanvas soft(30, 20, kBoardGreen);
    const std::tuple<int, int, int, int, Rgb> fills[] = {
        {-5, -5, 10, 10, {1, 200, 100}},
        {25, 15, 10, 10, {2, 0, 255}},
        {4, 4, -3, 5, {3, 30, 30}},  // negative width: nothing
        {8, 2, 3, 12, {4, 70, 7}},
    };
    for (const auto& [x, y, w, h, color] : fills) {
        gdi.FillRect(x, y, w, h, color);
        soft.FillRect(x, y, w, h, color);
    }
    EXPECT_TRUE(SamePixels(gdi, soft));
    EXPECT_EQ(gdi.Pixel(0, 0), (Rgb{1, 200, 100}));
    EXPECT_EQ(gdi.Pixel(29, 19), (Rgb{2, 0, 255}));
    EXPECT_EQ(gdi.Pixel(2, 7), kBoardGreen);
}

// The canvas's size bounds the drawing, not the bitmap behind the DC: the board window's
// surface may be larger than the board.
TEST(GdiCanvas, ClipsToItsOwnSizeNotTheBitmaps) {
    MemoryCanvas bitmap(40, 40, kWhite);
    GdiCanvas view(bitmap.Dc(), 20, 10);
    view.BitBlt(0, 0, 40, 40, nullptr, 0, 0, RasterOp::DstInvert);
    view.FillRect(15, 5, 20, 20, kBoardGreen);
    EXPECT_EQ(bitmap.Pixel(19, 0), kBlack);
    EXPECT_EQ(bitmap.Pixel(19, 9), kBoardGreen);
    EXPECT_EQ(bitmap.Pixel(20, 0), kWhite);
    EXPECT_EQ(bitmap.Pixel(0, 10), kWhite);
    EXPECT_EQ(bitmap.Pixel(30, 30), kWhite);

    // As a source it gives only its own area; the rest of the destination stays as it was.
    MemoryCanvas target(40, 40, kBoardGreen);
    target.BitBlt(-2, 0, 40, 40, &view, 0, 0, RasterOp::Copy);
    EXPECT_EQ(target.Pixel(0, 0), kBlack);        // view (2, 0)
    EXPECT_EQ(target.Pixel(17, 9), kBoardGreen);  // view (19, 9)
    EXPECT_EQ(target.Pixel(18, 0), kBoardGreen);  // beyond the view's width
    EXPECT_EQ(target.Pixel(0, 10), kBoardGreen);  // beyond its height
}

TEST(GdiCanvas, SourceMustBeAGdiSurface) {
    MemoryCanvas gdi(10, 10);
    const SoftwareCanvas soft(10, 10);
    EXPECT_THROW(gdi.BitBlt(0, 0, 5, 5, &soft, 0, 0, RasterOp::Copy), QuillonError);
    EXPECT_THROW(gdi.BitBlt(0, 0, 5, 5, nullptr, 0, 0, RasterOp::Xor), QuillonError);
    EXPECT_NO_THROW(gdi.BitBlt(0, 0, 5, 5, &soft, 0, 0, RasterOp::DstInvert));
    EXPECT_EQ(gdi.Pixel(4, 4), kWhite);
    EXPECT_EQ(gdi.Pixel(5, 5), kBlack);
}

TEST(MemoryCanvas, MovingHandsOverThePixelsAndEmptiesTheSource) {
    MemoryCanvas a(12, 8, kBoardGreen);
    a.SetPixel(11, 7, kWhite);
    MemoryCanvas b(std::move(a));
    EXPECT_EQ(a.Width(), 0);  // NOLINT(bugprone-use-after-move): the moved-from state is defined
    EXPECT_EQ(a.Dc(), nullptr);
    EXPECT_EQ(b.Pixel(11, 7), kWhite);
    MemoryCanvas c(3, 3);
    c = std::move(b);
    EXPECT_EQ(c.Width(), 12);
    EXPECT_EQ(c.Pixel(0, 0), kBoardGreen);
    EXPECT_THROW(c.Pixel(12, 0), QuillonError);
    // Still a working surface after the move.
    c.BitBlt(0, 0, 12, 8, nullptr, 0, 0, RasterOp::DstInvert);
    EXPECT_EQ(c.Pixel(11, 7), kBlack);
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

class BoardOnGdiAndSoftware : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(co.Result()));
        root = fs::temp_directory_path() /
               ("quillon_drawing_" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(root);
        fs::create_directories(root / "Cards");
        fs::create_directories(root / "Backs");
        // The real pictures: mask and border from the bitmap resources, the default back and
        // set written out of the program and loaded back with the picture loader.
        buffers = std::make_unique<PictureBuffers>(
            GetModuleHandleW(nullptr),
            PictureFolders{Narrow((root / "Cards").wstring()) + "\\",
                           Narrow((root / "Backs").wstring()) + "\\"},
            reporter, [](const std::string&, const std::string&, UINT) {});
        buffers->LoadMaskAndBorder();
        ASSERT_TRUE(buffers->LoadPictureSets(settings));
        ASSERT_EQ(buffers->picCardSet().Width(), kCardWidth * kFaces);

        back = ToSoftware(buffers->picBack());
        mask = ToSoftware(buffers->picMask());
        border = ToSoftware(buffers->picBorder());
        cardSet = ToSoftware(buffers->picCardSet());
        // The software side composes its own inverted back from the same pictures.
        ComposeInvertedBack(backInv, back, mask, border);

        gdi.Start(buffers->CacheDrawingHandles(&gdiBoard));
        soft.Start({&softBoard, &back, &backInv, &mask, &border, &cardSet});
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    void Both(const std::function<void(clsGame&)>& call) {
        call(*gdi.game);
        call(*soft.game);
    }

    ScopedCoInit co;
    fs::path root;
    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    std::unique_ptr<PictureBuffers> buffers;

    SoftwareCanvas back{kCardWidth, kCardHeight};
    SoftwareCanvas backInv{kCardWidth, kCardHeight};
    SoftwareCanvas mask{kCardWidth, kCardHeight};
    SoftwareCanvas border{kCardWidth, kCardHeight};
    SoftwareCanvas cardSet{1, 1};

    MemoryCanvas gdiBoard{kBoardWidth, kBoardHeight, kBoardGreen};
    SoftwareCanvas softBoard{kBoardWidth, kBoardHeight, kBoardGreen};
    Side gdi{settings};
    Side soft{settings};
};

TEST_F(BoardOnGdiAndSoftware, InvertedBackComposedByGdiEqualsTheSoftwareComposition) {
    EXPECT_TRUE(SamePixels(buffers->picBackInv(), backInv));
}

TEST_F(BoardOnGdiAndSoftware, WholeGameOfDrawingIsIdenticalPixelForPixel) {
    // Identity at (x, y) in the unshuffled deal: the k-th position, x outer and y inner, holds
    // k div 2; so flipping in board order reveals pair after pair.
    Both([](clsGame& g) { g.Draw_All_Backs(); });
    ASSERT_TRUE(SamePixels(gdiBoard, softBoard)) << "all backs";
    const SoftwareCanvas allBacks = ToSoftware(gdiBoard);

    std::vector<CardPos> order;
    for (int32_t x = 0; x < kColumns; ++x)
        for (int32_t y = 0; y < kRows; ++y) order.push_back({x, y});
    // Pairs of identities 0 to 22: positions 0 to 45.
    for (size_t k = 0; k < 46; ++k)
        Both([&](clsGame& g) { g.Card_Flip(order[k].lX, order[k].lY); });
    ASSERT_EQ(gdi.game->Score(1), 23);
    ASSERT_TRUE(SamePixels(gdiBoard, softBoard)) << "faces 0 to 22";

    // A miss shows faces 23 (9, 1) and 24 (9, 3) and is left up.
    Both([](clsGame& g) {
        g.Card_Flip(9, 1);
        g.Card_Flip(9, 3);
    });
    ASSERT_EQ(gdi.game->Cell(9, 3).lId, 24);
    ASSERT_TRUE(SamePixels(gdiBoard, softBoard)) << "faces 23 and 24";
    const SoftwareCanvas faces = ToSoftware(gdiBoard);

    // The engine really drew: a face cell is the strip's cell inside the outline, black on it,
    // the back's board green at the corners.
    for (int v = 0; v < kCardHeight; ++v) {
        for (int u = 0; u < kCardWidth; ++u) {
            Rgb want = cardSet.Pixel(kCardWidth * 24 + u, v);
            if (IsOutline(u, v)) want = kBlack;
            if (IsOutsideCorner(u, v)) want = kBoardGreen;
            ASSERT_EQ(gdiBoard.Pixel(9 * kCardWidth + u, 3 * kCardHeight + v), want)
                << u << "," << v;
        }
    }

    Both([](clsGame& g) { g.Draw_Card_Flash(9, 1, 9, 3); });
    EXPECT_EQ(gdi.host.pauses.size(), 6u);
    ASSERT_TRUE(SamePixels(gdiBoard, softBoard)) << "after the flash";
    EXPECT_TRUE(SamePixels(gdiBoard, faces)) << "the flash leaves the cards as they were";

    // Turn the miss back as the board window does, then mark and unmark a face-down card.
    Both([](clsGame& g) {
        g.Draw_Card_Back(9, 1);
        g.Draw_Card_Back(9, 3);
        g.Turn_Shift(false);
    });
    ASSERT_TRUE(SamePixels(gdiBoard, softBoard)) << "miss turned back";

    Both([](clsGame& g) { g.Draw_Card_Flip(9, 4); });
    ASSERT_TRUE(SamePixels(gdiBoard, softBoard)) << "selection mark";
    for (int v = 0; v < kCardHeight; ++v)
        for (int u = 0; u < kCardWidth; ++u)
            ASSERT_EQ(gdiBoard.Pixel(9 * kCardWidth + u, 4 * kCardHeight + v), backInv.Pixel(u, v));

    Both([](clsGame& g) { g.Draw_Card_Back(9, 4, true); });
    ASSERT_TRUE(SamePixels(gdiBoard, softBoard)) << "mark removed";
    for (int v = 0; v < kCardHeight; ++v)
        for (int u = 0; u < kCardWidth; ++u)
            ASSERT_EQ(gdiBoard.Pixel(9 * kCardWidth + u, 4 * kCardHeight + v),
                      allBacks.Pixel(9 * kCardWidth + u, 4 * kCardHeight + v));

    // Outside the board nothing is drawn on either surface.
    const SoftwareCanvas before = ToSoftware(gdiBoard);
    Both([](clsGame& g) {
        g.Draw_Card_Back(-1, -1);
        g.Draw_Card_Flip(-1, -1);
        g.Draw_Card_Flip(10, 0);
    });
    EXPECT_TRUE(SamePixels(gdiBoard, softBoard)) << "outside the board";
    EXPECT_TRUE(SamePixels(gdiBoard, before)) << "outside the board";

    EXPECT_TRUE(gdi.reporter.errors.empty());
    EXPECT_TRUE(soft.reporter.errors.empty());
    EXPECT_TRUE(reporter.errors.empty());
}

TEST_F(BoardOnGdiAndSoftware, FacesOverAnyBoardColourAndRepeatedMarksAgree) {
    // On a patterned board the mask keeps whatever lay at the twelve corners.
    Paint(gdiBoard, 33);
    Paint(softBoard, 33);
    Both([](clsGame& g) {
        g.Card_Flip(0, 0);
        g.Card_Flip(3, 2);  // a miss, left up
        g.Turn_Shift(false);
        g.Draw_Card_Back(7, 3);
        g.Draw_Card_Flip(5, 0);
        g.Draw_Card_Flip(5, 0);  // copied, not combined: twice is once
        g.Draw_Card_Flip(9, 4);
    });
    EXPECT_TRUE(SamePixels(gdiBoard, softBoard));
    EXPECT_EQ(gdiBoard.Pixel(3 * kCardWidth, 2 * kCardHeight), Pattern(33, 213, 192));
    EXPECT_EQ(gdiBoard.Pixel(7 * kCardWidth + 70, 3 * kCardHeight + 95), Pattern(33, 567, 383));
    EXPECT_EQ(gdiBoard.Pixel(5 * kCardWidth + 40, 50), backInv.Pixel(40, 50));
    EXPECT_TRUE(gdi.reporter.errors.empty());
}

}  // namespace
}  // namespace quillon::win

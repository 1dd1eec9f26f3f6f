// The options dialog's window-free rules: picture names, the list filter, the delay label and
// snapping, the preview position and drawing, the selection of a stored name, the tab letters,
// and what the dialog reads and writes.

#include "options/options_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/card_layout.h"
#include "engine/software_canvas.h"
#include "shell/memory_store.h"
#include "shell/settings.h"

namespace quillon {
namespace {

TEST(PictureDisplayName, LastExtensionGoesAndEverySpaceStartsACapitalisedWord) {
    const struct {
        const char* sFile;
        const char* sShown;
    } cases[] = {
        {"old WEST.bmp", "Old West"},
        {"DEFAULT.JPG", "Default"},
        {"a  b.jpg", "A  B"},  // a space after a space
        {" lead.jpg", " Lead"},
        {"x-ray cats.bmp", "X-ray Cats"},  // only spaces start words
        {"my.set.jpg", "My.set"},
        {"no extension", "No Extension"},
        {".bmp", ""},
        {"", ""},
        // Non-ASCII letters keep their UTF-8 bytes, the ASCII ones change.
        {"\xC3\xA9" "b\xC3\xA8" "ne NOIR.bmp", "\xC3\xA9" "b\xC3\xA8" "ne Noir"},
        {"\xC3\x89T\xC3\x89.jpg", "\xC3\x89t\xC3\x89"},
    };
    for (const auto& c : cases) EXPECT_EQ(PictureDisplayName(c.sFile), c.sShown) << c.sFile;
}

TEST(HasPictureExtension, EndingComparedWithoutCase) {
    const struct {
        const char* sFile;
        const char* sExtension;
        bool bListed;
    } cases[] = {
        {"Default.bmp", ".bmp", true}, {"Blue.BMP", ".bmp", true},   {"x.Jpg", ".jpg", true},
        {".bmp", ".bmp", true},        {"x.jpeg", ".jpg", false},    {"x.jpg.txt", ".jpg", false},
        {"xbmp", ".bmp", false},       {"bmp", ".bmp", false},       {"x.bmp", ".jpg", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasPictureExtension(c.sFile, c.sExtension), c.bListed) << c.sFile;
}

TEST(RevealSlider, LabelInSecondsAndDragsSnappedDownToFive) {
    const struct {
        int32_t lValue;
        const char* sLabel;
    } labels[] = {{150, "1.50 s"},  {kRevealMin, "0.25 s"}, {kRevealMax, "10.00 s"},
                  {5, "0.05 s"},    {0, "0.00 s"},          {-5, "-0.05 s"},
                  {INT32_MIN, "-21474836.48 s"}};
    for (const auto& c : labels) EXPECT_EQ(RevealLabel(c.lValue), c.sLabel) << c.lValue;
    const std::pair<int32_t, int32_t> snaps[] = {{333, 330},
                                                 {334, 330},
                                                 {335, 335},
                                                 {999, 995},
                                                 {kRevealMin, kRevealMin},
                                                 {kRevealMax, kRevealMax}};
    for (const auto& [lDragged, lSnapped] : snaps) EXPECT_EQ(SnapReveal(lDragged), lSnapped);
}

TEST(PreviewPosition, OneStepPerPressWithinTheStrip) {
    const struct {
        int32_t lFrom, lDelta, lTo;
    } cases[] = {{0, -1, 0},  {0, 1, 1},   {22, 1, 23}, {23, 1, 23},  // 23 and 24: the last pair
                 {23, -1, 22}, {10, 5, 11}, {10, -5, 9}, {10, 0, 10}};
    for (const auto& c : cases)
        EXPECT_EQ(MovePreview(c.lFrom, c.lDelta), c.lTo) << c.lFrom << " " << c.lDelta;
}

// Face n of the strip: red tells the identity, green and blue the place inside the cell.
Rgb FacePixel(int x, int y) {
    return {static_cast<uint8_t>(10 * (x / kCardWidth) + 7),
            static_cast<uint8_t>(x % kCardWidth + 1), static_cast<uint8_t>(y + 50)};
}

// The GDI version of this test, with the program's own mask, is in the Windows tests; this one
// pins that a redraw covers the cards drawn before.
TEST(CardPreview, RedrawingAtTheLastPositionReplacesThePreviousCards) {
    constexpr Rgb kDialogGrey{212, 208, 200};
    SoftwareCanvas strip{kCardWidth * kFaces, kCardHeight};
    SoftwareCanvas mask{kCardWidth, kCardHeight};
    SoftwareCanvas border{kCardWidth, kCardHeight};
    for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < strip.Width(); ++x) strip.SetPixel(x, y, FacePixel(x, y));
    PaintCardMask(mask);
    PaintCardBorder(border);
    SoftwareCanvas preview(kSetPreviewWidth, kCardHeight, {1, 2, 3});
    DrawCardPreview(preview, strip, kCardWidth * 5, kPreviewCards, mask, border, kDialogGrey);
    DrawCardPreview(preview, strip, kCardWidth * kLastPreviewPosition, kPreviewCards, mask,
                    border, kDialogGrey);
    for (int lCell = 0; lCell < kPreviewCards; ++lCell) {
        for (int y = 0; y < kCardHeight; ++y) {
            for (int x = 0; x < kCardWidth; ++x) {
                Rgb want = FacePixel(kCardWidth * (kLastPreviewPosition + lCell) + x, y);
                if (IsOutsideCorner(x, y)) want = kDialogGrey;
                if (IsOutline(x, y)) want = kBlack;
                ASSERT_EQ(preview.Pixel(kCardWidth * lCell + x, y), want)
                    << "cell " << lCell << " at " << x << "," << y;
            }
        }
    }
}

TEST(ListSelection, FirstExactMatchOrNothing) {
    const std::vector<std::string> entries = {"Default", "Old West", "Old West", "Space"};
    EXPECT_EQ(FindListEntry(entries, "Old West"), 1);
    EXPECT_EQ(FindListEntry(entries, "Space"), 3);
    EXPECT_EQ(FindListEntry(entries, "old west"), -1) << "case-sensitive";
    EXPECT_EQ(FindListEntry(entries, "Old"), -1);
    EXPECT_EQ(FindListEntry(entries, ""), -1);
    EXPECT_EQ(FindListEntry({}, "Default"), -1);
}

// OK, Cancel and the close box are followed through the registry by the end-to-end scenarios;
// these are the values they cannot easily reach.
TEST(OptionsSettings, WaitForClickIsCheckedOnlyByOne) {
    MemoryStore store;
    Settings settings{store};
    for (int32_t lStored : {2, 0}) {
        settings.SaveSetting(SettingWaitForClick, lStored);
        EXPECT_FALSE(Settings_Load(settings).bWaitForClick) << lStored;
    }
}

TEST(OptionsSettings, NamesAreStoredAsTypedAndAnEmptySetNameStaysEmpty) {
    MemoryStore store;
    Settings settings{store};
    OptionsValues v = Settings_Load(settings);
    v.sCardSet = "";  // nothing selected
    v.sPlayer1Name = "  Ann ";
    v.sPlayer2Name = "B&B";
    Settings_Save(settings, v);
    EXPECT_EQ(settings.GetSetting(SettingCardSet), RegValue(std::string()))
        << "an empty name, not the default";
    EXPECT_EQ(settings.GetSettingText(SettingPlayer1Name), "  Ann ");
    EXPECT_EQ(settings.GetSettingText(SettingPlayer2Name), "B&B");
}

}  // namespace
}  // namespace quillon

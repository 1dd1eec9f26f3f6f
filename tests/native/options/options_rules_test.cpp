// The options dialog's window-free rules: picture names, the list filter, slider labels and
// snapping, the preview position and drawing, the selection of a stored name, and what the
// dialog reads and writes.

#include "options/options_rules.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/card_layout.h"
#include "engine/software_canvas.h"
#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/settings.h"

namespace quillon {
namespace {

// --- Picture names and the list filter --------------------------------------------------------

TEST(PictureDisplayName, LowerCaseThenEveryWordCapitalised) {
    EXPECT_EQ(PictureDisplayName("old WEST.bmp"), "Old West");
    EXPECT_EQ(PictureDisplayName("DEFAULT.JPG"), "Default");
    EXPECT_EQ(PictureDisplayName("a  b.jpg"), "A  B") << "a space after a space";
    EXPECT_EQ(PictureDisplayName(" lead.jpg"), " Lead");
    EXPECT_EQ(PictureDisplayName("x-ray cats.bmp"), "X-ray Cats") << "only spaces start words";
}

TEST(PictureDisplayName, OnlyTheLastExtensionGoes) {
    EXPECT_EQ(PictureDisplayName("my.set.jpg"), "My.set");
    EXPECT_EQ(PictureDisplayName("no extension"), "No Extension");
    EXPECT_EQ(PictureDisplayName(".bmp"), "");
    EXPECT_EQ(PictureDisplayName(""), "");
}

TEST(PictureDisplayName, NonAsciiPassesThroughUntouched) {
    // "ébène NOIR.bmp" in UTF-8: the accented letters keep their bytes, the ASCII ones change.
    EXPECT_EQ(PictureDisplayName("\xC3\xA9"
                                 "b\xC3\xA8"
                                 "ne NOIR.bmp"),
              "\xC3\xA9"
              "b\xC3\xA8"
              "ne Noir");
    EXPECT_EQ(PictureDisplayName("\xC3\x89T\xC3\x89.jpg"), "\xC3\x89t\xC3\x89");
}

TEST(HasPictureExtension, EndingComparedWithoutCase) {
    EXPECT_TRUE(HasPictureExtension("Default.bmp", ".bmp"));
    EXPECT_TRUE(HasPictureExtension("Blue.BMP", ".bmp"));
    EXPECT_TRUE(HasPictureExtension("x.Jpg", ".jpg"));
    EXPECT_TRUE(HasPictureExtension(".bmp", ".bmp"));
    EXPECT_FALSE(HasPictureExtension("x.jpeg", ".jpg"));
    EXPECT_FALSE(HasPictureExtension("x.jpg.txt", ".jpg"));
    EXPECT_FALSE(HasPictureExtension("xbmp", ".bmp"));
    EXPECT_FALSE(HasPictureExtension("bmp", ".bmp"));
    EXPECT_FALSE(HasPictureExtension("x.bmp", ".jpg"));
}

// Every listed file must be found again by its display name plus the extension, in a folder
// that ignores case: the dialog loads and stores pictures by that name.
TEST(HasPictureExtension, ListedNamesLeadBackToTheirFile) {
    for (std::string sFile : {"old WEST.bmp", "A.B.C.BMP", "deep  space.bmp"}) {
        ASSERT_TRUE(HasPictureExtension(sFile, ".bmp"));
        std::string sBack = PictureDisplayName(sFile) + ".bmp";
        ASSERT_EQ(sBack.size(), sFile.size());
        for (size_t i = 0; i < sFile.size(); ++i)
            EXPECT_EQ(std::tolower(sBack[i]), std::tolower(sFile[i])) << sFile;
    }
}

// --- Sliders ----------------------------------------------------------------------------------

TEST(RevealSlider, LabelInSecondsWithTwoDecimals) {
    EXPECT_EQ(RevealLabel(150), "1.50 s");
    EXPECT_EQ(RevealLabel(kRevealMin), "0.25 s");
    EXPECT_EQ(RevealLabel(kRevealMax), "10.00 s");
    EXPECT_EQ(RevealLabel(330), "3.30 s");
    EXPECT_EQ(RevealLabel(5), "0.05 s");
    EXPECT_EQ(RevealLabel(0), "0.00 s");
    EXPECT_EQ(RevealLabel(-5), "-0.05 s");
    EXPECT_EQ(RevealLabel(INT32_MIN), "-21474836.48 s");
}

TEST(RevealSlider, DraggingSnapsDownToMultiplesOfFive) {
    EXPECT_EQ(SnapReveal(333), 330);
    EXPECT_EQ(RevealLabel(SnapReveal(333)), "3.30 s");
    EXPECT_EQ(SnapReveal(334), 330);
    EXPECT_EQ(SnapReveal(335), 335);
    EXPECT_EQ(SnapReveal(kRevealMin), kRevealMin);
    EXPECT_EQ(SnapReveal(kRevealMax), kRevealMax);
    EXPECT_EQ(SnapReveal(999), 995);
    // Keyboard and page steps never need snapping.
    EXPECT_EQ(kRevealLine % kRevealSnap, 0);
    EXPECT_EQ(kRevealPage % kRevealSnap, 0);
}

TEST(MemorySlider, LabelIsThePercentage) {
    EXPECT_EQ(MemoryLabel(50), "50 %");
    EXPECT_EQ(MemoryLabel(kMemoryMin), "5 %");
    EXPECT_EQ(MemoryLabel(kMemoryMax), "100 %");
}

// --- Card-set preview -------------------------------------------------------------------------

TEST(PreviewPosition, StaysWithinTheStrip) {
    EXPECT_EQ(kLastPreviewPosition, 23) << "cards 23 and 24 are the last pair shown";
    EXPECT_EQ(MovePreview(0, -1), 0);
    EXPECT_EQ(MovePreview(0, 1), 1);
    EXPECT_EQ(MovePreview(22, 1), 23);
    EXPECT_EQ(MovePreview(23, 1), 23);
    EXPECT_EQ(MovePreview(23, -1), 22);
    EXPECT_EQ(MovePreview(10, 5), 11) << "one step per press, however the control counts";
    EXPECT_EQ(MovePreview(10, -5), 9);
    EXPECT_EQ(MovePreview(10, 0), 10);
}

// Face n of the strip: red tells the identity, green and blue the place inside the cell.
Rgb FacePixel(int x, int y) {
    return {static_cast<uint8_t>(10 * (x / kCardWidth) + 7),
            static_cast<uint8_t>(x % kCardWidth + 1), static_cast<uint8_t>(y + 50)};
}

struct Pictures {
    SoftwareCanvas strip{kCardWidth * kFaces, kCardHeight};
    SoftwareCanvas mask{kCardWidth, kCardHeight};
    SoftwareCanvas border{kCardWidth, kCardHeight};
    Pictures() {
        for (int y = 0; y < kCardHeight; ++y)
            for (int x = 0; x < strip.Width(); ++x) strip.SetPixel(x, y, FacePixel(x, y));
        PaintCardMask(mask);
        PaintCardBorder(border);
    }
};

constexpr Rgb kDialogGrey{212, 208, 200};

void ExpectCard(const SoftwareCanvas& preview, int lCell, int lFace) {
    for (int y = 0; y < kCardHeight; ++y) {
        for (int x = 0; x < kCardWidth; ++x) {
            const Rgb got = preview.Pixel(kCardWidth * lCell + x, y);
            Rgb want = FacePixel(kCardWidth * lFace + x, y);
            if (IsOutsideCorner(x, y)) want = kDialogGrey;
            if (IsOutline(x, y)) want = kBlack;
            ASSERT_EQ(got, want) << "cell " << lCell << " at " << x << "," << y;
        }
    }
}

TEST(CardPreview, LastPositionShowsTheLastTwoFaces) {
    Pictures pics;
    SoftwareCanvas preview(kSetPreviewWidth, kCardHeight, {1, 2, 3});
    DrawCardPreview(preview, pics.strip, kCardWidth * kLastPreviewPosition, kPreviewCards,
                    pics.mask, pics.border, kDialogGrey);
    ExpectCard(preview, 0, 23);
    ExpectCard(preview, 1, 24);
}

TEST(CardPreview, RedrawingReplacesThePreviousCards) {
    Pictures pics;
    SoftwareCanvas preview(kSetPreviewWidth, kCardHeight);
    DrawCardPreview(preview, pics.strip, kCardWidth * 5, kPreviewCards, pics.mask, pics.border,
                    kDialogGrey);
    DrawCardPreview(preview, pics.strip, 0, kPreviewCards, pics.mask, pics.border, kDialogGrey);
    ExpectCard(preview, 0, 0);
    ExpectCard(preview, 1, 1);
}

TEST(CardPreview, BackIsOneMaskedCard) {
    Pictures pics;
    SoftwareCanvas preview(kCardWidth, kCardHeight);
    DrawCardPreview(preview, pics.strip, kCardWidth * 3, 1, pics.mask, pics.border, kDialogGrey);
    ExpectCard(preview, 0, 3);
}

// --- Lists and the tab letters -----------------------------------------------

TEST(ListSelection, FirstExactMatchOrNothing) {
    const std::vector<std::string> entries = {"Default", "Old West", "Old West", "Space"};
    EXPECT_EQ(FindListEntry(entries, "Old West"), 1);
    EXPECT_EQ(FindListEntry(entries, "Space"), 3);
    EXPECT_EQ(FindListEntry(entries, "old west"), -1) << "case-sensitive";
    EXPECT_EQ(FindListEntry(entries, "Old"), -1);
    EXPECT_EQ(FindListEntry(entries, ""), -1);
    EXPECT_EQ(FindListEntry({}, "Default"), -1);
}

TEST(Mnemonic, LetterAfterTheSingleAmpersand) {
    EXPECT_EQ(MnemonicOf("&General"), 'g');
    EXPECT_EQ(MnemonicOf("Car&ds"), 'd');
    EXPECT_EQ(MnemonicOf("&A.I. && Stats"), 'a');
    EXPECT_EQ(MnemonicOf("Ot&her"), 'h');
    EXPECT_EQ(MnemonicOf("Salt && &Pepper"), 'p');
    EXPECT_EQ(MnemonicOf("Rock && Roll"), 0);
    EXPECT_EQ(MnemonicOf("Trailing&"), 0);
    EXPECT_EQ(MnemonicOf(""), 0);
}

// --- Reading and writing the settings ---------------------------------------------------------

class OptionsSettingsTest : public ::testing::Test {
  protected:
    MemoryStore store;
    Settings settings{store};
};

TEST_F(OptionsSettingsTest, CleanMachineOpensWithTheDefaults) {
    const OptionsValues v = Settings_Load(settings);
    EXPECT_EQ(v.lClock, 150);
    EXPECT_TRUE(v.bWaitForClick);
    EXPECT_EQ(v.lMemory, 50);
    EXPECT_EQ(v.sCardBacks, "Default");
    EXPECT_EQ(v.sCardSet, "Default");
    EXPECT_EQ(v.sPlayer1Name, "");
    EXPECT_EQ(store.Size(), 0u);
}

TEST_F(OptionsSettingsTest, WaitForClickIsCheckedOnlyByOne) {
    settings.SaveSetting(SettingWaitForClick, 2);
    EXPECT_FALSE(Settings_Load(settings).bWaitForClick);
    settings.SaveSetting(SettingWaitForClick, 0);
    EXPECT_FALSE(Settings_Load(settings).bWaitForClick);
}

TEST_F(OptionsSettingsTest, OkStoresEveryValueAndTheDelayTakesEffect) {
    OptionsValues v;
    v.lClock = 330;
    v.bWaitForClick = false;
    v.lMemory = 85;
    v.sCardBacks = "Old West";
    v.sCardSet = "";  // nothing selected
    v.sPlayer1Name = "  Ann ";
    v.sPlayer2Name = "B&B";
    Settings_Save(settings, v);

    EXPECT_EQ(settings.GetSetting(SettingClock), RegValue(330));
    EXPECT_EQ(settings.GetSetting(SettingWaitForClick), RegValue(0));
    EXPECT_EQ(store.Read(RegRoot::CurrentUser, std::string(kComputerKey), "AI Memory"),
              RegValue(85));
    EXPECT_EQ(settings.GetSetting(SettingCardBacks), RegValue(std::string("Old West")));
    EXPECT_EQ(settings.GetSetting(SettingCardSet), RegValue(std::string()))
        << "an empty name, not the default";
    EXPECT_EQ(settings.GetSettingText(SettingPlayer1Name), "  Ann ") << "as typed";
    EXPECT_EQ(settings.GetSettingText(SettingPlayer2Name), "B&B");

    ProgramValues values;
    LoadOptions(settings, values);
    EXPECT_EQ(values.g_lRevealTime, 3300);
    EXPECT_FALSE(values.g_bWaitForClick);
}

TEST_F(OptionsSettingsTest, WaitForClickKeepsTheSlidersDelay) {
    OptionsValues v = Settings_Load(settings);
    v.bWaitForClick = true;
    v.lClock = 275;
    Settings_Save(settings, v);
    EXPECT_EQ(settings.GetSetting(SettingWaitForClick), RegValue(1));
    EXPECT_EQ(settings.GetSetting(SettingClock), RegValue(275));
    EXPECT_EQ(Settings_Load(settings).lClock, 275);
}

}  // namespace
}  // namespace quillon

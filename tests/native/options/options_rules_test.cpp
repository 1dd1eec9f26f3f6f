// The options dialog's rules that need no window.

#include "options/options_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/software_canvas.h"
#include "shell/memory_store.h"

namespace quillon {
namespace {

TEST(PictureLists, DisplayNameDropsTheLastExtensionAndCapitalisesAfterSpacesOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"old WEST.bmp", "Old West"},
        {"a  b.jpg", "A  B"},
        {" lead.jpg", " Lead"},
        {"x-ray cats.bmp", "X-ray Cats"},
        {"my.set.jpg", "My.set"},
        {"no extension", "No Extension"},
        {".bmp", ""},
        // Other than ASCII letters, bytes pass untouched, so UTF-8 names stay whole.
        {"\xC3\xA9"
         "b\xC3\xA8"
         "ne NOIR.bmp",
         "\xC3\xA9"
         "b\xC3\xA8"
         "ne Noir"},
        {"\xC3\x89T\xC3\x89.jpg", "\xC3\x89t\xC3\x89"}};
    for (const auto& [sFile, sShown] : cases) EXPECT_EQ(PictureDisplayName(sFile), sShown) << sFile;
}

TEST(PictureLists, ExtensionMatchesTheEndWithoutCase) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Blue.BMP", ".bmp", true}, {"x.Jpg", ".jpg", true},      {".bmp", ".bmp", true},
        {"x.jpeg", ".jpg", false},  {"x.jpg.txt", ".jpg", false}, {"xbmp", ".bmp", false},
        {"bmp", ".bmp", false}};
    for (const auto& [sFile, sExtension, bListed] : cases)
        EXPECT_EQ(HasPictureExtension(sFile, sExtension), bListed) << sFile;
}

TEST(PictureLists, StoredNameSelectsItsFirstExactEntry) {
    const std::vector<std::string> entries = {"Default", "Old West", "Old West", "Space"};
    EXPECT_EQ(FindListEntry(entries, "Old West"), 1);
    EXPECT_EQ(FindListEntry(entries, "old west"), -1);
    EXPECT_EQ(FindListEntry(entries, "Old"), -1);
    EXPECT_EQ(FindListEntry({}, "Default"), -1);
}

TEST(Sliders, RevealLabelInSecondsAndDragsSnapDownToFive) {
    const std::pair<int32_t, const char*> labels[] = {
        {150, "1.50 s"}, {25, "0.25 s"},  {1000, "10.00 s"},
        {5, "0.05 s"},   {-5, "-0.05 s"}, {INT32_MIN, "-21474836.48 s"}};
    for (const auto& [lValue, sLabel] : labels) EXPECT_EQ(RevealLabel(lValue), sLabel);
    for (auto [lDragged, lSnapped] : {std::pair{333, 330}, {334, 330}, {335, 335}, {999, 995}})
        EXPECT_EQ(SnapReveal(lDragged), lSnapped);
    EXPECT_EQ(MemoryLabel(50), "50 %");
}

TEST(CardSetPreview, OneStepPerPressWithinTheStripAndARedrawReplacesTheCards) {
    for (auto [lFrom, lDelta, lTo] : {std::tuple{0, -1, 0},
                                      {0, 1, 1},
                                      {22, 1, 23},
                                      {23, 1, 23},
                                      {10, 5, 11},
                                      {10, -5, 9},
                                      {10, 0, 10}})
        EXPECT_EQ(MovePreview(lFrom, lDelta), lTo) << lFrom << " " << lDelta;

    constexpr Rgb kGrey{212, 208, 200};
    SoftwareCanvas strip{kCardWidth * kFaces, kCardHeight}, mask{kCardWidth, kCardHeight},
        border{kCardWidth, kCardHeight};
    for (int x = 0; x < strip.Width(); ++x)  // red: the identity, green: the column
        strip.FillRect(x, 0, 1, kCardHeight, {uint8_t(10 * (x / kCardWidth) + 7), uint8_t(x), 9});
    PaintCardMask(mask);
    PaintCardBorder(border);
    SoftwareCanvas preview(kSetPreviewWidth, kCardHeight, {1, 2, 3});
    DrawCardPreview(preview, strip, kCardWidth * 5, kPreviewCards, mask, border, kGrey);
    DrawCardPreview(preview, strip, kCardWidth * 23, kPreviewCards, mask, border, kGrey);
    for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < kSetPreviewWidth; ++x) {
            const int u = x % kCardWidth;
            Rgb want = strip.Pixel(kCardWidth * 23 + x, y);
            if (IsOutsideCorner(u, y)) want = kGrey;
            if (IsOutline(u, y)) want = kBlack;
            ASSERT_EQ(preview.Pixel(x, y), want) << x << "," << y;
        }
}

TEST(Mnemonic, LetterAfterASingleAmpersand) {
    const std::pair<const char*, char> cases[] = {{"&General", 'g'},
                                                  {"Car&ds", 'd'},
                                                  {"&A.I. && Stats", 'a'},
                                                  {"Salt && &Pepper", 'p'},
                                                  {"Rock && Roll", 0},
                                                  {"Trailing&", 0},
                                                  {"", 0}};
    for (const auto& [sCaption, cLetter] : cases)
        EXPECT_EQ(MnemonicOf(sCaption), cLetter) << sCaption;
}

// OK and Cancel are followed through the registry end to end; these are the values that cannot.
TEST(OptionsSettings, WaitForClickOnlyByOneAndNamesStoredAsTyped) {
    MemoryStore store;
    Settings settings{store};
    for (int32_t lStored : {2, 0}) {
        settings.SaveSetting(SettingWaitForClick, lStored);
        EXPECT_FALSE(Settings_Load(settings).bWaitForClick) << lStored;
    }
    OptionsValues v = Settings_Load(settings);
    v.sCardSet = "";  // nothing selected
    v.sPlayer1Name = "  Ann ";
    v.bWaitForClick = true;
    Settings_Save(settings, v);
    EXPECT_EQ(settings.GetSetting(SettingCardSet), RegValue(std::string())) << "not the default";
    EXPECT_EQ(settings.GetSettingText(SettingPlayer1Name), "  Ann ");
    EXPECT_EQ(settings.GetSettingNumber(SettingWaitForClick), 1);
}

}  // namespace
}  // namespace quillon

// The options dialog's rules that need no window.

#include "options/options_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "shell/memory_store.h"

namespace quillon {
namespace {

TEST(OptionsText, PictureNamesAndSliderLabels) {
    // clang-format off
    // The last extension goes; a capital starts the name and follows every space; bytes other
    // than ASCII letters stay as they are.
    const std::pair<const char*, const char*> names[] = {
        {"old WEST.bmp", "Old West"}, {"a  b.jpg", "A  B"}, {" lead.jpg", " Lead"}, {".bmp", ""},
        {"x-ray cats.bmp", "X-ray Cats"}, {"my.set.jpg", "My.set"}, {"no ext", "No Ext"},
        {"\xC3\xA9" "b\xC3\xA8" "ne NOIR.bmp", "\xC3\xA9" "b\xC3\xA8" "ne Noir"},
        {"\xC3\x89T\xC3\x89.jpg", "\xC3\x89t\xC3\x89"}};
    const std::tuple<const char*, const char*, bool> listed[] = {
        {"Blue.BMP", ".bmp", true}, {"x.Jpg", ".jpg", true}, {".bmp", ".bmp", true},
        {"x.jpeg", ".jpg", false}, {"x.jpg.txt", ".jpg", false}, {"xbmp", ".bmp", false}};
    const std::pair<int32_t, const char*> reveal[] = {
        {150, "1.50 s"}, {25, "0.25 s"}, {1000, "10.00 s"}, {5, "0.05 s"}, {-5, "-0.05 s"},
        {INT32_MIN, "-21474836.48 s"}};
    // clang-format on
    for (const auto& [sFile, sShown] : names) EXPECT_EQ(PictureDisplayName(sFile), sShown) << sFile;
    for (const auto& [sFile, sExt, bListed] : listed)
        EXPECT_EQ(HasPictureExtension(sFile, sExt), bListed) << sFile;
    for (const auto& [lValue, sLabel] : reveal) EXPECT_EQ(RevealLabel(lValue), sLabel);
    for (auto [lDragged, lSnapped] : {std::pair{333, 330}, {334, 330}, {335, 335}, {999, 995}})
        EXPECT_EQ(SnapReveal(lDragged), lSnapped) << "dragged to " << lDragged;
}

TEST(CardSetPreview, OneStepPerPressWithinTheStrip) {
    const std::array<int32_t, 3> steps[] = {{0, -1, 0},  {0, 1, 1},   {22, 1, 23}, {23, 1, 23},
                                            {10, 5, 11}, {10, -5, 9}, {10, 0, 10}};
    for (auto [lFrom, lDelta, lTo] : steps)
        EXPECT_EQ(MovePreview(lFrom, lDelta), lTo) << lFrom << " " << lDelta;
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

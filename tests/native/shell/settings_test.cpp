// The settings table over a registry-like store, and the program values read from it.

#include "shell/settings.h"

#include <gtest/gtest.h>

#include "shell/memory_store.h"
#include "shell/program_values.h"

namespace quillon {
namespace {

TEST(Settings, ValuesLiveUnderTheirKeysConvertedToTheRowsTypeAndAreReadAfreshEveryTime) {
    MemoryStore store;
    Settings settings{store};
    auto stored = [&](std::string_view sKey, std::string_view sName) {
        return store.Read(RegRoot::CurrentUser, sKey, sName);
    };
    EXPECT_EQ(settings.GetSetting(SettingLastIP), RegValue(std::string("127.0.0.1")));
    for (int32_t n : {9, 12, -1}) EXPECT_EQ(TypeOf(settings.GetSetting(n)), RegType::None) << n;
    settings.SaveSetting(9, std::string("x"));
    EXPECT_EQ(store.Size(), 0u) << "reading and unknown numbers write nothing";

    settings.SaveSetting(SettingLastUpdate, 20260102);
    settings.SaveSetting(SettingAIMemory, 77);
    settings.SaveOption(OPTION_FLASH, false);
    settings.SaveSetting(SettingPlayer1Name, 12);
    settings.SaveSetting(SettingClock, std::string("75"));
    settings.SaveSetting(SettingClock, std::string("soon"));  // no number: not written
    EXPECT_EQ(stored(kRootKey, "Last Update"), RegValue(20260102));
    EXPECT_EQ(stored(kComputerKey, "AI Memory"), RegValue(77));
    EXPECT_EQ(stored(kOptionsKey, "OPTION_FLASH"), RegValue(0));
    EXPECT_EQ(stored(kOptionsKey, "Player 1 Name"), RegValue(std::string("12")));
    EXPECT_EQ(stored(kOptionsKey, "Clock"), RegValue(75));
    EXPECT_EQ(TypeOf(stored(kOptionsKey, "Last Update")), RegType::None);
    store.Write(RegRoot::CurrentUser, kOptionsKey, "Card Set", RegValue(5));
    EXPECT_EQ(settings.GetSetting(SettingCardSet), RegValue(5)) << "as stored";
    EXPECT_EQ(settings.GetSettingText(SettingCardSet), "5");
    store.Write(RegRoot::CurrentUser, kComputerKey, "AI Memory", RegValue(12));
    EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), 12);

    EXPECT_EQ(settings.GetSettingText(SettingPlayerLanName), "12") << "player 1's until written";
    settings.SaveSetting(SettingPlayerLanName, std::string("Nick"));
    settings.SaveSetting(SettingPlayer1Name, std::string("Cid"));
    EXPECT_EQ(settings.GetSettingText(SettingPlayerLanName), "Nick");
}

TEST(Settings, RegistryReadGivesTheDefaultOnlyWhenNothingIsStoredAndWritesConvertOrRefuse) {
    MemoryStore store;
    RegValue value = 99;
    const RegValue def = std::string("d");
    EXPECT_EQ(RegRead(store, RegRoot::CurrentUser, "K", "V", value), RegType::None);
    EXPECT_EQ(value, RegValue(99)) << "no default given leaves the value";
    EXPECT_EQ(RegRead(store, RegRoot::CurrentUser, "K", "V", value, &def), RegType::None);
    EXPECT_EQ(value, def);
    const Bytes blob{1, 2, 3};
    EXPECT_EQ(RegWrite(store, RegRoot::CurrentUser, "K", "B", blob, RegType::Binary),
              RegType::Binary);
    EXPECT_EQ(RegRead(store, RegRoot::CurrentUser, "K", "B", value, &def), RegType::Binary);
    EXPECT_EQ(value, RegValue(blob));
    EXPECT_EQ(RegWrite(store, RegRoot::CurrentUser, "K", "X", blob, RegType::Number),
              RegType::None);
}

// Each case: "Clock", "Wait for click", OPTION_FLASH, OPTION_SELECTION as stored (-1: none);
// the reveal time in ms, and flash, shape cursor, wait for click.
TEST(ProgramValues, LoadOptionsReadsEveryValueAndAHostileClockNeitherWrapsNorGoesNegative) {
    const struct {
        std::array<int32_t, 4> stored;
        int32_t lRevealTime;
        std::array<bool, 3> flags;
    } cases[] = {{{-1, -1, -1, -1}, 1500, {true, false, true}},
                 {{25, 2, 0, 0}, 250, {false, true, false}},
                 {{2147483647, 1, 1, 1}, 2147483647, {true, false, true}},
                 {{-40, 0, 1, 1}, 0, {true, false, false}}};
    for (const auto& c : cases) {
        MemoryStore store;
        Settings settings(store);
        if (c.stored[0] != -1) settings.SaveSetting(SettingClock, c.stored[0]);
        if (c.stored[1] >= 0) settings.SaveSetting(SettingWaitForClick, c.stored[1]);
        if (c.stored[2] >= 0) settings.SaveOption(OPTION_FLASH, c.stored[2] != 0);
        if (c.stored[3] >= 0) settings.SaveOption(OPTION_SELECTION, c.stored[3] != 0);
        ProgramValues values{7};
        LoadOptions(settings, values);
        EXPECT_EQ(values.g_lRevealTime, c.lRevealTime);
        EXPECT_EQ((std::array{values.g_bFlash, values.g_bShapeCursor, values.g_bWaitForClick}),
                  c.flags)
            << c.lRevealTime;
    }
}

}  // namespace
}  // namespace quillon

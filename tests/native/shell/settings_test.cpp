#include <gtest/gtest.h>

#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/settings.h"

namespace quillon {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    MemoryStore store;
    Settings settings{store};
};

TEST_F(SettingsTest, CleanStoreReadsEveryDefault) {
    EXPECT_EQ(settings.GetSetting(SettingAIMemory), RegValue(50));
    EXPECT_EQ(settings.GetSetting(SettingLastUpdate), RegValue(0));
    EXPECT_EQ(settings.GetSetting(SettingCardBacks), RegValue(std::string("Default")));
    EXPECT_EQ(settings.GetSetting(SettingCardSet), RegValue(std::string("Default")));
    EXPECT_EQ(settings.GetSetting(SettingPlayer1Name), RegValue(std::string()));
    EXPECT_EQ(settings.GetSetting(SettingPlayer2Name), RegValue(std::string()));
    EXPECT_EQ(settings.GetSetting(SettingClock), RegValue(150));
    EXPECT_EQ(settings.GetSetting(SettingWaitForClick), RegValue(1));
    EXPECT_EQ(settings.GetSetting(SettingLastGame), RegValue(2));
    EXPECT_EQ(settings.GetSetting(SettingLastIP), RegValue(std::string("127.0.0.1")));
    for (auto option : {OPTION_AUTOCHECK, OPTION_FLASH, OPTION_HANDCURSOR, OPTION_SELECTION})
        EXPECT_EQ(settings.GetOption(option), 1) << option;
    EXPECT_EQ(store.Size(), 0u) << "reading must not write anything";
}

TEST_F(SettingsTest, UnknownNumbersReadNothingAndWriteNothing) {
    EXPECT_EQ(TypeOf(settings.GetSetting(9)), RegType::None);
    EXPECT_EQ(TypeOf(settings.GetSetting(12)), RegType::None);
    EXPECT_EQ(TypeOf(settings.GetSetting(-1)), RegType::None);
    settings.SaveSetting(9, std::string("x"));
    settings.SaveSetting(42, 7);
    EXPECT_EQ(store.Size(), 0u);
}

TEST_F(SettingsTest, LanNameFollowsPlayerOneUntilWritten) {
    settings.SaveSetting(SettingPlayer1Name, std::string("Ann"));
    EXPECT_EQ(settings.GetSettingText(SettingPlayerLanName), "Ann");
    settings.SaveSetting(SettingPlayer1Name, std::string("Bea"));
    EXPECT_EQ(settings.GetSettingText(SettingPlayerLanName), "Bea");
    settings.SaveSetting(SettingPlayerLanName, std::string("Nick"));
    settings.SaveSetting(SettingPlayer1Name, std::string("Cid"));
    EXPECT_EQ(settings.GetSettingText(SettingPlayerLanName), "Nick");
}

TEST_F(SettingsTest, ValuesLiveUnderTheirOwnKeys) {
    settings.SaveSetting(SettingLastUpdate, 20260102);
    settings.SaveSetting(SettingAIMemory, 77);
    settings.SaveOption(OPTION_FLASH, false);
    EXPECT_EQ(store.Read(RegRoot::CurrentUser, "Software\\Freeware\\Quillon", "Last Update"),
              RegValue(20260102));
    EXPECT_EQ(TypeOf(store.Read(RegRoot::CurrentUser, std::string(kOptionsKey), "Last Update")),
              RegType::None);
    EXPECT_EQ(store.Read(RegRoot::CurrentUser, "Software\\Freeware\\Quillon\\Computer", "AI Memory"),
              RegValue(77));
    EXPECT_EQ(store.Read(RegRoot::CurrentUser, std::string(kOptionsKey), "OPTION_FLASH"),
              RegValue(0));
    EXPECT_EQ(settings.GetOption(OPTION_FLASH), 0);
}

TEST_F(SettingsTest, RowTypesConvertOnSaveAndStringRowsMayHoldNumbers) {
    settings.SaveSetting(SettingPlayer1Name, 12);  // a number written to a string row
    EXPECT_EQ(settings.GetSetting(SettingPlayer1Name), RegValue(std::string("12")));
    settings.SaveSetting(SettingClock, std::string("75"));
    EXPECT_EQ(settings.GetSetting(SettingClock), RegValue(75));
    // A value stored as a number under a string row comes back as that number.
    store.Write(RegRoot::CurrentUser, kOptionsKey, "Card Set", RegValue(5));
    EXPECT_EQ(settings.GetSetting(SettingCardSet), RegValue(5));
    EXPECT_EQ(settings.GetSettingText(SettingCardSet), "5");
    // Text that is no number is not written to a number row.
    settings.SaveSetting(SettingClock, std::string("soon"));
    EXPECT_EQ(settings.GetSettingNumber(SettingClock), 75);
}

TEST_F(SettingsTest, NothingIsCached) {
    EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), 50);
    store.Write(RegRoot::CurrentUser, kComputerKey, "AI Memory", RegValue(12));
    EXPECT_EQ(settings.GetSettingNumber(SettingAIMemory), 12);
}

TEST(RegistryRules, ReadGivesDefaultOnlyWhenNothingWasRead) {
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

TEST(LoadOptionsRules, DefaultsAndStoredValues) {
    MemoryStore store;
    Settings settings(store);
    ProgramValues values;
    values.g_lRevealTime = 0;
    LoadOptions(settings, values);
    EXPECT_EQ(values.g_lRevealTime, 1500);
    EXPECT_TRUE(values.g_bFlash);
    EXPECT_FALSE(values.g_bShapeCursor);
    EXPECT_TRUE(values.g_bWaitForClick);

    settings.SaveSetting(SettingClock, 25);
    settings.SaveSetting(SettingWaitForClick, 2);  // only exactly 1 means wait
    settings.SaveOption(OPTION_FLASH, false);
    settings.SaveOption(OPTION_SELECTION, false);
    LoadOptions(settings, values);
    EXPECT_EQ(values.g_lRevealTime, 250);
    EXPECT_FALSE(values.g_bFlash);
    EXPECT_TRUE(values.g_bShapeCursor);
    EXPECT_FALSE(values.g_bWaitForClick);
}

TEST(LoadOptionsRules, HostileClockNeitherWrapsNorGoesNegative) {
    MemoryStore store;
    Settings settings(store);
    ProgramValues values;
    settings.SaveSetting(SettingClock, 2147483647);
    LoadOptions(settings, values);
    EXPECT_EQ(values.g_lRevealTime, 2147483647);
    settings.SaveSetting(SettingClock, -40);
    LoadOptions(settings, values);
    EXPECT_EQ(values.g_lRevealTime, 0);
}

}  // namespace
}  // namespace quillon

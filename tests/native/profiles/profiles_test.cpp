// The profile file and what clsProfiles counts, reads, writes and clears in it.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "profiles/clsProfiles.h"
#include "profiles/default_profile.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "support/fakes.h"

namespace quillon {
namespace {

constexpr size_t kLevel(int32_t lLevel) { return 96 + 48 * size_t(lLevel); }

TEST(ProfileFile, RecordIsLittleEndianWithTheDoublesLastAndTheDefaultIsTheProgramsResource) {
    const ProfileRecord record{1, 0x01020304, -2, {5, 6, 7, 8, 9}, 1.5, -0.0};
    const RecordBytes bytes = EncodeRecord(record);
    // clang-format off
    for (auto [offset, value] : {std::pair{0, 1}, {4, 0x04}, {7, 0x01}, {8, 0xFE}, {11, 0xFF},
                                 {12, 5}, {28, 9}, {32, 0}, {38, 0xF8}, {39, 0x3F}, {47, 0x80}})
        // clang-format on
        EXPECT_EQ(bytes[offset], value) << offset;
    EXPECT_EQ(DecodeRecord(bytes), record);

    const std::vector<uint8_t> builtIn = BuildDefaultProfile();
    std::ifstream embedded(QUILLON_SOURCE_DIR "/src/resources/profiles.dat", std::ios::binary);
    EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(embedded), {}), builtIn);
}

class Profiles : public ::testing::Test {
  protected:
    clsProfiles Make() { return clsProfiles({file, settings, reporter, {}}); }
    int32_t Stored(size_t offset) const {
        const auto& b = file.Bytes();
        return int32_t(b[offset] | b[offset + 1] << 8 | b[offset + 2] << 16 | b[offset + 3] << 24);
    }
    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    MemoryProfileFile file;
};

TEST_F(Profiles, PairsCountInBothRecordsAndAveragesHalve) {
    clsProfiles p = Make();
    for (auto [v1, v2, bPair] : {std::tuple{1, 1, true}, {2, 1, true}, {1, 3, false}})
        p.Update(v1, v2, bPair);
    EXPECT_EQ(p.Current().Pairs, (std::array<int32_t, 5>{1, 0, 0, 1, 1}));
    EXPECT_EQ(p.Extended().Pairs, p.Current().Pairs);
    EXPECT_EQ(p.Game_TotalPairs(), 3);
    EXPECT_THROW((void)p.Game_Pairs(5), QuillonError);
    for (auto [lDuration, dAverage] : {std::pair{60000, 60000.0}, {0, 30000.0}, {-5, 15000.0}}) {
        p.UpdateAverageTime(lDuration);
        EXPECT_EQ(p.Average_Time(), dAverage);
        EXPECT_GE(lDuration, 0) << "a negative duration is corrected for the caller too";
    }
    for (auto [lLevel, dAverage] : {std::pair{80, 80.0}, {40, 60.0}}) {
        settings.SaveSetting(SettingAIMemory, lLevel);  // read at each call
        p.UpdateAverageAI();
        EXPECT_EQ(p.Average_AI(), dAverage);
    }
}

// A damaged file is set aside before the default replaces it, a newer one replacing the older.
TEST_F(Profiles, MissingOrWrongSizedFileIsSetAsideForTheDefaultAndADamagedDefaultIsAFailure) {
    std::vector<uint8_t> aside;
    for (int size : {-1, 4944, 4943, 4945, 0}) {  // -1: no file
        const std::vector<uint8_t> bytes(size_t(std::max(size, 0)), 0xAB);
        if (size >= 0) file.WriteAll(bytes);
        if (size >= 0 && size != 4944) aside = bytes;
        EXPECT_TRUE(Make().CheckIfExists());
        EXPECT_EQ(file.Bytes(), size == 4944 ? bytes : BuildDefaultProfile()) << size;
        EXPECT_EQ(file.SetAsideBytes(), aside) << size;
    }
    ASSERT_TRUE(file.SetAside());
    clsProfiles damaged({file, settings, reporter, [] { return std::vector<uint8_t>(10, 0); }});
    EXPECT_FALSE(damaged.CheckIfExists());
    EXPECT_FALSE(file.Exists());
    EXPECT_EQ(reporter.Procedures(), std::vector<std::string>{"clsProfiles::CheckIfExists"});
}

TEST_F(Profiles, EachSavesItsOwnRecordAndTheExtendedOneOfItsLevelClampedToTheTable) {
    settings.SaveSetting(SettingAIMemory, 50);
    ASSERT_TRUE(Make().CheckIfExists());
    clsProfiles player = Make(), computer = Make();
    ASSERT_TRUE(player.Load(ProfilePlayer) && computer.Load(ProfileComputer, true));
    EXPECT_EQ(computer.Extended().Games_Null, 29) << "level 50 of the default file";
    player.Update(1, 1, true);
    player.Game_WasWon();
    computer.Update(1, 1, false);
    computer.Game_WasLost();
    ASSERT_TRUE(computer.Save(ProfileComputer) && player.Save(ProfilePlayer));
    // Player: won, lost, missed, wild guess; computer: won, lost, missed, wild guess; levels.
    // clang-format off
    const std::pair<size_t, int32_t> expected[] = {
        {0, 1}, {4, 0}, {12, 0}, {28, 1}, {48, 0}, {52, 1}, {60, 1}, {76, 0},
        {kLevel(50) + 4, 1}, {kLevel(50) + 12, 1546}, {kLevel(50) + 8, 29}, {kLevel(49) + 4, 0},
        {kLevel(51) + 4, 0}};
    // clang-format on
    for (auto [offset, value] : expected) EXPECT_EQ(Stored(offset), value) << offset;

    for (auto [lSetting, lLevel] : {std::pair{250, 100}, {-3, 0}}) {
        settings.SaveSetting(SettingAIMemory, lSetting);
        clsProfiles outside = Make();
        EXPECT_EQ(outside.Level(), lLevel);
        outside.Load(ProfileComputer, true);
        outside.Game_WasNull();
        EXPECT_TRUE(outside.Save(ProfileComputer));
    }
    EXPECT_EQ((std::array{Stored(kLevel(100) + 8), Stored(kLevel(0) + 8)}), (std::array{52, 2}));
    EXPECT_EQ(file.Length(), 4944);
}

TEST_F(Profiles, ClearZeroesOnlyTheChosenMainRecordsAndLoadExtendedReadsEveryLevelsRatio) {
    Make().Clear(true, true);
    EXPECT_FALSE(file.Exists()) << "nothing to clear";
    std::array<float, kLevels> ratios;
    float fComputer = -1.0f;
    EXPECT_TRUE(Make().LoadExtended(ratios, fComputer)) << "nothing to read";
    EXPECT_EQ(ratios[50], 0.0f);

    file.WriteAll(std::vector<uint8_t>(4944, 0x11));
    std::vector<uint8_t> expected(4944, 0x11);
    for (auto [bPlayer, bComputer, lOffset] : {std::tuple{true, false, 0}, {false, true, 48}}) {
        Make().Clear(bPlayer, bComputer);
        std::fill_n(expected.begin() + lOffset, 48, 0);
        EXPECT_EQ(file.Bytes(), expected);
    }

    file.WriteAll(BuildDefaultProfile());
    clsProfiles p = Make();
    ASSERT_TRUE(p.LoadExtended(ratios, fComputer));
    EXPECT_EQ(fComputer, -1.0f) << "an empty computer record leaves the caller's ratio";
    EXPECT_FLOAT_EQ(ratios[50], 725.0f / 2270.0f);
    EXPECT_FLOAT_EQ(ratios[100], 1344.0f / 2616.0f);
    EXPECT_EQ(ratios[4] + ratios[99], 0.0f) << "levels without data";
    EXPECT_EQ(p.Current().Games_Null, 51) << "the last record read stays current";
    EXPECT_TRUE(reporter.errors.empty());
}

}  // namespace
}  // namespace quillon

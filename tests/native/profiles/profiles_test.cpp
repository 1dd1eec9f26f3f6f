#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "profiles/clsProfiles.h"
#include "profiles/default_profile.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "support/fakes.h"

namespace quillon {
namespace {

int32_t ReadI32(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

class ProfilesTest : public ::testing::Test {
protected:
    clsProfiles Make() { return clsProfiles({file, settings, reporter, {}}); }

    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    MemoryProfileFile file;
};

TEST(ProfileLayout, RecordIsLittleEndianWithDoublesAtTheEnd) {
    ProfileRecord record;
    record.Games_Won = 1;
    record.Games_Lost = 0x01020304;
    record.Games_Null = -2;
    record.Pairs = {5, 6, 7, 8, 9};
    record.Average_Time = 1.5;
    record.Average_AI = -0.0;
    const RecordBytes bytes = EncodeRecord(record);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[4], 0x04);
    EXPECT_EQ(bytes[7], 0x01);
    EXPECT_EQ(bytes[8], 0xFE);
    EXPECT_EQ(bytes[11], 0xFF);
    EXPECT_EQ(bytes[12], 5);
    EXPECT_EQ(bytes[28], 9);
    // 1.5 = 0x3FF8000000000000
    EXPECT_EQ(bytes[38], 0xF8);
    EXPECT_EQ(bytes[39], 0x3F);
    EXPECT_EQ(bytes[47], 0x80);
    EXPECT_EQ(DecodeRecord(bytes), record);
    EXPECT_EQ(RecordOffset(1), 0);
    EXPECT_EQ(RecordOffset(2), 48);
    EXPECT_EQ(RecordOffset(3 + 100), 4896);
}

TEST(DefaultProfile, BytesMatchTheReferenceTable) {
    const std::vector<uint8_t> bytes = BuildDefaultProfile();
    ASSERT_EQ(bytes.size(), 4944u);
    // Level: won, lost, null, categories 0..4.
    const std::vector<std::array<int32_t, 9>> table = {
        {0, 0, 0, 1, 180, 24, 0, 1, 0},         {1, 0, 0, 1, 220, 25, 0, 0, 0},
        {2, 0, 0, 1, 196, 25, 0, 0, 0},         {3, 0, 0, 1, 284, 25, 0, 0, 0},
        {5, 0, 0, 7, 1676, 171, 0, 3, 1},       {10, 0, 0, 3, 667, 75, 0, 0, 0},
        {20, 0, 0, 5, 693, 122, 0, 2, 1},       {30, 0, 0, 1, 101, 24, 0, 1, 0},
        {40, 0, 0, 8, 565, 193, 0, 2, 5},       {50, 0, 0, 29, 1545, 711, 0, 6, 8},
        {60, 0, 0, 2, 83, 50, 0, 0, 0},         {70, 0, 0, 1, 35, 24, 0, 1, 0},
        {80, 0, 0, 5, 149, 121, 0, 2, 2},       {90, 0, 0, 3, 75, 72, 0, 3, 0},
    };
    std::vector<uint8_t> expected(4944, 0);
    auto put = [&](size_t offset, int32_t v) {
        for (int i = 0; i < 4; ++i) expected[offset + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    for (const auto& row : table)
        for (int f = 0; f < 8; ++f) put(96 + 48 * static_cast<size_t>(row[0]) + 4 * f, row[1 + f]);
    const int32_t level100[] = {3, 0, 51, 1272, 1276, 0, 42, 26};
    for (int f = 0; f < 8; ++f) put(96 + 48 * 100 + 4 * f, level100[f]);
    EXPECT_EQ(bytes, expected);

    // The file embedded in the Windows program is the same.
    std::ifstream embedded(std::string(QUILLON_SOURCE_DIR) + "/src/resources/profiles.dat",
                           std::ios::binary);
    ASSERT_TRUE(embedded) << "src/resources/profiles.dat is missing";
    const std::vector<uint8_t> resource((std::istreambuf_iterator<char>(embedded)),
                                        std::istreambuf_iterator<char>());
    EXPECT_EQ(resource, bytes) << "regenerate it with tools/make_default_profile";
}

TEST(PairClassification, EveryCategory) {
    EXPECT_EQ(ClassifyPair(1, 1, true), PairWildGuess);
    EXPECT_EQ(ClassifyPair(3, 1, true), PairFirstSeen);
    EXPECT_EQ(ClassifyPair(1, 2, true), PairSecondSeen);
    EXPECT_EQ(ClassifyPair(2, 4, true), PairBothSeen);
    EXPECT_EQ(ClassifyPair(1, 1, false), PairMissed);
    EXPECT_EQ(ClassifyPair(5, 7, false), PairMissed);
}

TEST_F(ProfilesTest, UpdateCountsInCurrentAndExtendedRecord) {
    clsProfiles p = Make();
    p.Update(1, 1, true);
    p.Update(2, 1, true);
    p.Update(1, 1, false);
    p.Update(1, 1, false);
    EXPECT_EQ(p.Game_Pairs(PairWildGuess), 1);
    EXPECT_EQ(p.Game_Pairs(PairFirstSeen), 1);
    EXPECT_EQ(p.Game_Pairs(PairMissed), 2);
    EXPECT_EQ(p.Game_TotalPairs(), 4);
    EXPECT_EQ(p.Extended().Pairs[PairMissed], 2);
    EXPECT_THROW(p.Game_Pairs(5), QuillonError);
    EXPECT_THROW(p.Game_Pairs(-1), QuillonError);
}

TEST_F(ProfilesTest, AveragesHalveAndOnlyExactZeroCountsAsEmpty) {
    clsProfiles p = Make();
    int32_t t = 60000;
    p.UpdateAverageTime(t);
    EXPECT_EQ(p.Average_Time(), 60000.0);
    t = 0;
    p.UpdateAverageTime(t);
    EXPECT_EQ(p.Average_Time(), 30000.0);
    t = -5;
    p.UpdateAverageTime(t);
    EXPECT_EQ(t, 0) << "the caller's variable is corrected too";
    EXPECT_EQ(p.Average_Time(), 15000.0);

    settings.SaveSetting(SettingAIMemory, 80);
    p.UpdateAverageAI();
    EXPECT_EQ(p.Average_AI(), 80.0);
    settings.SaveSetting(SettingAIMemory, 40);  // read afresh at each call
    p.UpdateAverageAI();
    EXPECT_EQ(p.Average_AI(), 60.0);
    EXPECT_EQ(p.Extended().Average_AI, 0.0);
}

TEST_F(ProfilesTest, CheckIfExistsWritesDefaultAndReplacesWrongSizes) {
    clsProfiles p = Make();
    EXPECT_TRUE(p.CheckIfExists());
    EXPECT_EQ(file.Bytes(), BuildDefaultProfile());

    std::vector<uint8_t> odd(4944, 0xAB);
    file.WriteAll(odd);
    EXPECT_TRUE(p.CheckIfExists());
    EXPECT_EQ(file.Bytes(), odd) << "any 4944-byte file is kept";

    for (size_t size : {size_t{4943}, size_t{4945}, size_t{0}}) {
        file.WriteAll(std::vector<uint8_t>(size, 1));
        EXPECT_TRUE(p.CheckIfExists());
        EXPECT_EQ(file.Bytes(), BuildDefaultProfile()) << size;
    }
}

TEST_F(ProfilesTest, DamagedDefaultResourceIsAFailureNotAFile) {
    clsProfiles p({file, settings, reporter, [] { return std::vector<uint8_t>(10, 0); }});
    EXPECT_FALSE(p.CheckIfExists());
    EXPECT_FALSE(file.Exists());
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_EQ(reporter.errors[0].sProcedure, "clsProfiles::CheckIfExists");
}

TEST_F(ProfilesTest, SaveAndLoadTouchOnlyTheirOwnRecords) {
    settings.SaveSetting(SettingAIMemory, 50);
    clsProfiles setup = Make();
    ASSERT_TRUE(setup.CheckIfExists());

    clsProfiles player = Make();
    clsProfiles computer = Make();
    ASSERT_TRUE(player.Load(ProfilePlayer));
    ASSERT_TRUE(computer.Load(ProfileComputer, true));
    EXPECT_EQ(computer.Extended().Games_Null, 29) << "level 50 of the reference data";
    player.Update(1, 1, true);
    player.Game_WasWon();
    computer.Update(1, 1, false);
    computer.Game_WasLost();
    ASSERT_TRUE(computer.Save(ProfileComputer));
    ASSERT_TRUE(player.Save(ProfilePlayer));

    const auto& bytes = file.Bytes();
    EXPECT_EQ(ReadI32(bytes, 0), 1);                    // player won
    EXPECT_EQ(ReadI32(bytes, 28), 1);                   // player wild guess
    EXPECT_EQ(ReadI32(bytes, 48 + 4), 1);               // computer lost
    EXPECT_EQ(ReadI32(bytes, 48 + 12), 1);              // computer missed
    EXPECT_EQ(ReadI32(bytes, 96 + 48 * 50 + 4), 1);     // extended lost
    EXPECT_EQ(ReadI32(bytes, 96 + 48 * 50 + 12), 1546); // extended missed
    EXPECT_EQ(ReadI32(bytes, 96 + 48 * 50 + 8), 29);
    EXPECT_EQ(ReadI32(bytes, 96 + 48 * 100 + 8), 51) << "other levels untouched";

    clsProfiles reread = Make();
    EXPECT_TRUE(reread.Load(ProfileComputer));
    EXPECT_EQ(reread.Games(), 1);
    EXPECT_EQ(reread.Games_Lost(), 1);
    EXPECT_TRUE(reread.Load(7)) << "another selector reads nothing and succeeds";
    EXPECT_EQ(reread.Games(), 1);
}

TEST_F(ProfilesTest, LevelOutsideTheTableCannotAddressBeyondTheFile) {
    clsProfiles setup = Make();
    ASSERT_TRUE(setup.CheckIfExists());
    settings.SaveSetting(SettingAIMemory, 250);
    clsProfiles high = Make();
    EXPECT_EQ(high.Level(), 100);
    high.Load(ProfileComputer, true);
    high.Game_WasNull();
    EXPECT_TRUE(high.Save(ProfileComputer));
    EXPECT_EQ(file.Length(), 4944);
    EXPECT_EQ(ReadI32(file.Bytes(), 96 + 48 * 100 + 8), 52);
    settings.SaveSetting(SettingAIMemory, -3);
    EXPECT_EQ(Make().Level(), 0);
}

TEST_F(ProfilesTest, ClearZeroesOnlyTheChosenMainRecords) {
    file.WriteAll(std::vector<uint8_t>(4944, 0x11));
    clsProfiles p = Make();
    p.Clear(true, false);
    const auto& bytes = file.Bytes();
    for (size_t i = 0; i < 48; ++i) ASSERT_EQ(bytes[i], 0) << i;
    for (size_t i = 48; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0x11) << i;
    p.Clear(false, true);
    for (size_t i = 48; i < 96; ++i) ASSERT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(bytes[96], 0x11);
}

TEST_F(ProfilesTest, LoadExtendedGivesPairRatiosPerLevel) {
    clsProfiles setup = Make();
    ASSERT_TRUE(setup.CheckIfExists());
    std::array<float, kLevels> ratios;
    ratios.fill(7.0f);
    float computer = -1.0f;
    clsProfiles p = Make();
    ASSERT_TRUE(p.LoadExtended(ratios, computer));
    EXPECT_EQ(computer, -1.0f) << "no computer data leaves the caller's value";
    EXPECT_FLOAT_EQ(ratios[50], 725.0f / 2270.0f);
    EXPECT_FLOAT_EQ(ratios[100], 1344.0f / 2616.0f);
    EXPECT_EQ(ratios[4], 0.0f) << "a level without data keeps 0";
    EXPECT_EQ(ratios[99], 0.0f);
    EXPECT_EQ(p.Current(), DecodeRecord([&] {
                  RecordBytes b{};
                  std::copy_n(file.Bytes().begin() + 4896, 48, b.begin());
                  return b;
              }()));
}

TEST_F(ProfilesTest, MissingFileLoadsNothingAndSucceeds) {
    clsProfiles p = Make();
    EXPECT_TRUE(p.Load(ProfilePlayer, true));
    EXPECT_EQ(p.Games(), 0);
    std::array<float, kLevels> ratios{};
    float computer = 0;
    EXPECT_TRUE(p.LoadExtended(ratios, computer));
    p.Clear(true, true);
    EXPECT_FALSE(file.Exists());
    EXPECT_TRUE(reporter.errors.empty());
}

TEST(DiskProfiles, RealFileRoundTripAndUnreadableFolder) {
    const auto dir = std::filesystem::temp_directory_path() / "quillon_profiles_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "profiles.dat").string();
    MemoryStore store;
    Settings settings(store);
    test::RecordingReporter reporter;
    DiskProfileFile file(path);

    clsProfiles p({file, settings, reporter, {}});
    ASSERT_TRUE(p.CheckIfExists());
    EXPECT_EQ(std::filesystem::file_size(path), 4944u);
    ASSERT_TRUE(p.Load(ProfilePlayer));
    p.Game_WasNull();
    ASSERT_TRUE(p.Save(ProfilePlayer));
    EXPECT_EQ(std::filesystem::file_size(path), 4944u) << "saving never truncates";
    clsProfiles q({file, settings, reporter, {}});
    ASSERT_TRUE(q.Load(ProfilePlayer));
    EXPECT_EQ(q.Games_Null(), 1);

    // A file truncated behind the program's back is a reported failure, not garbage.
    std::filesystem::resize_file(path, 20);
    EXPECT_FALSE(q.Load(ProfilePlayer));
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_EQ(reporter.errors[0].sProcedure, "clsProfiles::Load");

    // A folder where the file should be is neither read nor deleted.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    clsProfiles r({file, settings, reporter, {}});
    EXPECT_FALSE(r.CheckIfExists());
    EXPECT_TRUE(std::filesystem::is_directory(path));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quillon

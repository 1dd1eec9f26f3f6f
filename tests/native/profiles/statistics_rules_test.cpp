// What the statistics window shows: the texts of the figures and the geometry of the graph.

#include "profiles/statistics_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "profiles/clsProfiles.h"
#include "profiles/default_profile.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "support/fakes.h"

namespace quillon {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(StatisticsText, DurationsPercentagesAndLevelsAreRoundedAsShown) {
    // clang-format off
    const std::pair<double, const char*> durations[] = {
        {0, "0 s"}, {59999, "59 s"}, {60000, "1 min 0 s"}, {3723000, "1 h 2 min 3 s"},
        {3600000, "1 h 0 s"}, {7205000, "2 h 5 s"}, {-61000, "-1 min -1 s"},
        {59999.5, "1 min 0 s"}, {59998.5, "59 s"}, {999.6, "1 s"},  // halves to even, then cut
        {1e300, "596 h 31 min 23 s"}, {kInf, "596 h 31 min 23 s"},  // 2147483647 ms at most
        {-1e300, "-596 h -31 min -23 s"}, {std::nan(""), "0 s"}};
    const std::tuple<int32_t, int32_t, const char*> percents[] = {
        {1, 3, "33,3 %"}, {2, 3, "66,7 %"}, {0, 5, "0,0 %"}, {5, 5, "100,0 %"}, {-1, 3, "-33,3 %"},
        {1, 16, "6,3 %"}, {3, 16, "18,8 %"}, {1, 8, "12,5 %"},  // ties away from zero
        {1, 2000, "0,1 %"},  // 0.05 as a float lies above the tie
        {5, 0, ""}, {INT32_MIN, -1, "214748364800,0 %"}};
    const std::pair<double, const char*> levels[] = {
        {50.0, "50"}, {37.5, "37.5"}, {100.0 / 3.0, "33.33"}, {0.125, "0.12"}, {0.375, "0.38"},
        {-0.5, "-0.5"}, {std::nan(""), "0"}};
    // clang-format on
    for (const auto& [dMs, sShown] : durations) EXPECT_EQ(FormatDuration(dMs), sShown) << dMs;
    for (const auto& [lPart, lTotal, sShown] : percents)
        EXPECT_EQ(FormatPercent(lPart, lTotal, ","), sShown) << lPart << "/" << lTotal;
    for (const auto& [dLevel, sShown] : levels)
        EXPECT_EQ(FormatAverageLevel(dLevel, "."), sShown) << dLevel;
}

class Statistics : public testing::Test {
  protected:
    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    MemoryProfileFile file;
};

TEST_F(Statistics, RowsComeFromTheirOwnCountersAndAnOverflowingTotalShowsNoShares) {
    // Pairs: missed, both seen, second seen, first seen, wild guess; all different.
    file.WriteRecords({{1, ProfileRecord{1, 2, 5, {12, 1, 2, 3, 4}, 3723000, 12.5}},
                       {2, ProfileRecord{3, 0, 0, {}, 45000, 37.5}}});
    clsProfiles p({file, settings, reporter, {}});
    ASSERT_TRUE(p.Load(ProfilePlayer));
    ProfileFigures f = MakeProfileFigures(p, ProfilePlayer, ",");
    EXPECT_EQ(f.sGames, (std::array<std::string, 3>{"8", "1", "2"}));
    EXPECT_EQ(f.sGameShares, (std::array<std::string, 2>{"12,5 %", "25,0 %"}));
    EXPECT_EQ(f.sShownAverage + " / " + f.sHiddenAverage, "1 h 2 min 3 s / 12,5");
    EXPECT_EQ(f.sPairs, (std::array<std::string, 5>{"22", "4", "3", "2", "1"}));
    EXPECT_EQ(f.sPairShares, (std::array<std::string, 4>{"18,2 %", "13,6 %", "9,1 %", "4,5 %"}));
    EXPECT_FLOAT_EQ(f.fRatio, 10.0f / 22.0f);

    ASSERT_TRUE(p.Load(ProfileComputer));
    f = MakeProfileFigures(p, ProfileComputer, ".");
    EXPECT_EQ(f.sGameShares[0], "100.0 %");
    EXPECT_EQ(f.sShownAverage + " / " + f.sHiddenAverage, "37.5 / 45 s") << "the computer's level";
    EXPECT_EQ(f.fRatio, 0.0f) << "no pairs";
    file.WriteRecords({{1, ProfileRecord{0, 0, 0, {INT32_MAX, 1, 0, 0, 0}, 0, 0}}});
    ASSERT_TRUE(p.Load(ProfilePlayer));
    f = MakeProfileFigures(p, ProfilePlayer, ".");
    EXPECT_EQ(f.sPairs[0] + f.sPairShares[3], "0");
    EXPECT_EQ(reporter.Procedures(), std::vector<std::string>{"clsProfiles::Game_TotalPairs"});
}

// On the default profile; the player's bracket starts from what the computer's left.
TEST_F(Statistics, CurveJoinsTheMeasuredLevelsFromOneUpAndBracketsScanFromOppositeEnds) {
    file.WriteAll(BuildDefaultProfile());
    LevelRatios ratios{};
    float fComputer = -1.0f;
    ASSERT_TRUE(clsProfiles({file, settings, reporter, {}}).LoadExtended(ratios, fComputer));
    const GraphGeometry geometry{281, 181};
    std::vector<std::array<int32_t, 3>> points;
    for (const GraphPoint& p : CurvePoints(ratios, geometry))
        points.push_back({p.lLevel, p.lX, p.lY});
    ASSERT_EQ(points.size(), 14u) << "levels 1, 2, 3, 5, 10 and every tenth";
    EXPECT_EQ((std::array{points[0], points[3], points[8], points[13]}),
              (std::array<std::array<int32_t, 3>, 4>{
                  {{1, 6, 153}, {5, 17, 155}, {50, 142, 94}, {100, 281, 42}}}));

    const struct {
        float fRatio;
        int32_t lLow, lHigh;
        GraphRect rect;
    } cases[] = {
        {0.3f, 40, 50, {114, 94, 142, 110}},
        // Level 0 (0.122) above, level 5 (0.095) below, level 10 (0.101) above: opposite ends.
        {0.1f, 5, 0, {3, 148, 17, 155}},
        {0.6f, 100, 0, {3, 42, 281, 148}},  // nothing above: high stays level 0
        {0.05f, 100, 0, {3, 42, 281, 148}}  // nothing below: low stays level 100
    };
    Bracket shared;
    for (const auto& c : cases) {
        const auto rect = BracketRect(ratios, c.fRatio, geometry, shared);
        ASSERT_TRUE(rect.has_value());
        EXPECT_EQ((std::array{shared.lLowLevel, shared.lHighLevel}), (std::array{c.lLow, c.lHigh}))
            << c.fRatio;
        EXPECT_EQ((std::array{shared.fLowRatio, shared.fHighRatio}),
                  (std::array{ratios[c.lLow], ratios[c.lHigh]}));
        EXPECT_EQ(*rect, c.rect) << c.fRatio;
    }
    Bracket untouched{7, 0.25f, 9, 0.5f};
    EXPECT_FALSE(BracketRect(ratios, 0.0f, geometry, untouched).has_value());
    EXPECT_FALSE(BracketRect(ratios, -0.5f, geometry, untouched).has_value());
    EXPECT_EQ((std::array{untouched.lLowLevel, untouched.lHighLevel}), (std::array{7, 9}));
}

}  // namespace
}  // namespace quillon

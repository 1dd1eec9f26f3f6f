#include "profiles/statistics_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "profiles/clsProfiles.h"
#include "profiles/default_profile.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "support/fakes.h"

namespace quillon {
namespace {

// ---------------------------------------------------------------------------------------------
// Texts

TEST(StatisticsDuration, RoundedHalfToEvenThenTruncatedAndSaturated) {
    const struct {
        double dMilliseconds;
        const char* sShown;
    } cases[] = {
        {0, "0 s"},
        {45000, "45 s"},
        {59999, "59 s"},  // seconds are truncated, not rounded
        {60000, "1 min 0 s"},
        {3723000, "1 h 2 min 3 s"},
        {3600000, "1 h 0 s"},  // zero minutes are left out
        {7205000, "2 h 5 s"},
        {59999.5, "1 min 0 s"},  // rounds up to the even 60000
        {59998.5, "59 s"},       // rounds down to the even 59998
        {999.4, "0 s"},
        {999.6, "1 s"},
        {-61000, "-1 min -1 s"},
        // Damaged averages saturate at 2147483647 ms instead of overflowing.
        {1e300, "596 h 31 min 23 s"},
        {std::numeric_limits<double>::infinity(), "596 h 31 min 23 s"},
        {-1e300, "-596 h -31 min -23 s"},
        {std::nan(""), "0 s"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDuration(c.dMilliseconds), c.sShown) << c.dMilliseconds;
}

TEST(StatisticsPercent, OneDecimalTiesAwayFromZeroAndNothingForNoTotal) {
    const struct {
        int32_t lPart, lTotal;
        const char* sSeparator;
        const char* sShown;
    } cases[] = {
        {1, 3, ".", "33.3 %"},
        {2, 3, ".", "66.7 %"},
        {1, 3, ",", "33,3 %"},
        {0, 5, ".", "0.0 %"},  // at least one integer digit
        {5, 5, ".", "100.0 %"},
        {1, 3000, ".", "0.0 %"},
        {-1, 3, ".", "-33.3 %"},
        {std::numeric_limits<int32_t>::min(), -1, ".", "214748364800.0 %"},
        {5, 0, ".", ""},  // nothing to share
        {0, 0, ".", ""},
        // Ties of the single-precision share round away from zero.
        {1, 16, ".", "6.3 %"},
        {3, 16, ".", "18.8 %"},
        {1, 8, ".", "12.5 %"},
        // 0.05 is a little above 0.05 as a float, and must not be taken for a tie rounded down.
        {1, 2000, ".", "0.1 %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatPercent(c.lPart, c.lTotal, c.sSeparator), c.sShown)
            << c.lPart << "/" << c.lTotal;
}

TEST(StatisticsAverageLevel, TwoDecimalsHalfToEvenWithoutTrailingZeros) {
    EXPECT_EQ(FormatAverageLevel(50.0, "."), "50");
    EXPECT_EQ(FormatAverageLevel(37.5, "."), "37.5");
    EXPECT_EQ(FormatAverageLevel(100.0 / 3.0, "."), "33.33");
    EXPECT_EQ(FormatAverageLevel(0.125, "."), "0.12");
    EXPECT_EQ(FormatAverageLevel(0.375, ","), "0,38");
    EXPECT_EQ(FormatAverageLevel(-0.5, "."), "-0.5");
    EXPECT_EQ(FormatAverageLevel(std::nan(""), "."), "0");
}

// ---------------------------------------------------------------------------------------------
// Figures of a profile

class StatisticsFiguresTest : public ::testing::Test {
  protected:
    clsProfiles Make() { return clsProfiles({file, settings, reporter, {}}); }
    void Write(int32_t lRecord, const ProfileRecord& record) {
        file.WriteRecords({{lRecord, record}});
    }

    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    MemoryProfileFile file;
};

TEST_F(StatisticsFiguresTest, RowsComeFromTheirOwnCategories) {
    ProfileRecord player;
    player.Games_Won = 1;
    player.Games_Lost = 2;
    player.Games_Null = 5;
    // missed, both seen, second seen, first seen, wild guess: all different, so a swapped row
    // shows.
    player.Pairs = {10, 1, 2, 3, 4};
    player.Average_Time = 3723000;
    player.Average_AI = 12.5;
    Write(1, player);
    ProfileRecord computer;
    computer.Games_Won = 3;
    computer.Average_Time = 45000;
    computer.Average_AI = 37.5;
    Write(2, computer);

    clsProfiles p = Make();
    ASSERT_TRUE(p.Load(ProfilePlayer));
    const ProfileFigures f = MakeProfileFigures(p, ProfilePlayer, ",");
    EXPECT_EQ(f.sGames, (std::array<std::string, 3>{"8", "1", "2"}));
    EXPECT_EQ(f.sGameShares, (std::array<std::string, 2>{"12,5 %", "25,0 %"}));
    EXPECT_EQ(f.sShownAverage, "1 h 2 min 3 s");
    EXPECT_EQ(f.sHiddenAverage, "12,5");
    EXPECT_EQ(f.sPairs, (std::array<std::string, 5>{"20", "4", "3", "2", "1"}));
    EXPECT_EQ(f.sPairShares, (std::array<std::string, 4>{"20,0 %", "15,0 %", "10,0 %", "5,0 %"}));
    EXPECT_FLOAT_EQ(f.fRatio, 0.5f);

    clsProfiles c = Make();
    ASSERT_TRUE(c.Load(ProfileComputer));
    const ProfileFigures g = MakeProfileFigures(c, ProfileComputer, ".");
    EXPECT_EQ(g.sGames[0], "3");
    EXPECT_EQ(g.sGameShares[0], "100.0 %");
    EXPECT_EQ(g.sShownAverage, "37.5") << "the computer's row shows its AI level";
    EXPECT_EQ(g.sHiddenAverage, "45 s");
}

TEST_F(StatisticsFiguresTest, OverflowingPairTotalIsReportedByTheStoreAndShowsNoShares) {
    ProfileRecord player;
    player.Pairs = {std::numeric_limits<int32_t>::max(), 1, 0, 0, 0};
    Write(1, player);
    clsProfiles p = Make();
    ASSERT_TRUE(p.Load(ProfilePlayer));
    const ProfileFigures f = MakeProfileFigures(p, ProfilePlayer, ".");
    EXPECT_EQ(f.sPairs[0], "0");
    EXPECT_EQ(f.sPairShares[3], "");
    EXPECT_EQ(f.fRatio, 0.0f);
    ASSERT_EQ(reporter.errors.size(), 1u);
    EXPECT_EQ(reporter.errors[0].sProcedure, "clsProfiles::Game_TotalPairs");
}

// ---------------------------------------------------------------------------------------------
// Graph geometry

TEST(StatisticsGeometry, LastLevelOnTheRightEdgeAndLevelsInOrder) {
    for (int32_t lWidth = 1; lWidth <= 2000; ++lWidth) {
        const GraphGeometry g(lWidth, 100);
        ASSERT_EQ(g.X(100), lWidth);
        if (lWidth >= kLevels) {
            for (int32_t lLevel = 1; lLevel <= 100; ++lLevel)
                ASSERT_GT(g.X(lLevel), g.X(lLevel - 1)) << lWidth << " " << lLevel;
        }
    }
    const GraphGeometry g(202, 100);
    EXPECT_EQ(g.X(0), 2);
    EXPECT_EQ(g.X(49), 100);
}

TEST(StatisticsGeometry, RatiosFromTheBottomEdgeToTwoThirdsAtTheTop) {
    const GraphGeometry g(281, 181);
    EXPECT_EQ(g.Y(0.0f), 181);
    EXPECT_EQ(g.Y(2.0f / 3.0f), 0);
    EXPECT_LT(g.Y(0.9f), 0) << "ratios above 2/3 leave the picture";
    // H − r × 1.5 H lands on a half: 4 − 1.5 = 2.5, 12 − 4.5 = 7.5, 20 − 7.5 = 12.5.
    EXPECT_EQ(GraphGeometry(10, 4).Y(0.25f), 2);
    EXPECT_EQ(GraphGeometry(10, 12).Y(0.25f), 8);
    EXPECT_EQ(GraphGeometry(10, 20).Y(0.25f), 12);
}

// ---------------------------------------------------------------------------------------------
// Curve and brackets

class StatisticsGraphTest : public ::testing::Test {
  protected:
    // The ratios of the default profile file, read the way the window reads them.
    LevelRatios DefaultRatios() {
        file.WriteAll(BuildDefaultProfile());
        clsProfiles profile({file, settings, reporter, {}});
        LevelRatios ratios{};
        float fComputer = -1.0f;
        EXPECT_TRUE(profile.LoadExtended(ratios, fComputer));
        EXPECT_EQ(fComputer, -1.0f) << "an empty computer record leaves its ratio alone";
        return ratios;
    }

    MemoryStore store;
    Settings settings{store};
    test::RecordingReporter reporter;
    MemoryProfileFile file;
    const GraphGeometry geometry{281, 181};
};

std::vector<int32_t> LevelsOf(const std::vector<GraphPoint>& points) {
    std::vector<int32_t> levels;
    for (const auto& p : points) levels.push_back(p.lLevel);
    return levels;
}

TEST_F(StatisticsGraphTest, DefaultProfileCurveJoinsTheMeasuredLevelsAboveZero) {
    const LevelRatios ratios = DefaultRatios();
    const std::vector<GraphPoint> points = CurvePoints(ratios, geometry);
    EXPECT_EQ(LevelsOf(points),
              (std::vector<int32_t>{1, 2, 3, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(points.back().lX, 281);
    // Level 100: 1344 pairs of 2616 reveals, 0.514 of the way to 2/3 of the height.
    EXPECT_EQ(points.back().lY, RoundToInt32(181 - 181 * 1.5 * 1344.0 / 2616.0));
    EXPECT_EQ(points.front().lX, 6);
    for (size_t i = 1; i < points.size(); ++i) EXPECT_GT(points[i].lX, points[i - 1].lX);
}

TEST_F(StatisticsGraphTest, OnlyLevelsZeroAndHundredGiveASinglePoint) {
    LevelRatios ratios{};
    ratios[0] = 0.2f;
    ratios[100] = 0.5f;
    const std::vector<GraphPoint> points = CurvePoints(ratios, geometry);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].lLevel, 100);
    EXPECT_TRUE(CurvePoints(LevelRatios{}, geometry).empty());
}

TEST_F(StatisticsGraphTest, BracketScansRunFromOppositeEnds) {
    const LevelRatios ratios = DefaultRatios();
    const struct {
        float fRatio;
        int32_t lLow, lHigh;
    } cases[] = {
        {0.3f, 40, 50},  // between level 40 (0.261) and level 50 (0.319)
        // Around 0.1 the reference curve dips: level 0 (0.122) is above it, level 5 (0.095)
        // below, level 10 (0.101) just above. The low scan comes down from 100, the high scan
        // up from 0.
        {0.1f, 5, 0},
    };
    for (const auto& c : cases) {
        Bracket bracket;
        FindBracket(ratios, c.fRatio, bracket);
        EXPECT_EQ(bracket.lLowLevel, c.lLow) << c.fRatio;
        EXPECT_EQ(bracket.fLowRatio, ratios[c.lLow]) << c.fRatio;
        EXPECT_EQ(bracket.lHighLevel, c.lHigh) << c.fRatio;
        EXPECT_EQ(bracket.fHighRatio, ratios[c.lHigh]) << c.fRatio;
    }
}

// The computer's bracket is drawn first, and the player's starts from what it left.
TEST_F(StatisticsGraphTest, RatiosBeyondEveryLevelKeepWhatTheBracketBeforeLeft) {
    const LevelRatios ratios = DefaultRatios();
    Bracket shared;
    const auto above = BracketRect(ratios, 0.6f, geometry, shared);
    ASSERT_TRUE(above.has_value());
    EXPECT_EQ(shared.lLowLevel, 100);
    EXPECT_EQ(shared.lHighLevel, 0) << "nothing above: the high side keeps its start";
    EXPECT_EQ(shared.fHighRatio, 0.0f);
    EXPECT_EQ(*above, (GraphRect{geometry.X(0), geometry.Y(ratios[100]), 281, 181}))
        << "from level 0 at the bottom up to level 100";

    // Below every level: no low level is found, so level 100 from the computer's bracket stays.
    const auto below = BracketRect(ratios, 0.05f, geometry, shared);
    ASSERT_TRUE(below.has_value());
    EXPECT_EQ(shared.lLowLevel, 100);
    EXPECT_EQ(shared.lHighLevel, 0);
    EXPECT_EQ(shared.fHighRatio, ratios[0]);
    EXPECT_EQ(*below,
              (GraphRect{geometry.X(0), geometry.Y(ratios[100]), 281, geometry.Y(ratios[0])}));
}

TEST_F(StatisticsGraphTest, NoBracketForARatioOfZeroOrLess) {
    const LevelRatios ratios = DefaultRatios();
    Bracket bracket{7, 0.25f, 9, 0.5f};
    EXPECT_FALSE(BracketRect(ratios, 0.0f, geometry, bracket).has_value());
    EXPECT_FALSE(BracketRect(ratios, -0.5f, geometry, bracket).has_value());
    EXPECT_EQ(bracket.lLowLevel, 7) << "the shared variables are not touched";
    EXPECT_EQ(bracket.lHighLevel, 9);
}

}  // namespace
}  // namespace quillon

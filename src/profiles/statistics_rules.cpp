#include "profiles/statistics_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "profiles/clsProfiles.h"
#include "shell/rounding.h"

namespace quillon {

namespace {

constexpr int32_t kHighestLevel = kLevels - 1;

// "12" or "12<sep>5": an integer count of hundredths or tenths with its sign.
std::string FixedPoint(int64_t lUnits, int64_t lScale, int lDigits, bool bTrimZeros,
                       std::string_view sDecimal) {
    std::string sText = lUnits < 0 ? "-" : "";
    const uint64_t magnitude =
        lUnits < 0 ? 0 - static_cast<uint64_t>(lUnits) : static_cast<uint64_t>(lUnits);
    const auto scale = static_cast<uint64_t>(lScale);
    sText += std::to_string(magnitude / scale);
    std::string sFraction = std::to_string(magnitude % scale);
    sFraction.insert(0, static_cast<size_t>(lDigits) - sFraction.size(), '0');
    if (bTrimZeros) {
        while (!sFraction.empty() && sFraction.back() == '0') sFraction.pop_back();
    }
    if (!sFraction.empty()) {
        sText += sDecimal;
        sText += sFraction;
    }
    return sText;
}

// Values this large cannot be shown to two decimals in 64 bits; they saturate.
int64_t ClampedHundredths(double value) {
    constexpr double kLimit = 9.0e18;
    if (std::isnan(value)) return 0;
    return static_cast<int64_t>(RoundHalfEven(std::clamp(value * 100.0, -kLimit, kLimit)));
}

}  // namespace

int32_t RoundToInt32(double value) {
    constexpr auto kMin = std::numeric_limits<int32_t>::min();
    constexpr auto kMax = std::numeric_limits<int32_t>::max();
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(kMax)) return kMax;
    if (value <= static_cast<double>(kMin)) return kMin;
    return static_cast<int32_t>(RoundHalfEven(value));  // within the range: no overflow
}

std::string FormatDuration(double dMilliseconds) {
    // Truncating divisions, so a negative duration from a damaged file shows its sign on every
    // part instead of borrowing between them.
    int32_t s = RoundToInt32(dMilliseconds) / 1000;
    int32_t m = s / 60;
    s -= 60 * m;
    const int32_t h = m / 60;
    m -= 60 * h;
    std::string sText;
    if (h != 0) sText += std::to_string(h) + " h ";
    if (m != 0) sText += std::to_string(m) + " min ";
    return sText + std::to_string(s) + " s";
}

std::string FormatPercent(int32_t lPart, int32_t lTotal, std::string_view sDecimal) {
    if (lTotal == 0) return {};
    // The share is kept in single precision, then rounded to tenths with ties away from zero
    // from the float's exact value: 1 of 16 (exactly 6.25) shows 6.3. Widening the float and
    // multiplying by ten is exact in a double, so no second rounding creeps in.
    const auto fShare = static_cast<float>(static_cast<double>(lPart) / lTotal * 100.0);
    const auto lTenths = static_cast<int64_t>(std::round(static_cast<double>(fShare) * 10.0));
    return FixedPoint(lTenths, 10, 1, false, sDecimal) + " %";
}

std::string FormatAverageLevel(double dLevel, std::string_view sDecimal) {
    return FixedPoint(ClampedHundredths(dLevel), 100, 2, true, sDecimal);
}

float PairShare(int32_t lTotalPairs, int32_t lMissed) {
    if (lTotalPairs == 0) return 0.0f;
    return static_cast<float>(static_cast<double>(int64_t{lTotalPairs} - lMissed) / lTotalPairs);
}

ProfileFigures MakeProfileFigures(clsProfiles& profile, int32_t eWhich, std::string_view sDecimal) {
    ProfileFigures figures;
    const int32_t lPlayed = profile.Games();
    figures.sGames = {std::to_string(lPlayed), std::to_string(profile.Games_Won()),
                      std::to_string(profile.Games_Lost())};
    figures.sGameShares = {FormatPercent(profile.Games_Won(), lPlayed, sDecimal),
                           FormatPercent(profile.Games_Lost(), lPlayed, sDecimal)};

    const std::string sTime = FormatDuration(profile.Average_Time());
    const std::string sLevel = FormatAverageLevel(profile.Average_AI(), sDecimal);
    const bool bPlayer = eWhich == ProfilePlayer;
    figures.sShownAverage = bPlayer ? sTime : sLevel;
    figures.sHiddenAverage = bPlayer ? sLevel : sTime;

    const int32_t lTotal = profile.Game_TotalPairs();
    figures.sPairs[0] = std::to_string(lTotal);
    constexpr std::array<PairCategory, 4> kFound = {PairWildGuess, PairFirstSeen, PairSecondSeen,
                                                    PairBothSeen};
    for (size_t i = 0; i < kFound.size(); ++i) {
        const int32_t lCount = profile.Game_Pairs(kFound[i]);
        figures.sPairs[i + 1] = std::to_string(lCount);
        figures.sPairShares[i] = FormatPercent(lCount, lTotal, sDecimal);
    }
    figures.fRatio = PairShare(lTotal, profile.Game_Pairs(PairMissed));
    return figures;
}

GraphGeometry::GraphGeometry(int32_t lWidth, int32_t lHeight)
    : m_lWidth(lWidth),
      m_lHeight(lHeight),
      m_fDx(static_cast<float>(lWidth) / static_cast<float>(kLevels)),
      m_fDy(static_cast<float>(lHeight) * 1.5f) {}

int32_t GraphGeometry::X(int32_t lLevel) const {
    // dx × 101 need not give W back in single precision; the last level belongs on the edge.
    if (lLevel == kHighestLevel) return m_lWidth;
    return RoundToInt32(m_fDx * static_cast<float>(lLevel + 1));
}

int32_t GraphGeometry::Y(float fRatio) const {
    return RoundToInt32(static_cast<float>(m_lHeight) - fRatio * m_fDy);
}

std::vector<GraphPoint> CurvePoints(const LevelRatios& ratios, const GraphGeometry& geometry) {
    std::vector<GraphPoint> points;
    for (int32_t lLevel = 1; lLevel <= kHighestLevel; ++lLevel) {
        const float fRatio = ratios[static_cast<size_t>(lLevel)];
        if (fRatio == 0.0f) continue;
        points.push_back({lLevel, geometry.X(lLevel), geometry.Y(fRatio)});
    }
    return points;
}

void FindBracket(const LevelRatios& ratios, float fRatio, Bracket& bracket) {
    for (int32_t lLevel = kHighestLevel; lLevel >= 0; --lLevel) {
        const float fLevel = ratios[static_cast<size_t>(lLevel)];
        if (fLevel != 0.0f && fLevel < fRatio) {
            bracket.lLowLevel = lLevel;
            bracket.fLowRatio = fLevel;
            break;
        }
    }
    for (int32_t lLevel = 0; lLevel <= kHighestLevel; ++lLevel) {
        const float fLevel = ratios[static_cast<size_t>(lLevel)];
        if (fLevel != 0.0f && fLevel > fRatio) {
            bracket.lHighLevel = lLevel;
            bracket.fHighRatio = fLevel;
            break;
        }
    }
}

std::optional<GraphRect> BracketRect(const LevelRatios& ratios, float fRatio,
                                     const GraphGeometry& geometry, Bracket& bracket) {
    if (!(fRatio > 0.0f)) return std::nullopt;
    FindBracket(ratios, fRatio, bracket);
    const int32_t x1 = geometry.X(bracket.lHighLevel);
    const int32_t y1 = geometry.Y(bracket.fLowRatio);
    const int32_t x2 = geometry.X(bracket.lLowLevel);
    const int32_t y2 = geometry.Y(bracket.fHighRatio);
    return GraphRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

}  // namespace quillon

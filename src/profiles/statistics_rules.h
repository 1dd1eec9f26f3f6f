#pragma once
// What the statistics window shows, without the window: the texts of the figures, and the
// geometry of the performance graph (grid, curve and the two brackets) in picture pixels.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/profile_record.h"

namespace quillon {

class clsProfiles;

// The computer's share of pair-producing reveals by "AI Memory" level; 0 means no data.
using LevelRatios = std::array<float, kLevels>;

// Half to even, as the figures and the graph round; values beyond the 32-bit range saturate and
// NaN gives 0, so a damaged profile cannot make the conversion undefined.
int32_t RoundToInt32(double value);

// Milliseconds as "1 h 2 min 3 s", "45 s", "0 s": whole seconds, truncated after rounding the
// milliseconds; zero hours and minutes are left out.
std::string FormatDuration(double dMilliseconds);

// part / total as "33.3 %" with the given decimal separator; empty when total is 0.
std::string FormatPercent(int32_t lPart, int32_t lTotal, std::string_view sDecimal);

// An average "AI Memory" level to two decimals, without trailing zeros: "50", "37.5", "33.33".
std::string FormatAverageLevel(double dLevel, std::string_view sDecimal);

// Share of reveals that produced a pair, as the profile store computes it; 0 when total is 0.
float PairShare(int32_t lTotalPairs, int32_t lMissed);

// The texts of one profile's tab, in the order of its rows.
struct ProfileFigures {
    std::array<std::string, 3> sGames;       // played, won, lost
    std::array<std::string, 2> sGameShares;  // won / played, lost / played
    std::string sShownAverage;               // the player's game length, the computer's AI level
    std::string sHiddenAverage;              // the other average of the record, on the hidden row
    std::array<std::string, 5> sPairs;       // total, wild guess, first, second, both viewed
    std::array<std::string, 4> sPairShares;  // the four found-pair counts / total
    float fRatio = 0.0f;  // share of reveals that produced a pair; 0 without reveals
};

// Reads the figures of a loaded profile (selector ProfilePlayer or ProfileComputer). A record
// whose game counts overflow throws, as Games does.
ProfileFigures MakeProfileFigures(clsProfiles& profile, int32_t eWhich, std::string_view sDecimal);

// Picture coordinates of the graph: level L at dx × (L + 1), level 100 on the right edge; ratio
// r at H − r × 1.5 H, so the top edge stands for 2/3.
class GraphGeometry {
  public:
    GraphGeometry(int32_t lWidth, int32_t lHeight);
    int32_t Width() const { return m_lWidth; }
    int32_t Height() const { return m_lHeight; }
    int32_t X(int32_t lLevel) const;
    int32_t Y(float fRatio) const;

  private:
    int32_t m_lWidth;
    int32_t m_lHeight;
    float m_fDx;
    float m_fDy;
};

inline constexpr int32_t kGridStep = 10;  // a grid line every ten levels, 0 to 100

struct GraphPoint {
    int32_t lLevel;
    int32_t lX;
    int32_t lY;
};

// The curve's points, levels 1 to 100 that have data; level 0 never joins the curve.
std::vector<GraphPoint> CurvePoints(const LevelRatios& ratios, const GraphGeometry& geometry);

// The measured levels around a ratio. The computer's and the player's brackets share one of
// these: a scan that finds nothing keeps what the previous bracket left.
struct Bracket {
    int32_t lLowLevel = 0;
    float fLowRatio = 0.0f;
    int32_t lHighLevel = 0;
    float fHighRatio = 0.0f;
};

// Low: the highest level whose ratio is non-zero and below fRatio. High: the lowest level whose
// ratio is non-zero and above it.
void FindBracket(const LevelRatios& ratios, float fRatio, Bracket& bracket);

// Corners ordered, both inclusive.
struct GraphRect {
    int32_t lLeft;
    int32_t lTop;
    int32_t lRight;
    int32_t lBottom;
    friend bool operator==(const GraphRect&, const GraphRect&) = default;
};

// The rectangle of a bracket around fRatio, after updating the shared bracket; nothing (and the
// bracket untouched) for a ratio of 0 or less.
std::optional<GraphRect> BracketRect(const LevelRatios& ratios, float fRatio,
                                     const GraphGeometry& geometry, Bracket& bracket);

}  // namespace quillon

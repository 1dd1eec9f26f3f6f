#include "profiles/win/statistics_graph.h"

#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "shell/error_report.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "ui/win/gdi_canvas.h"

namespace quillon::win {

namespace {

ScopedGdiObject MakePen(int lStyle, COLORREF colour) {
    ScopedGdiObject pen(CreatePen(lStyle, 1, colour));
    if (!pen) ThrowGdiFailure("CreatePen");
    return pen;
}

// Dots, hatch gaps and the space around them leave the picture beneath as it was.
class ScopedTransparentBackground {
  public:
    explicit ScopedTransparentBackground(HDC hdc)
        : m_hdc(hdc), m_lOld(SetBkMode(hdc, TRANSPARENT)) {}
    ~ScopedTransparentBackground() {
        if (m_lOld != 0) SetBkMode(m_hdc, m_lOld);
    }
    ScopedTransparentBackground(const ScopedTransparentBackground&) = delete;
    ScopedTransparentBackground& operator=(const ScopedTransparentBackground&) = delete;

  private:
    HDC m_hdc;
    int m_lOld;
};

void Line(HDC hdc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    MoveToEx(hdc, x1, y1, nullptr);
    LineTo(hdc, x2, y2);
}

void DrawGrid(HDC hdc, const GraphGeometry& geometry) {
    const ScopedGdiObject pen = MakePen(PS_DOT, kGridColour);
    const ScopedSelect selectPen(hdc, pen.Get());
    for (int32_t lLevel = 0; lLevel < kLevels; lLevel += kGridStep) {
        const int32_t x = geometry.X(lLevel);
        Line(hdc, x, 0, x, geometry.Height());
    }
}

void DrawCurve(HDC hdc, const GraphGeometry& geometry, const LevelRatios& ratios) {
    const std::vector<GraphPoint> points = CurvePoints(ratios, geometry);
    if (points.empty()) return;
    const ScopedGdiObject pen = MakePen(PS_SOLID, kCurveColour);
    const ScopedSelect selectPen(hdc, pen.Get());
    MoveToEx(hdc, points.front().lX, points.front().lY, nullptr);
    for (size_t i = 1; i < points.size(); ++i) LineTo(hdc, points[i].lX, points[i].lY);
}

void DrawBracket(HDC hdc, const GraphGeometry& geometry, const LevelRatios& ratios, float fRatio,
                 Bracket& bracket, COLORREF colour, int lHatch) {
    const std::optional<GraphRect> rect = BracketRect(ratios, fRatio, geometry, bracket);
    if (!rect) return;
    const ScopedGdiObject pen = MakePen(PS_SOLID, colour);
    ScopedGdiObject brush(CreateHatchBrush(lHatch, colour));
    if (!brush) ThrowGdiFailure("CreateHatchBrush");
    const ScopedSelect selectPen(hdc, pen.Get());
    const ScopedSelect selectBrush(hdc, brush.Get());
    // GDI leaves out the right and bottom edges; both corners belong to the bracket.
    if (!Rectangle(hdc, rect->lLeft, rect->lTop, rect->lRight + 1, rect->lBottom + 1))
        ThrowGdiFailure("Rectangle");
}

}  // namespace

std::string UserDecimalSeparator() {
    wchar_t buffer[16] = {};
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer,
                                  static_cast<int>(std::size(buffer)));
    if (n <= 1) return ".";
    return Narrow(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
}

void DrawPerformanceGraph(HDC hdc, const GraphGeometry& geometry, const LevelRatios& ratios,
                          float fComputerRatio, float fPlayerRatio) {
    const ScopedTransparentBackground transparent(hdc);
    DrawGrid(hdc, geometry);
    DrawCurve(hdc, geometry, ratios);
    Bracket bracket;  // one for both: the player's starts from what the computer's found
    DrawBracket(hdc, geometry, ratios, fComputerRatio, bracket, kComputerColour, HS_FDIAGONAL);
    DrawBracket(hdc, geometry, ratios, fPlayerRatio, bracket, kPlayerColour, HS_BDIAGONAL);
}

}  // namespace quillon::win

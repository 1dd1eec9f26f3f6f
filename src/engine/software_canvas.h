#pragma once
#include <vector>

#include "engine/canvas.h"

namespace quillon {

// Pixels in memory, so card drawing can be checked pixel for pixel without a display.
class SoftwareCanvas final : public ICanvas {
  public:
    SoftwareCanvas(int lWidth, int lHeight, Rgb fill = kBlack);
    int Width() const override { return m_lWidth; }
    int Height() const override { return m_lHeight; }
    void BitBlt(int lX, int lY, int lW, int lH, const ICanvas* pSource, int lSrcX, int lSrcY,
                RasterOp eOp) override;
    void FillRect(int lX, int lY, int lW, int lH, Rgb color) override;

    Rgb Pixel(int lX, int lY) const;
    void SetPixel(int lX, int lY, Rgb color);

  private:
    int m_lWidth;
    int m_lHeight;
    std::vector<Rgb> m_pixels;
};

}  // namespace quillon

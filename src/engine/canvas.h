#pragma once
// A 24-bit raster-operation surface: GDI BitBlt on Windows, SoftwareCanvas natively.

#include <cstdint>

namespace quillon {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBoardGreen{0, 128, 0};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

enum class RasterOp {
    Copy,       // SRCCOPY
    And,        // SRCAND
    Or,         // SRCPAINT
    Xor,        // SRCINVERT
    DstInvert,  // DSTINVERT (no source)
};

class ICanvas;

// A w x h area from (sx, sy) of a source to (x, y) of a destination, clipped to both surfaces
// so that every implementation agrees on what lies outside a picture. 64 bits: no sum
// overflows.
struct BlitArea {
    int64_t x, y, w, h, sx, sy;
    bool Empty() const { return w <= 0 || h <= 0; }
};

// Clips to the destination's size and, when pSource is given, to the source's size.
BlitArea ClipBlit(int lX, int lY, int lW, int lH, int lSrcX, int lSrcY, int lDstWidth,
                  int lDstHeight, const ICanvas* pSource);

class ICanvas {
  public:
    virtual ~ICanvas() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Combines the w x h area of pSource at (lSrcX, lSrcY) into this canvas at (lX, lY);
    // pSource is ignored by DstInvert. Parts outside either surface are clipped.
    virtual void BitBlt(int lX, int lY, int lW, int lH, const ICanvas* pSource, int lSrcX,
                        int lSrcY, RasterOp eOp) = 0;
    virtual void FillRect(int lX, int lY, int lW, int lH, Rgb color) = 0;
};

}  // namespace quillon

#pragma once
// The raster-op canvas over GDI: the board window's surface and the picture buffers are device
// contexts, and the engine's drawing reaches them through ICanvas.

#include <windows.h>

#include <cstdint>

#include "engine/canvas.h"
#include "shell/win/scoped.h"

namespace quillon::win {

// A device context of a known size; it does not own the DC. Copies and raster operations
// between two GdiCanvas objects are plain BitBlt calls, clipped to both surfaces first so that
// GDI and the software canvas agree on what lies outside a picture.
class GdiCanvas : public ICanvas {
  public:
    GdiCanvas(HDC hdc, int lWidth, int lHeight);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    int Width() const override { return m_lWidth; }
    int Height() const override { return m_lHeight; }
    // The source must be another GdiCanvas (it is ignored by DstInvert); any other kind of
    // canvas is a programming error and throws QuillonError.
    void BitBlt(int lX, int lY, int lW, int lH, const ICanvas* pSource, int lSrcX, int lSrcY,
                RasterOp eOp) override;
    void FillRect(int lX, int lY, int lW, int lH, Rgb color) override;

    HDC Dc() const { return m_hdc; }

  protected:
    GdiCanvas() = default;
    // For owners that create or hand over the DC after construction.
    void Attach(HDC hdc, int lWidth, int lHeight) {
        m_hdc = hdc;
        m_lWidth = lWidth;
        m_lHeight = lHeight;
    }

  private:
    HDC m_hdc = nullptr;
    int m_lWidth = 0;
    int m_lHeight = 0;
};

// A memory DC that owns a top-down 24-bit DIB section, so its pixels can be read back directly.
// Moving hands the DC and bitmap over; a moved-from canvas is empty (0 x 0, no DC).
class MemoryCanvas final : public GdiCanvas {
  public:
    // hdcReference: the DC the memory DC is made compatible with; nullptr for the screen.
    MemoryCanvas(int lWidth, int lHeight, Rgb fill = kBlack, HDC hdcReference = nullptr);
    ~MemoryCanvas() override;
    MemoryCanvas(MemoryCanvas&& other) noexcept;
    MemoryCanvas& operator=(MemoryCanvas&& other) noexcept;

    Rgb Pixel(int lX, int lY) const;
    void SetPixel(int lX, int lY, Rgb color);

  private:
    void Free() noexcept;
    uint8_t* At(int lX, int lY) const;

    ScopedGdiObject m_bitmap;
    ScopedMemoryDC m_dc;
    HGDIOBJ m_hOldBitmap = nullptr;
    uint8_t* m_pBits = nullptr;
    int m_lStride = 0;
};

// Throws QuillonError naming the GDI call that failed and the system's error number.
[[noreturn]] void ThrowGdiFailure(const char* sWhat);

// The COLORREF of a colour.
inline COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

}  // namespace quillon::win

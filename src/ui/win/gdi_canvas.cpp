#include "ui/win/gdi_canvas.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "shell/error_report.h"

namespace quillon::win {

namespace {

DWORD RopOf(RasterOp eOp) {
    switch (eOp) {
        case RasterOp::Copy:
            return SRCCOPY;
        case RasterOp::And:
            return SRCAND;
        case RasterOp::Or:
            return SRCPAINT;
        case RasterOp::Xor:
            return SRCINVERT;
        case RasterOp::DstInvert:
            return DSTINVERT;
    }
    throw QuillonError(ErrInvalidCall, "Unknown raster operation");
}
}  // namespace

void ThrowGdiFailure(const char* sWhat) {
    throw QuillonError(ErrInvalidCall, std::string(sWhat) + " failed (error " +
                                           std::to_string(GetLastError()) + ")");
}

// ---------------------------------------------------------------------------------------------
// GdiCanvas

GdiCanvas::GdiCanvas(HDC hdc, int lWidth, int lHeight)
    : m_hdc(hdc), m_lWidth(std::max(lWidth, 0)), m_lHeight(std::max(lHeight, 0)) {}

void GdiCanvas::BitBlt(int lX, int lY, int lW, int lH, const ICanvas* pSource, int lSrcX, int lSrcY,
                       RasterOp eOp) {
    HDC hdcSource = nullptr;
    const GdiCanvas* pSrc = nullptr;
    if (eOp != RasterOp::DstInvert) {
        pSrc = dynamic_cast<const GdiCanvas*>(pSource);
        if (pSrc == nullptr)
            throw QuillonError(ErrInvalidCall, pSource == nullptr
                                                   ? "BitBlt needs a source picture"
                                                   : "BitBlt source is not a GDI canvas");
        hdcSource = pSrc->m_hdc;
    }
    const auto [x, y, w, h, sx, sy] =
        ClipBlit(lX, lY, lW, lH, lSrcX, lSrcY, m_lWidth, m_lHeight, pSrc);
    if (w <= 0 || h <= 0) return;
    if (!::BitBlt(m_hdc, static_cast<int>(x), static_cast<int>(y), static_cast<int>(w),
                  static_cast<int>(h), hdcSource, static_cast<int>(sx), static_cast<int>(sy),
                  RopOf(eOp)))
        ThrowGdiFailure("BitBlt");
}

void GdiCanvas::FillRect(int lX, int lY, int lW, int lH, Rgb color) {
    const auto [x, y, w, h, sx, sy] = ClipBlit(lX, lY, lW, lH, 0, 0, m_lWidth, m_lHeight, nullptr);
    if (w <= 0 || h <= 0) return;
    const ScopedGdiObject brush(CreateSolidBrush(ToColorRef(color)));
    if (!brush) ThrowGdiFailure("CreateSolidBrush");
    const RECT rc{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x + w),
                  static_cast<LONG>(y + h)};
    if (!::FillRect(m_hdc, &rc, static_cast<HBRUSH>(brush.Get()))) ThrowGdiFailure("FillRect");
}

// ---------------------------------------------------------------------------------------------
// MemoryCanvas

MemoryCanvas::MemoryCanvas(int lWidth, int lHeight, Rgb fill, HDC hdcReference) {
    if (lWidth <= 0 || lHeight <= 0)
        throw QuillonError(ErrInvalidCall, "A picture buffer needs a positive size");
    m_dc.Reset(CreateCompatibleDC(hdcReference));
    if (!m_dc) ThrowGdiFailure("CreateCompatibleDC");

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = lWidth;
    info.bmiHeader.biHeight = -lHeight;  // top-down: row 0 first in memory
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_bitmap.Reset(CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (!m_bitmap || pBits == nullptr) ThrowGdiFailure("CreateDIBSection");
    m_pBits = static_cast<uint8_t*>(pBits);
    m_lStride = (lWidth * 3 + 3) & ~3;  // DIB rows are padded to whole 32-bit words
    m_hOldBitmap = SelectObject(m_dc.Get(), m_bitmap.Get());
    if (m_hOldBitmap == nullptr || m_hOldBitmap == HGDI_ERROR) {
        m_hOldBitmap = nullptr;
        ThrowGdiFailure("SelectObject");
    }
    Attach(m_dc.Get(), lWidth, lHeight);
    FillRect(0, 0, lWidth, lHeight, fill);
}

MemoryCanvas::~MemoryCanvas() { Free(); }

MemoryCanvas::MemoryCanvas(MemoryCanvas&& other) noexcept
    : GdiCanvas(),
      m_bitmap(std::move(other.m_bitmap)),
      m_dc(std::move(other.m_dc)),
      m_hOldBitmap(std::exchange(other.m_hOldBitmap, nullptr)),
      m_pBits(std::exchange(other.m_pBits, nullptr)),
      m_lStride(std::exchange(other.m_lStride, 0)) {
    Attach(other.Dc(), other.Width(), other.Height());
    other.Attach(nullptr, 0, 0);
}

MemoryCanvas& MemoryCanvas::operator=(MemoryCanvas&& other) noexcept {
    if (this != &other) {
        Free();
        m_bitmap = std::move(other.m_bitmap);
        m_dc = std::move(other.m_dc);
        m_hOldBitmap = std::exchange(other.m_hOldBitmap, nullptr);
        m_pBits = std::exchange(other.m_pBits, nullptr);
        m_lStride = std::exchange(other.m_lStride, 0);
        Attach(other.Dc(), other.Width(), other.Height());
        other.Attach(nullptr, 0, 0);
    }
    return *this;
}

// The bitmap goes back out of the DC before either is deleted: GDI will not delete a bitmap
// that is still selected.
void MemoryCanvas::Free() noexcept {
    if (m_dc && m_hOldBitmap != nullptr) SelectObject(m_dc.Get(), m_hOldBitmap);
    m_hOldBitmap = nullptr;
    m_dc.Reset();
    m_bitmap.Reset();
    m_pBits = nullptr;
    m_lStride = 0;
    Attach(nullptr, 0, 0);
}

uint8_t* MemoryCanvas::At(int lX, int lY) const {
    if (m_pBits == nullptr || lX < 0 || lY < 0 || lX >= Width() || lY >= Height())
        throw QuillonError(ErrSubscriptOutOfRange, "Subscript out of range");
    // GDI may still hold drawing for this bitmap in its batch.
    GdiFlush();
    return m_pBits + static_cast<size_t>(lY) * static_cast<size_t>(m_lStride) +
           static_cast<size_t>(lX) * 3;
}

Rgb MemoryCanvas::Pixel(int lX, int lY) const {
    const uint8_t* p = At(lX, lY);
    return {p[2], p[1], p[0]};  // DIB pixels are stored blue, green, red
}

void MemoryCanvas::SetPixel(int lX, int lY, Rgb color) {
    uint8_t* p = At(lX, lY);
    p[0] = color.b;
    p[1] = color.g;
    p[2] = color.r;
}

}  // namespace quillon::win

#include "engine/software_canvas.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "shell/error_report.h"

namespace quillon {

static_assert(sizeof(Rgb) == 3 && std::is_trivially_copyable_v<Rgb>,
              "rows of Rgb are worked on as plain bytes");

namespace {

// Applies op to n bytes, eight at a time where it can (memcpy keeps the loads and stores
// alignment- and aliasing-safe and compiles to plain moves), so a row is fast even at -O2.
template <typename Op>
void CombineBytes(uint8_t* pDst, const uint8_t* pSrc, size_t n, Op op) {
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t d, s = 0;
        std::memcpy(&d, pDst + i, 8);
        if (pSrc != nullptr) std::memcpy(&s, pSrc + i, 8);
        d = op(d, s);
        std::memcpy(pDst + i, &d, 8);
    }
    for (; i < n; ++i)
        pDst[i] = static_cast<uint8_t>(op(pDst[i], pSrc != nullptr ? pSrc[i] : uint8_t{0}));
}

// One row of a raster operation, channel by channel; n is a count of bytes.
void CombineRow(uint8_t* pDst, const uint8_t* pSrc, size_t n, RasterOp eOp) {
    switch (eOp) {
        case RasterOp::Copy:
            std::memcpy(pDst, pSrc, n);
            break;
        case RasterOp::And:
            CombineBytes(pDst, pSrc, n, [](auto d, auto s) { return d & s; });
            break;
        case RasterOp::Or:
            CombineBytes(pDst, pSrc, n, [](auto d, auto s) { return d | s; });
            break;
        case RasterOp::Xor:
            CombineBytes(pDst, pSrc, n, [](auto d, auto s) { return d ^ s; });
            break;
        case RasterOp::DstInvert:
            CombineBytes(pDst, nullptr, n, [](auto d, auto) { return ~d; });
            break;
    }
}

}  // namespace

SoftwareCanvas::SoftwareCanvas(int lWidth, int lHeight, Rgb fill)
    : m_lWidth(std::max(lWidth, 0)),
      m_lHeight(std::max(lHeight, 0)),
      m_pixels(static_cast<size_t>(m_lWidth) * static_cast<size_t>(m_lHeight), fill) {}

Rgb SoftwareCanvas::Pixel(int lX, int lY) const {
    if (lX < 0 || lY < 0 || lX >= m_lWidth || lY >= m_lHeight)
        throw QuillonError(ErrSubscriptOutOfRange, "Subscript out of range");
    return m_pixels[static_cast<size_t>(lY) * static_cast<size_t>(m_lWidth) +
                    static_cast<size_t>(lX)];
}

void SoftwareCanvas::SetPixel(int lX, int lY, Rgb color) {
    if (lX < 0 || lY < 0 || lX >= m_lWidth || lY >= m_lHeight)
        throw QuillonError(ErrSubscriptOutOfRange, "Subscript out of range");
    m_pixels[static_cast<size_t>(lY) * static_cast<size_t>(m_lWidth) + static_cast<size_t>(lX)] =
        color;
}

void SoftwareCanvas::FillRect(int lX, int lY, int lW, int lH, Rgb color) {
    const BlitArea a = ClipBlit(lX, lY, lW, lH, 0, 0, m_lWidth, m_lHeight, nullptr);
    if (a.Empty()) return;
    for (int64_t row = a.y; row < a.y + a.h; ++row) {
        Rgb* pRow = m_pixels.data() + row * m_lWidth + a.x;
        std::fill(pRow, pRow + a.w, color);
    }
}

void SoftwareCanvas::BitBlt(int lX, int lY, int lW, int lH, const ICanvas* pSource, int lSrcX,
                            int lSrcY, RasterOp eOp) {
    const SoftwareCanvas* pSrc = nullptr;
    if (eOp != RasterOp::DstInvert) {
        pSrc = dynamic_cast<const SoftwareCanvas*>(pSource);
        if (pSrc == nullptr)
            throw QuillonError(ErrInvalidCall, pSource == nullptr
                                                   ? "BitBlt needs a source picture"
                                                   : "BitBlt source is not a software canvas");
    }
    const auto [x, y, w, h, sx, sy] =
        ClipBlit(lX, lY, lW, lH, lSrcX, lSrcY, m_lWidth, m_lHeight, pSrc);
    if (w <= 0 || h <= 0) return;

    const size_t lRowBytes = static_cast<size_t>(w) * sizeof(Rgb);
    auto* pDstBytes = reinterpret_cast<uint8_t*>(m_pixels.data());
    if (pSrc == nullptr) {
        for (int64_t row = 0; row < h; ++row)
            CombineRow(pDstBytes + ((y + row) * m_lWidth + x) * 3, nullptr, lRowBytes, eOp);
        return;
    }

    const auto* pSrcBytes = reinterpret_cast<const uint8_t*>(pSrc->m_pixels.data());
    if (pSrc == this) {
        // Overlapping areas of one canvas: read the whole source area before writing.
        std::vector<uint8_t> copy(lRowBytes * static_cast<size_t>(h));
        for (int64_t row = 0; row < h; ++row)
            std::copy_n(pSrcBytes + ((sy + row) * m_lWidth + sx) * 3, lRowBytes,
                        copy.data() + static_cast<size_t>(row) * lRowBytes);
        for (int64_t row = 0; row < h; ++row)
            CombineRow(pDstBytes + ((y + row) * m_lWidth + x) * 3,
                       copy.data() + static_cast<size_t>(row) * lRowBytes, lRowBytes, eOp);
        return;
    }
    for (int64_t row = 0; row < h; ++row)
        CombineRow(pDstBytes + ((y + row) * m_lWidth + x) * 3,
                   pSrcBytes + ((sy + row) * pSrc->m_lWidth + sx) * 3, lRowBytes, eOp);
}

}  // namespace quillon

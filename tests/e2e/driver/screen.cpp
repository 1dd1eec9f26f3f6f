#include "screen.h"

#include <cstdio>

#include "check.h"
#include "shell/win/scoped.h"

namespace quillon::e2e {

namespace {

using win::ScopedFile;
using win::ScopedGdiObject;
using win::ScopedGetDC;
using win::ScopedMemoryDC;
using win::ScopedSelect;

int Stride(int width) { return (3 * width + 3) & ~3; }

BITMAPINFO Info24(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Grid of sample points inside a card, clear of its outline and rounded corners.
constexpr int kSampleColumns = 7;
constexpr int kSampleRows = 9;
constexpr int kSampleMargin = 4;

POINT SamplePoint(int i, int j) {
    return {kSampleMargin + i * (kCardWidth - 2 * kSampleMargin - 1) / (kSampleColumns - 1),
            kSampleMargin + j * (kCardHeight - 2 * kSampleMargin - 1) / (kSampleRows - 1)};
}

bool Near(COLORREF a, COLORREF b) {
    const auto close = [](int u, int v) { return u - v <= 3 && v - u <= 3; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
           close(GetBValue(a), GetBValue(b));
}

COLORREF Inverted(COLORREF c) {
    return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

}  // namespace

Image Image::CaptureScreen(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    Image image(width, height);
    ScopedGetDC screen(nullptr);
    ScopedMemoryDC memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info = Info24(width, height);
    void* bits = nullptr;
    ScopedGdiObject bitmap(
        CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) Fail("cannot create a bitmap for a screen capture");
    {
        ScopedSelect select(memory.Get(), bitmap.Get());
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY))
            Fail("BitBlt from the screen failed");
        GdiFlush();
    }
    const auto* src = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
        std::copy_n(src + static_cast<size_t>(y) * Stride(width), 3 * width,
                    image.m_bgr.begin() + 3 * static_cast<ptrdiff_t>(y) * width);
    return image;
}

Image Image::CaptureWholeScreen() {
    return CaptureScreen({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

Image Image::LoadBmp(const std::wstring& path) {
    ScopedGdiObject bitmap(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) Fail("cannot load the picture " + Narrow(path));
    BITMAP bm{};
    GetObjectW(bitmap.Get(), sizeof bm, &bm);
    Image image(bm.bmWidth, bm.bmHeight);
    BITMAPINFO info = Info24(bm.bmWidth, bm.bmHeight);
    std::vector<uint8_t> bits(static_cast<size_t>(Stride(bm.bmWidth)) * bm.bmHeight);
    ScopedGetDC screen(nullptr);
    if (GetDIBits(screen.Get(), static_cast<HBITMAP>(bitmap.Get()), 0,
                  static_cast<UINT>(bm.bmHeight), bits.data(), &info, DIB_RGB_COLORS) == 0)
        Fail("cannot read the pixels of " + Narrow(path));
    for (int y = 0; y < bm.bmHeight; ++y)
        std::copy_n(bits.begin() + static_cast<ptrdiff_t>(y) * Stride(bm.bmWidth), 3 * bm.bmWidth,
                    image.m_bgr.begin() + 3 * static_cast<ptrdiff_t>(y) * bm.bmWidth);
    return image;
}

COLORREF Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        Fail("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is outside a " +
             std::to_string(m_width) + " x " + std::to_string(m_height) + " picture");
    const size_t i = 3 * (static_cast<size_t>(y) * m_width + x);
    return RGB(m_bgr[i + 2], m_bgr[i + 1], m_bgr[i]);
}

void Image::WriteBmp(const std::wstring& path) const {
    const int stride = Stride(m_width);
    const DWORD imageBytes = static_cast<DWORD>(stride) * m_height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    BITMAPINFOHEADER info = Info24(m_width, m_height).bmiHeader;
    info.biHeight = m_height;  // bottom row first, which every reader accepts
    info.biSizeImage = imageBytes;
    std::vector<uint8_t> rows(imageBytes);
    for (int y = 0; y < m_height; ++y)
        std::copy_n(m_bgr.begin() + 3 * static_cast<ptrdiff_t>(m_height - 1 - y) * m_width,
                    3 * m_width, rows.begin() + static_cast<ptrdiff_t>(y) * stride);
    ScopedFile out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!out || !WriteFile(out.Get(), &file, sizeof file, &written, nullptr) ||
        !WriteFile(out.Get(), &info, sizeof info, &written, nullptr) ||
        !WriteFile(out.Get(), rows.data(), imageBytes, &written, nullptr))
        Fail("cannot write the screenshot " + Narrow(path));
}

COLORREF ScreenPixel(POINT screenPoint) {
    ScopedGetDC screen(nullptr);
    return GetPixel(screen.Get(), screenPoint.x, screenPoint.y);
}

const char* LookName(CardLook look) {
    switch (look) {
        case CardLook::Back:
            return "back";
        case CardLook::MarkedBack:
            return "marked back";
        case CardLook::Face:
            return "face";
        case CardLook::Empty:
            return "empty board";
        case CardLook::Unclear:
            return "unclear";
    }
    return "?";
}

std::string CardName(Card card) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d,%d)", card.x, card.y);
    return text;
}

Card DealPosition(int k) { return {k / kRows, k % kRows}; }

POINT CardCentre(Card card) {
    return {kCardWidth * card.x + kCardWidth / 2, kCardHeight * card.y + kCardHeight / 2};
}

CardLook CardReader::Look(const Image& client, Card card) const {
    const int left = kCardWidth * card.x;
    const int top = kCardHeight * card.y;
    int back = 0, marked = 0, green = 0;
    constexpr int kSamples = kSampleColumns * kSampleRows;
    for (int i = 0; i < kSampleColumns; ++i) {
        for (int j = 0; j < kSampleRows; ++j) {
            const POINT p = SamplePoint(i, j);
            const COLORREF seen = client.At(left + p.x, top + p.y);
            const COLORREF expected = m_back.At(p.x, p.y);
            back += Near(seen, expected);
            marked += Near(seen, Inverted(expected));
            green += Near(seen, kBoardGreen);
        }
    }
    if (green == kSamples) return CardLook::Empty;
    if (back == kSamples) return CardLook::Back;
    if (marked == kSamples) return CardLook::MarkedBack;
    // A face shares a few colours with the back or the board, never most of them.
    if (back <= kSamples / 4 && marked <= kSamples / 4 && green <= kSamples / 2)
        return CardLook::Face;
    return CardLook::Unclear;
}

}  // namespace quillon::e2e

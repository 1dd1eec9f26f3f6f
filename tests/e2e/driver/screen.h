#pragma once
// Pixels as they reach the screen: captures of the screen DC, the card back the program draws,
// and what a card on the board looks like.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillon::e2e {

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;
inline constexpr int kColumns = 10;
inline constexpr int kRows = 5;
inline constexpr COLORREF kBoardGreen = RGB(0, 128, 0);

// A 24-bit picture, top row first.
class Image {
  public:
    Image() = default;
    Image(int width, int height) : m_width(width), m_height(height), m_bgr(3u * width * height) {}

    // The screen's pixels inside `rect` (screen coordinates).
    static Image CaptureScreen(const RECT& rect);
    static Image CaptureWholeScreen();
    // A .bmp file, as the program loads its card backs.
    static Image LoadBmp(const std::wstring& path);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;
    void WriteBmp(const std::wstring& path) const;
    friend bool operator==(const Image&, const Image&) = default;

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_bgr;
};

// One pixel of the screen, read the way a person's eye would: through the screen DC.
COLORREF ScreenPixel(POINT screenPoint);

// Unclear: a mixture, e.g. a card caught half drawn.
enum class CardLook { Back, MarkedBack, Face, Empty, Unclear };
const char* LookName(CardLook look);

struct Card {
    int x = 0;
    int y = 0;
    friend bool operator==(const Card&, const Card&) = default;
};
std::string CardName(Card card);
// The k-th position of the dealing order: x outer 0..9, y inner 0..4.
Card DealPosition(int k);
POINT CardCentre(Card card);

// Tells backs, marked backs, faces and empty places apart on a capture of the client area.
class CardReader {
  public:
    explicit CardReader(Image back) : m_back(std::move(back)) {}
    CardLook Look(const Image& client, Card card) const;

  private:
    Image m_back;
};

}  // namespace quillon::e2e

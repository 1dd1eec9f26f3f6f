#pragma once
// The options dialog's rules that need no window: picture names from file names, the labels of
// the two sliders, the snapping of the reveal slider, the card-set preview's position and
// drawing, which list entry a stored name selects, and what the dialog reads and writes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/canvas.h"
#include "engine/card_layout.h"
#include "shell/settings.h"

namespace quillon {

// Reveal slider, in hundredths of a second.
inline constexpr int32_t kRevealMin = 25;
inline constexpr int32_t kRevealMax = 1000;
inline constexpr int32_t kRevealLine = 25;
inline constexpr int32_t kRevealPage = 100;
inline constexpr int32_t kRevealTicks = 100;
inline constexpr int32_t kRevealSnap = 5;

// Memory slider, the "AI Memory" level.
inline constexpr int32_t kMemoryMin = 5;
inline constexpr int32_t kMemoryMax = 100;
inline constexpr int32_t kMemoryLine = 5;
inline constexpr int32_t kMemoryPage = 10;
inline constexpr int32_t kMemoryTicks = 10;

// The card-set preview shows two neighbouring faces, p and p + 1.
inline constexpr int32_t kPreviewCards = 2;
inline constexpr int32_t kLastPreviewPosition = kFaces - kPreviewCards;  // 23
inline constexpr int kSetPreviewWidth = kCardWidth * kPreviewCards;      // 142

// The name a picture file is listed under: lower case, without the extension (the text from
// the last dot on; a name without a dot is kept whole), then the first character and every
// character that follows a space in upper case. "old WEST.bmp" is "Old West".
// Only the ASCII letters change case: other characters, such as the bytes of a UTF-8
// sequence, pass through untouched. The folder is matched without regard to case anyway, so
// the name still finds its file, and a byte-wise rule cannot break a multi-byte character.
std::string PictureDisplayName(std::string_view sFileName);

// Whether a file belongs in a picture list: its name ends in sExtension (".bmp", ".jpg"),
// compared without regard to ASCII case, as the platform's "*.bmp" listing matches it. A name
// that is nothing but the extension counts too ("*.bmp" lists ".bmp").
bool HasPictureExtension(std::string_view sFileName, std::string_view sExtension);

// "1.50 s" for 150: the value / 100 with exactly two decimals. Integer arithmetic, so the
// rounding of a binary fraction can never show 1.4999.
std::string RevealLabel(int32_t lValue);
// (value div 5) x 5, truncating toward zero as the slider's own integer positions do.
int32_t SnapReveal(int32_t lValue);
// "50 %" for 50.
std::string MemoryLabel(int32_t lValue);

// The preview position after the down (lDelta < 0) or up (lDelta > 0) button: one step, never
// below 0 nor above kLastPreviewPosition.
int32_t MovePreview(int32_t lPosition, int32_t lDelta);

// The index of the first entry equal to sSetting (case-sensitive), or -1: nothing selected.
int32_t FindListEntry(const std::vector<std::string>& entries, std::string_view sSetting);

// "Clear" may be pressed exactly when at least one of the two boxes is checked.
bool ClearEnabled(bool bClearYours, bool bClearComputer);

// The key letter of a caption ("Car&ds" gives 'd'; "&&" is a plain ampersand), as typed with
// Alt; 0 when the caption has none.
char MnemonicOf(std::string_view sCaption);

// Draws lCards neighbouring cards of picture (starting at x = lSrcX) into target at (0, 0)
// the way the board draws them (DrawCardPicture), over target cleared to background, which
// shows at the rounded corners.
void DrawCardPreview(ICanvas& target, const ICanvas& picture, int lSrcX, int lCards,
                     const ICanvas& mask, const ICanvas& border, Rgb background);

// What the dialog shows and saves of the settings.
struct OptionsValues {
    int32_t lClock = 150;
    bool bWaitForClick = true;
    int32_t lMemory = 50;
    std::string sCardBacks;
    std::string sCardSet;
    std::string sPlayer1Name;
    std::string sPlayer2Name;
};

OptionsValues Settings_Load(const Settings& settings);
// Writes every value; the names as typed, an empty picture name when nothing is selected.
void Settings_Save(Settings& settings, const OptionsValues& values);

// The on/off options of the options tree, in the tree's order.
inline constexpr std::array<std::string_view, 4> kOptionKeys = {
    OPTION_AUTOCHECK, OPTION_FLASH, OPTION_HANDCURSOR, OPTION_SELECTION};

}  // namespace quillon

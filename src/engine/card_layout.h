#pragma once
// Card geometry and the two fixed pictures every card is drawn with.

#include "engine/canvas.h"

namespace quillon {

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;
inline constexpr int kColumns = 10;
inline constexpr int kRows = 5;
inline constexpr int kCards = kColumns * kRows;
inline constexpr int kPairs = kCards / 2;
inline constexpr int kFaces = 25;

// Throws QuillonError (subscript out of range) for a position outside the board.
void CheckPosition(int lX, int lY);

// One of the 12 pixels outside the card's rounded corners.
bool IsOutsideCorner(int lX, int lY);
// One of the card's one-pixel outline.
bool IsOutline(int lX, int lY);

// Mask: black inside the card, white at the 12 outside corner pixels.
void PaintCardMask(ICanvas& canvas);
// Border: black on the outline, white elsewhere.
void PaintCardBorder(ICanvas& canvas);

// One card of picture, its cell at lSrcX, drawn at (lX, lY) of target as the board draws every
// card: the picture by XOR, the mask by AND, the picture by XOR again, the border by AND. The
// picture shows inside the outline, the outline is black, and at the 12 outside corners what
// lay on target stays.
void DrawCardPicture(ICanvas& target, int lX, int lY, const ICanvas& picture, int lSrcX,
                     const ICanvas& mask, const ICanvas& border);

// picBackInv (LoadPictureSets step 7): fills target's card rectangle with the board green, then
// applies the six raster operations with back, mask and border. Result: NOT back inside the
// outline, black on it, board green at the 12 outside corners.
void ComposeInvertedBack(ICanvas& target, const ICanvas& back, const ICanvas& mask,
                         const ICanvas& border);

}  // namespace quillon

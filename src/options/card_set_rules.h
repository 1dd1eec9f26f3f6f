#pragma once
// Making a card set from the player's own pictures, the parts that need no window: where each
// picture is cut to a card's proportions, when it is too small to fill a card, which names a
// set's file can take, and how far the list is from a whole set.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/card_layout.h"

namespace quillon {

// A rectangle of a source picture, in its pixels.
struct CropRect {
    int lX = 0;
    int lY = 0;
    int lWidth = 0;
    int lHeight = 0;
    bool operator==(const CropRect&) const = default;
};

// The largest rectangle of a card's proportions (kCardWidth : kCardHeight) centred in a
// picture of lWidth x lHeight: the picture's full height for a wider picture, its full width
// for a taller one. An odd leftover puts the extra pixel after the rectangle. Never empty for
// a picture of at least one pixel; a picture of no pixels gives an empty rectangle.
CropRect CentreCrop(int lWidth, int lHeight);

// Whether the part CentreCrop keeps is smaller than a card in either direction, so that
// filling the card means enlarging the picture.
bool TooSmallForCard(int lWidth, int lHeight);

// What is wrong with a set's name as a file name: the name becomes <name>.jpg in the card-set
// folder, so it must be one file name the platform accepts and names the same file on every
// system the program runs on.
enum class SetNameProblem {
    None,
    Empty,
    TooLong,       // more than kMaxSetNameLength characters
    BadCharacter,  // < > : " / \ | ? * or a control character
    Reserved,      // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
    TrailingDotOrSpace,
};
inline constexpr size_t kMaxSetNameLength = 100;

// Spaces around a typed name are not part of it: trailing ones are invisible in the box.
std::string TrimSetName(std::string_view sName);
// The first problem of sName (UTF-8, already trimmed), or None.
SetNameProblem CheckSetName(std::string_view sName);

// How many pictures the list lacks for a whole set (negative: how many are too many).
inline int32_t PicturesMissing(size_t lCount) {
    return kFaces - static_cast<int32_t>(lCount > 1000 ? 1000 : lCount);
}

}  // namespace quillon

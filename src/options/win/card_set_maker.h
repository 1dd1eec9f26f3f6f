#pragma once
// A card set made of the player's own pictures: each picture cut to a card's proportions
// around its centre and scaled to a card, the faces laid side by side into the set's strip,
// and the strip written as a JPEG into the card-set folder in one move.

#include <string>
#include <vector>

#include "options/win/wic_imaging.h"
#include "ui/win/gdi_canvas.h"

namespace quillon::win {

struct CardFace {
    std::wstring sPath;  // the picture file it was made from
    int lSourceWidth = 0;
    int lSourceHeight = 0;
    MemoryCanvas picture;  // kCardWidth x kCardHeight
    // The picture was smaller than a card and was enlarged to fill it.
    bool Enlarged() const { return TooSmallForCard(lSourceWidth, lSourceHeight); }
};

// The face made of the picture file sPath. Throws QuillonError (ErrInvalidPicture) when the
// file is no picture that can be read.
CardFace MakeCardFace(const WicImaging& imaging, const std::wstring& sPath);

// The strip of the faces in their order: kFaces faces wide. Throws QuillonError
// (ErrInvalidCall) for any other number of faces.
MemoryCanvas AssembleStrip(const std::vector<CardFace>& faces);

// The quality the strip is written with: the faces stay sharp at about a tenth of the size of
// the raw pixels.
inline constexpr float kCardSetQuality = 0.9f;

// Writes the strip of the faces to sDestination (UTF-8): to a new file beside it first, then
// moved over it in one step, so the folder holds the old set or the new one, never half of
// one. Throws QuillonError (ErrPathFileAccess) with the system's reason when the folder cannot
// take the file; nothing of the new set is left behind then.
void WriteCardSet(const WicImaging& imaging, const std::vector<CardFace>& faces,
                  const std::string& sDestination);

}  // namespace quillon::win

#include "options/win/card_set_maker.h"

#include "engine/card_layout.h"
#include "shell/error_report.h"
#include "shell/win/replace_file.h"
#include "shell/win/text.h"

namespace quillon::win {

CardFace MakeCardFace(const WicImaging& imaging, const std::wstring& sPath) {
    const WicImaging::Picture source = imaging.Open(sPath);
    const PixelImage card = ScalePicture(source.Read(CentreCrop(source.Width(), source.Height())),
                                         kCardWidth, kCardHeight);
    CardFace face{sPath, source.Width(), source.Height(),
                  MemoryCanvas(kCardWidth, kCardHeight, kWhite)};
    for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < kCardWidth; ++x) face.picture.SetPixel(x, y, card.At(x, y));
    return face;
}

MemoryCanvas AssembleStrip(const std::vector<CardFace>& faces) {
    if (faces.size() != static_cast<size_t>(kFaces))
        throw QuillonError(ErrInvalidCall, "A card set needs " + std::to_string(kFaces) +
                                               " pictures, not " + std::to_string(faces.size()));
    MemoryCanvas strip(kCardWidth * kFaces, kCardHeight, kWhite);
    for (int n = 0; n < kFaces; ++n)
        strip.BitBlt(kCardWidth * n, 0, kCardWidth, kCardHeight, &faces[n].picture, 0, 0,
                     RasterOp::Copy);
    return strip;
}

void WriteCardSet(const WicImaging& imaging, const std::vector<CardFace>& faces,
                  const std::string& sDestination) {
    const MemoryCanvas strip = AssembleStrip(faces);
    const std::wstring destination = Widen(sDestination);
    const std::wstring temporary = SiblingTempFile(destination);
    if (temporary.empty()) throw QuillonError(ErrPathFileAccess, FailureText(GetLastError()));
    try {
        imaging.WriteJpeg(strip, temporary, kCardSetQuality);
    } catch (...) {
        DeleteFileW(temporary.c_str());
        throw;
    }
    if (const DWORD lError = MoveOver(temporary, destination); lError != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        throw QuillonError(ErrPathFileAccess, FailureText(lError));
    }
}

}  // namespace quillon::win

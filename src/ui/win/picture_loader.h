#pragma once
// Pictures from files (JPEG, BMP, whatever the platform's picture loader reads) and bitmap
// resources, each into a picture buffer of the image's own pixel size.

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "ui/win/gdi_canvas.h"

namespace quillon::win {

// The data folders' pictures: card sets are strips named <name>.jpg, backs <name>.bmp.
inline constexpr std::string_view kCardSetExtension = ".jpg";
inline constexpr std::string_view kCardBackExtension = ".bmp";

// Failure numbers of picture loading.
inline constexpr int32_t ErrFileNotFound = 53;
inline constexpr int32_t ErrInvalidPicture = 481;

// Loads the picture file sPath (UTF-8; a relative path is made full first, because the
// platform's loader accepts only full paths). COM must be initialised on this thread.
// Throws QuillonError naming the file when it is missing or is not a picture.
MemoryCanvas LoadPictureFile(std::string_view sPath, HDC hdcReference = nullptr);

// Loads the bitmap resource sName (for example "CARD_MASK") of hModule.
// Throws QuillonError naming the resource when it is missing.
MemoryCanvas LoadBitmapResource(HMODULE hModule, std::string_view sName,
                                HDC hdcReference = nullptr);

}  // namespace quillon::win

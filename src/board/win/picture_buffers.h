#pragma once
// The board window's card pictures: the hidden buffers the engine draws cards from, the
// built-in default pictures written out of the program's resources when the data folders lack
// them, the inverted back composed for the selection mark, and the drawing handles.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/game_host.h"
#include "ui/win/gdi_canvas.h"
#include "ui/win/picture_loader.h"

namespace quillon {
class Settings;
class IErrorReporter;
}  // namespace quillon

namespace quillon::win {

// Where the pictures live: UTF-8 folder paths, each with its trailing backslash.
struct PictureFolders {
    std::string sCardSets;   // "Data\Cards\": <name>.jpg
    std::string sCardBacks;  // "Data\Backs\": <name>.bmp
};

// Shows a modal notice: text, title, MB_* flags. The program shows a message box; tests record.
using MessageDisplay =
    std::function<void(const std::string& sText, const std::string& sTitle, UINT uType)>;

// A message box owned by hOwner (may be null).
MessageDisplay MessageBoxDisplay(HWND hOwner);

inline constexpr std::string_view kDefaultPictureName = "Default";
inline constexpr std::string_view kDefaultResourceType = "DEFAULT";

enum PictureKind : int32_t {
    PictureCardSet = 0,  // any value other than PictureCardBack
    PictureCardBack = 1,
};

class PictureBuffers {
  public:
    // hModule holds the resources (the mask, the border and the "DEFAULT" pictures). The
    // reporter and the display must outlive the buffers.
    PictureBuffers(HMODULE hModule, PictureFolders folders, IErrorReporter& reporter,
                   MessageDisplay showMessage);
    PictureBuffers(const PictureBuffers&) = delete;
    PictureBuffers& operator=(const PictureBuffers&) = delete;

    // picMask and picBorder from the bitmap resources "CARD_MASK" and "CARD_BORDER"; once,
    // when the window loads. Throws QuillonError when a resource is missing.
    void LoadMaskAndBorder();

    // (Re)loads the chosen back and card set, falling back to "Default" for a missing file and
    // writing the default files out first when they are missing, then composes picBackInv.
    // A failure is reported ("frmMain::LoadPictureSets", not fatal) and ends the loading, the
    // buffers keeping what they held or had received so far; the result tells whether it
    // completed (the window clears its reload flag only then).
    bool LoadPictureSets(const Settings& settings);

    // Writes Default.bmp (eKind 1) or Default.jpg (anything else) from the resources; shows
    // the read-only-folder notice when it cannot.
    bool ExtractPicture(int32_t eKind);

    // The raw bytes of resource sResName of type sResType into sPath (UTF-8). No message.
    bool SaveResourceToFile(std::string_view sPath, std::string_view sResName,
                            std::string_view sResType) const;

    // The drawing handles for the engine: pBoard is the window's persistent surface.
    CardSurfaces CacheDrawingHandles(ICanvas* pBoard) const;

    const MemoryCanvas& picBack() const { return m_picBack; }
    const MemoryCanvas& picCardSet() const { return m_picCardSet; }
    const MemoryCanvas& picMask() const { return m_picMask; }
    const MemoryCanvas& picBorder() const { return m_picBorder; }
    const MemoryCanvas& picBackInv() const { return m_picBackInv; }

    const PictureFolders& Folders() const { return m_folders; }

  private:
    HMODULE m_hModule;
    PictureFolders m_folders;
    IErrorReporter& m_reporter;
    MessageDisplay m_showMessage;

    MemoryCanvas m_picBack;
    MemoryCanvas m_picCardSet;
    MemoryCanvas m_picMask;
    MemoryCanvas m_picBorder;
    MemoryCanvas m_picBackInv;
};

}  // namespace quillon::win

#pragma once
// The dialog that makes a card set of the player's own pictures: the set's name, the list of
// pictures (added through the standard open dialog, several at once, or removed), a preview of
// the faces as the board draws them, and "Create" once the list holds a whole set.

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "options/win/card_set_maker.h"
#include "options/win/frmNewCardSet_resource.h"
#include "options/win/wic_imaging.h"
#include "ui/win/dialog_base.h"
#include "ui/win/gdi_canvas.h"

namespace quillon {
class IErrorReporter;
}

namespace quillon::win {

class frmNewCardSet final : public DialogBase {
  public:
    // sFolder: the card-set folder (UTF-8, with its trailing backslash). The mask and border
    // are the board's, as the options dialog holds them. Throws QuillonError when the imaging
    // component cannot be started.
    frmNewCardSet(HINSTANCE hInstance, IErrorReporter& reporter, std::string sFolder,
                  const MemoryCanvas& mask, const MemoryCanvas& border, Rgb background);

    // Runs the dialog modally over hOwner; the name of the set created (the file's name
    // without the extension), or nothing when the player cancelled.
    std::optional<std::string> Show(HWND hOwner);

    // The files of an open dialog's answer with several files: the folder, then the names,
    // each ended by a zero, the list by a second zero; a single file comes as its whole path.
    static std::vector<std::wstring> SplitFileList(const wchar_t* pList);

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    void Form_Load();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdCreate_Click();
    // Adds the pictures in order, then tells in one notice each what was refused or enlarged.
    void AddPictures(const std::vector<std::wstring>& paths);
    void ShowCount();
    void Preview();
    // A message box of a string table text with its %1, %2... filled in.
    int ShowNotice(UINT lTextId, std::initializer_list<std::wstring> inserts, UINT uType,
                   UINT lTitleId = IDS_NCS_TITLE) const;

    HINSTANCE m_hInstance;
    IErrorReporter& m_reporter;
    std::string m_sFolder;
    const MemoryCanvas& m_mask;
    const MemoryCanvas& m_border;
    Rgb m_background;
    WicImaging m_imaging;
    std::vector<CardFace> m_faces;  // in the list's order
    MemoryCanvas m_picPreview;
    std::wstring m_lastFolder;  // where the open dialog looked last
    std::string m_sCreated;
};

// The open dialog's filter from a string table entry whose parts are separated by '|'.
std::wstring OpenFilter(const std::wstring& sParts);

}  // namespace quillon::win

#pragma once
// The About window: the maker's logo, the product's title and version, the license with the
// copyright line, and the components with the versions of their files. It is loaded hidden
// first (the game adds its rows in between) and then shown modally over the caller's window.

#include <windows.h>

#include "iupdate/win/module.h"
// After windows.h, which it needs.
#include <commctrl.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "iupdate/win/library_windows.h"
#include "shell/win/scoped.h"
#include "ui/win/dialog_base.h"

namespace quillon::iupdate {

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ImageList_Destroy(h); }
};

class frmAbout final : public win::DialogBase {
  public:
    frmAbout();
    ~frmAbout() override;

    // Makes the window, hidden, and runs Form_Load; false when the window could not be made.
    bool Load();
    // The file name of the rich-text library the window uses ("msftedit.dll", or "riched20.dll"
    // on a system without it); empty when neither could be loaded.
    const std::wstring& RichEditLibrary() const { return m_sRichEditLibrary; }
    // Lists the rows, each with the version of its file.
    void GetComponents(const std::vector<AboutRow>& rows);
    // Shows the loaded window modally, owned by hOwner (none when null), and returns when it
    // has been closed.
    void ShowModal(HWND hOwner);

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void Form_Load();
    void Logo_Load();
    void License_Load();
    void List_Setup();
    HWND RichEdit_Create();
    void OnPaint();
    bool OnNotify(const NMHDR& header);
    void lst_ItemActivate();
    void rchEdit_LinkClick(const ENLINK& link);
    void cmdOK_Click() { m_bClosed = true; }

    ServerLock m_lock;  // the window's procedure lives in the library
    win::ScopedModule m_richEdit;
    std::wstring m_sRichEditLibrary;
    win::ScopedGdiObject m_logo;
    win::ScopedGdiObject m_logoMask;
    SIZE m_logoSize{};
    win::ScopedGdiObject m_titleFont;
    win::Scoped<ImageListTraits> m_icons;
    std::vector<std::string> m_rowPaths;  // by the list row's item data
    bool m_bClosed = false;
};

}  // namespace quillon::iupdate

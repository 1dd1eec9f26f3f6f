#pragma once
// The options dialog: reveal delay, player names, card set and backs with previews, the
// computer's memory level, clearing the statistics, and the on/off options. The board window
// shows it modally from its Tools menu.

#include <windows.h>
// The common controls need the definitions above.
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/win/app_context.h"
#include "ui/win/dialog_base.h"
#include "ui/win/gdi_canvas.h"
#include "ui/win/tab_pages.h"

namespace quillon::win {

class frmOptions final : public DialogBase {
  public:
    // The slow part of opening, done before the window exists: the mask and border bitmaps and
    // the two picture folders. Throws QuillonError when a bitmap resource is missing.
    explicit frmOptions(const AppContext& context);

    // Runs the dialog modally, owned by hOwner.
    void Show(HWND hOwner);

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    enum Page { PageGeneral, PageCards, PageAI, PageOther, PageCount };

    // Opening and closing
    void Form_Load();
    void Lists_Fill();
    void Settings_Load();
    void Settings_Save();
    void Options_Load();
    void Options_Save();
    void Form_Close(bool bOk);

    // Pages
    void Tabs_Fill();
    void EnablePage(int lPage, bool bEnabled);

    // Control rules
    void sldReveal_Scroll(int lCode);
    void ShowRevealLabel();
    void ShowMemoryLabel();
    void chkWaitForClick_Click();
    void cmdRandom_Click(int lIndex);
    void cmbCardBacks_Click();
    void cmbCardSet_Click();
    void CardSet_Preview();
    void updnCardSet_Change(int lDelta);
    void cmdNewSet_Click();
    void chkClear_Click();
    void cmdClearProfiles_Click();
    void KeepFolderPlain();

    // Messages
    INT_PTR OnCommand(int lId, int lCode);
    INT_PTR OnNotify(const NMHDR& header);
    void OnDrawItem(const DRAWITEMSTRUCT& item) const;

    bool IsChecked(int lId) const;
    std::string SelectedName(int lComboId, const std::vector<std::string>& names) const;
    void SizePreviews();

    AppContext m_context;
    Rgb m_background;
    MemoryCanvas m_picMask;
    MemoryCanvas m_picBorder;
    MemoryCanvas m_picCardSet;                // what the set preview shows
    MemoryCanvas m_picCardBack;               // what the back preview shows
    std::optional<MemoryCanvas> m_picTmpSet;  // the chosen strip, kept for moving the preview
    std::vector<std::string> m_backNames;
    std::vector<std::string> m_setNames;
    TabPages m_tabs;
    int32_t m_lPreview = 0;  // the first of the two cards the set preview shows
    bool m_bLoaded = false;  // the controls hold the settings, so closing may store them

    HTREEITEM m_hFolder = nullptr;
    std::array<HTREEITEM, 4> m_optionItems{};  // in the order of kOptionKeys
};

}  // namespace quillon::win

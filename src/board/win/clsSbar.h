#pragma once
// The board window's status bar: a common-controls status window with three panels.

#include <windows.h>

#include <string>

namespace quillon::win {

class clsSbar {
  public:
    clsSbar();
    ~clsSbar();
    clsSbar(const clsSbar&) = delete;
    clsSbar& operator=(const clsSbar&) = delete;

    int32_t Height() const;
    void AlignBottom(HWND hParent);
    void Paint();
    void Create(HWND hParent);
    void ScalePanels(int32_t lScale);
    // Panels are numbered 1 to 3.
    void PanelText(int32_t Index, const std::string& sText);
    HWND Hwnd() const { return m_hwnd; }

  private:
    HWND m_hwnd = nullptr;
};

}  // namespace quillon::win

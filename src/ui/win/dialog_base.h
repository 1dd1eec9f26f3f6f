#pragma once
// Modal dialogs from templates in the resources: the static dialog procedure keeps `this`
// (passed at WM_INITDIALOG) in DWLP_USER and forwards every later message to the derived
// class's member procedure. Every dialog opens centred over the window that owns it.

#include <windows.h>

#include <functional>
#include <string>

namespace quillon::win {

class DialogBase {
  public:
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    HWND Hwnd() const { return m_hwnd; }

  protected:
    DialogBase() = default;
    virtual ~DialogBase() { Destroy(); }

    // Runs the dialog modally over hOwner; the result is what EndDialog was given (-1 when the
    // template could not be loaded).
    INT_PTR RunModal(HINSTANCE hInstance, int lTemplateId, HWND hOwner);
    // Creates the dialog modeless, owned by hOwner, hidden until shown; false when the template
    // could not be loaded. The window goes with DestroyWindow (or with the object).
    bool CreateModeless(HINSTANCE hInstance, int lTemplateId, HWND hOwner);
    void Destroy();
    // Shows a dialog made by CreateModeless modally over hOwner (set as its owner now), with
    // hFocus focused, until bClosed() holds or the window goes; the owner is disabled meanwhile
    // and hears WM_ENTERIDLE when the loop waits for input, as the system's dialog loop does.
    // bPassBy lets a message go by IsDialogMessage. Then the dialog hides. False when WM_QUIT
    // ended the loop (it is posted again for the caller's loop).
    bool ShowModeless(HWND hOwner, HWND hFocus, const std::function<bool()>& bClosed,
                      const std::function<bool(const MSG&)>& bPassBy = {});
    HWND Item(int lId) const { return GetDlgItem(m_hwnd, lId); }
    // A control's text in UTF-8.
    std::string ItemText(int lId) const;

    // The dialog's messages from WM_INITDIALOG on; by then the dialog stands in its place.
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

    HWND m_hwnd = nullptr;

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// The whole text of a window or control.
std::wstring WindowText(HWND hwnd);

// The place of a window as large as `window`: centred over *pOwner, or over the work area when
// there is no owner, then moved inside the work area (top-left first when it does not fit).
RECT CentredRect(const RECT& window, const RECT* pOwner, const RECT& workArea);

// Centres hwnd over its owner when the owner is shown and not minimised, else on the screen,
// within the work area of the monitor it lands on.
void CentreOverOwner(HWND hwnd);

}  // namespace quillon::win

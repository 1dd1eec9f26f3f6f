#pragma once
// Modal dialogs from templates in the resources: the static dialog procedure keeps `this`
// (passed at WM_INITDIALOG) in DWLP_USER and forwards every later message to the derived
// class's member procedure.

#include <windows.h>

namespace quillon::win {

template <typename Derived>
class DialogBase {
public:
    // Runs the dialog modally over hOwner; the result is what EndDialog was given (-1 when the
    // template could not be loaded).
    INT_PTR ShowModal(HINSTANCE hInstance, int templateId, HWND hOwner) {
        return DialogBoxParamW(hInstance, MAKEINTRESOURCEW(templateId), hOwner,
                               &DialogBase::DialogProc, reinterpret_cast<LPARAM>(this));
    }
    HWND Hwnd() const { return m_hwnd; }

protected:
    DialogBase() = default;
    ~DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }

    HWND m_hwnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (msg == WM_INITDIALOG) {
            self = reinterpret_cast<Derived*>(lParam);
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            self->m_hwnd = hwnd;
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        }
        if (!self) return FALSE;
        const INT_PTR result = self->HandleMessage(msg, wParam, lParam);
        if (msg == WM_NCDESTROY) self->m_hwnd = nullptr;
        return result;
    }
};

}  // namespace quillon::win

#pragma once
// Minimal window wrapper: the object pointer travels in CREATESTRUCT, is stored at WM_NCCREATE
// and every later message goes to the derived class's HandleMessage.

#include <windows.h>

namespace quillon::win {

template <typename Derived>
class BaseWindow {
  public:
    HWND Hwnd() const { return m_hwnd; }

  protected:
    BaseWindow() = default;
    ~BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->m_hwnd = hwnd;
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
        const LRESULT result = self->HandleMessage(msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->m_hwnd = nullptr;
        }
        return result;
    }

    bool RegisterClassOnce(HINSTANCE hInstance, const wchar_t* className, UINT style,
                           HICON hIcon) const {
        WNDCLASSEXW wc{};
        if (GetClassInfoExW(hInstance, className, &wc)) return true;
        wc.cbSize = sizeof wc;
        wc.style = style;
        wc.lpfnWndProc = &BaseWindow::WindowProc;
        wc.hInstance = hInstance;
        wc.hIcon = hIcon;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = className;
        return RegisterClassExW(&wc) != 0;
    }

    HWND m_hwnd = nullptr;
};

}  // namespace quillon::win

#include "ui/win/tab_pages.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "shell/win/scoped.h"
#include "ui/win/string_table.h"

namespace quillon::win {

namespace {

constexpr UINT_PTR kKeySubclass = 1;

wchar_t Lower(wchar_t c) {
    return static_cast<wchar_t>(
        reinterpret_cast<UINT_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
}

// The pages' controls stand on the dialog, so they paint the dialog's face behind them, and a
// themed tab paints its page in another colour. The tab keeps to the classic look, which has
// the dialog's face, so that every page reads as one surface.
void PlainTabs(HWND hTabs) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    const ScopedModule uxtheme(LoadLibraryW(L"uxtheme.dll"));
    if (!uxtheme) return;  // no themes at all
    const auto setTheme = reinterpret_cast<SetWindowThemeFn>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme.Get(), "SetWindowTheme")));
    if (setTheme) setTheme(hTabs, L" ", L" ");
}

}  // namespace

wchar_t AccessKey(std::wstring_view sCaption) {
    for (size_t i = 0; i + 1 < sCaption.size(); ++i) {
        if (sCaption[i] != L'&') continue;
        if (sCaption[i + 1] != L'&') return Lower(sCaption[i + 1]);
        ++i;
    }
    return 0;
}

void TabPages::Create(HWND hDialog, int lTabsId, HINSTANCE hInstance, std::vector<Page> pages,
                      const std::vector<int>& extraListeners, PageShown onShown) {
    m_hDialog = hDialog;
    m_lTabsId = lTabsId;
    m_pages = std::move(pages);
    m_onShown = std::move(onShown);
    const HWND hTabs = Tabs();
    PlainTabs(hTabs);
    for (size_t i = 0; i < m_pages.size(); ++i) {
        std::wstring caption = LoadText(hInstance, m_pages[i].lCaptionId);
        m_keys.push_back(AccessKey(caption));
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = caption.data();
        TabCtrl_InsertItem(hTabs, static_cast<int>(i), &tab);
    }
    auto listen = [this](HWND hwnd) {
        SetWindowSubclass(hwnd, &TabPages::KeyProc, kKeySubclass,
                          reinterpret_cast<DWORD_PTR>(this));
    };
    listen(hTabs);
    for (const Page& page : m_pages)
        for (int lId : page.controls) listen(GetDlgItem(m_hDialog, lId));
    for (int lId : extraListeners) listen(GetDlgItem(m_hDialog, lId));
    Select(0);
}

void TabPages::Select(int lPage) {
    TabCtrl_SetCurSel(Tabs(), lPage);
    Show(lPage);
}

bool TabPages::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != Tabs() || header.code != TCN_SELCHANGE) return false;
    Show(TabCtrl_GetCurSel(header.hwndFrom));
    return true;
}

const std::vector<int>& TabPages::Controls(int lPage) const {
    return m_pages.at(static_cast<size_t>(lPage)).controls;
}

void TabPages::Show(int lPage) {
    m_lCurrent = lPage;
    for (size_t page = 0; page < m_pages.size(); ++page) {
        const int lShow = static_cast<int>(page) == lPage ? SW_SHOWNA : SW_HIDE;
        for (int lId : m_pages[page].controls) ShowWindow(GetDlgItem(m_hDialog, lId), lShow);
    }
    if (m_onShown) m_onShown(lPage);
    // The focus must not stay on a control that has just been hidden.
    const HWND hFocus = GetFocus();
    if (hFocus && IsChild(m_hDialog, hFocus) && !IsWindowVisible(hFocus)) SetFocus(Tabs());
}

bool TabPages::SelectByKey(wchar_t key) {
    const wchar_t lower = Lower(key);
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == 0 || m_keys[i] != lower) continue;
        Select(static_cast<int>(i));
        SetFocus(Tabs());
        return true;
    }
    return false;
}

LRESULT CALLBACK TabPages::KeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR idSubclass, DWORD_PTR refData) {
    if (msg == WM_SYSCHAR &&
        reinterpret_cast<TabPages*>(refData)->SelectByKey(static_cast<wchar_t>(wParam)))
        return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &TabPages::KeyProc, idSubclass);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace quillon::win

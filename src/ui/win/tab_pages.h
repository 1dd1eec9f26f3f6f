#pragma once
// Pages of a dialog over a tab control. The pages' controls lie on the dialog itself, beneath
// nothing but the tab control, and choosing a tab shows its page's controls and hides the
// others'. A tab control has no access keys of its own, so Alt with the marked letter of a
// caption, typed into any control of the dialog that listens, chooses that tab as a click would.

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

namespace quillon::win {

class TabPages {
  public:
    struct Page {
        UINT lCaptionId;  // string table entry, its access key marked with '&'
        std::vector<int> controls;
    };
    // Runs after a page was shown, for the dialog's own rules about its controls.
    using PageShown = std::function<void(int lPage)>;

    TabPages() = default;
    TabPages(const TabPages&) = delete;
    TabPages& operator=(const TabPages&) = delete;

    // Fills the tab control lTabsId of hDialog with one tab a page and shows the first page.
    // The pages' controls, the tab control and the extra controls (the dialog's buttons) listen
    // for Alt+letter.
    void Create(HWND hDialog, int lTabsId, HINSTANCE hInstance, std::vector<Page> pages,
                const std::vector<int>& extraListeners, PageShown onShown = {});

    void Select(int lPage);
    // Shows the chosen page when the notification is the tab control's change of tab; true
    // then.
    bool OnNotify(const NMHDR& header);

    int Current() const { return m_lCurrent; }
    const std::vector<int>& Controls(int lPage) const;

  private:
    void Show(int lPage);
    bool SelectByKey(wchar_t key);
    HWND Tabs() const { return GetDlgItem(m_hDialog, m_lTabsId); }
    static LRESULT CALLBACK KeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR idSubclass, DWORD_PTR refData);

    HWND m_hDialog = nullptr;
    int m_lTabsId = 0;
    std::vector<Page> m_pages;
    std::vector<wchar_t> m_keys;  // each caption's access key in lower case, 0 for none
    PageShown m_onShown;
    int m_lCurrent = 0;
};

// The access key of a caption in lower case ("Car&ds" gives 'd'; "&&" is a plain ampersand);
// 0 when it has none.
wchar_t AccessKey(std::wstring_view sCaption);

}  // namespace quillon::win

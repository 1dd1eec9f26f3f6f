#pragma once
// The program's menu bar as a person sees it: items found by their captions, with their
// enabled and checked states.

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace quillon::e2e {

struct MenuItem {
    std::vector<std::wstring> path;  // captions from the menu bar down, e.g. "&File", "&Quit"
    int id = -1;                     // -1 for a submenu
    UINT state = 0;

    bool IsSubmenu() const { return id == -1; }
    bool IsSeparator() const { return !IsSubmenu() && (state & MF_SEPARATOR); }
    bool IsEnabled() const { return !(state & (MF_GRAYED | MF_DISABLED)); }
    bool IsChecked() const { return (state & MF_CHECKED) != 0; }
};

using MenuPath = std::initializer_list<std::wstring_view>;

class Menu {
  public:
    // Walks the menu bar of `hwnd` inside its process.
    static Menu Read(HANDLE hProcess, DWORD processId, HWND hwnd);

    std::optional<MenuItem> Find(MenuPath path) const;
    MenuItem Get(MenuPath path) const;  // fails when absent
    // The submenus that lead to `item`, from the menu bar down.
    std::vector<MenuItem> Parents(const MenuItem& item) const;
    // Captions directly under `path` (the menu bar itself for an empty path), separators
    // included as "-".
    std::vector<std::wstring> Children(MenuPath path) const;
    std::string Describe() const;

  private:
    std::vector<MenuItem> m_items;
};

std::string PathText(MenuPath path);

}  // namespace quillon::e2e

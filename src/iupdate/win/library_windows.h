#pragma once
// Where the public classes reach the library's windows: the update wizard, the feedback form
// and the About box. The classes hold no windows of their own; everything here acts on the
// library's one window of each kind.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillon::iupdate {

// A row that the game (AddItem) or the About box itself adds to the components list.
struct AboutRow {
    std::string sKey;  // AboutItemKey of the title: one row per key
    std::string sPath;
    std::string sTitle;
    int32_t eIcon;  // an ICONS value as the caller gave it
};

// Loads the About window without showing it.
void AboutLoad();
// A row whose key is taken already is ignored.
void AboutAddItem(std::string sPath, std::string sTitle, int32_t eIcon);
// The rows added since the About window was last closed, in their order.
const std::vector<AboutRow>& AboutRows();
// Adds the standard rows, fills the list and shows the About window modally, loading it first
// if needed. When it has closed the window is unloaded and its rows are gone.
void AboutShow(HWND hOwner);

// Shows the feedback window modally.
void SubmitShow(HWND hOwner);

// Loads the update wizard without showing it; false when it could not be loaded.
bool UpdateWizardLoad();
// Shows the loaded wizard modally and returns when it has closed (LibraryState.ExitPressed
// tells how).
void UpdateWizardShow(HWND hOwner);

}  // namespace quillon::iupdate

// The About box behind clsAbout: one window for the library, loaded by Load (or by the first
// Show), shown by Show and unloaded when it closes, and the rows the game adds in between.

#include <windows.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "VyxIUpdate_h.h"
#include "iupdate/about_rules.h"
#include "iupdate/win/frmAbout.h"
#include "iupdate/win/frmAbout_resource.h"
#include "iupdate/win/library_windows.h"
#include "iupdate/win/modMain.h"
#include "iupdate/win/module.h"
#include "shell/win/text.h"
#include "ui/win/string_table.h"

namespace quillon::iupdate {

namespace {

std::vector<AboutRow>& Rows() {
    static std::vector<AboutRow> rows;
    return rows;
}

std::unique_ptr<frmAbout>& Window() {
    static std::unique_ptr<frmAbout> window;
    return window;
}

// The loaded window, loading it when needed; null when it cannot be made.
frmAbout* Loaded() {
    std::unique_ptr<frmAbout>& window = Window();
    if (!window) {
        auto made = std::make_unique<frmAbout>();
        if (!made->Load()) return nullptr;
        window = std::move(made);
    }
    return window.get();
}

// The components the library itself consists of, all looked for in the system folder. The
// first two are controls that the common controls and the system's rich-text library stand in
// for here, so they show without a version unless such files are present. The last row is the
// rich-text library that the window actually uses: the library is linked with its C++ run-time
// and loads no other run-time library.
void AddStandardRows(const frmAbout& window) {
    static constexpr struct {
        const char* szFile;
        UINT lTitleId;
        int32_t eIcon;
    } kRows[] = {
        {"SmartUI2.ocx", IDS_ABOUT_ROW_SMARTUI, ICON_OCX},
        {"RichEdit.ocx", IDS_ABOUT_ROW_RICHTEXT, ICON_OCX},
        {"zLib.dll", IDS_ABOUT_ROW_ZLIB, ICON_DLL},
        {"VyxIUpdate.dll", IDS_ABOUT_ROW_IUPDATE, ICON_DLL},
    };
    const std::string sSystem = GetSpecialPath(SpecialSystem);
    for (const auto& row : kRows) {
        AboutAddItem(sSystem + row.szFile, win::LoadTextUtf8(Module(), row.lTitleId), row.eIcon);
    }
    if (!window.RichEditLibrary().empty()) {
        AboutAddItem(sSystem + win::Narrow(window.RichEditLibrary()),
                     win::LoadTextUtf8(Module(), IDS_ABOUT_ROW_RICHEDIT), ICON_DLL);
    }
}

}  // namespace

void AboutLoad() { Loaded(); }

void AboutAddItem(std::string sPath, std::string sTitle, int32_t eIcon) {
    std::string sKey = AboutItemKey(sTitle);
    std::vector<AboutRow>& rows = Rows();
    const bool bTaken = std::any_of(rows.begin(), rows.end(),
                                    [&](const AboutRow& row) { return row.sKey == sKey; });
    if (bTaken) return;
    rows.push_back({std::move(sKey), std::move(sPath), std::move(sTitle), eIcon});
}

const std::vector<AboutRow>& AboutRows() { return Rows(); }

void AboutShow(HWND hOwner) {
    frmAbout* window = Loaded();
    if (!window) return;
    try {
        AddStandardRows(*window);
    } catch (...) {
        // Show ignores its errors: the window shows with the rows it has.
    }
    window->GetComponents(Rows());
    window->ShowModal(hOwner);
    Window().reset();
    Rows().clear();
}

}  // namespace quillon::iupdate

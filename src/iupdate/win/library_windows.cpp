#include "iupdate/win/library_windows.h"

#include <utility>

#include "iupdate/win/frmSubmit.h"

// NOT THERE YET: the wizard and About windows are separate pieces of work. Until
// they land, only the About rows are kept (so the class surface can be exercised end to end);
// loading and showing the windows do nothing, and the wizard reports that it could not be
// loaded, which makes LaunchUpdate answer False.

namespace quillon::iupdate {

namespace {

std::vector<AboutRow>& Rows() {
    static std::vector<AboutRow> rows;
    return rows;
}

}  // namespace

void AboutLoad() {}  // not there yet

void AboutAddItem(std::string sPath, std::string sTitle, int32_t eIcon) {
    Rows().push_back({std::move(sPath), std::move(sTitle), eIcon});
}

const std::vector<AboutRow>& AboutRows() { return Rows(); }

void AboutShow(HWND) {}  // not there yet

void SubmitShow(HWND hOwner) { frmSubmit(RelayUrl()).Show(hOwner); }

bool UpdateWizardLoad() { return false; }  // not there yet

void UpdateWizardShow(HWND) {}  // not there yet

}  // namespace quillon::iupdate

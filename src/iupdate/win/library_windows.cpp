#include "iupdate/win/library_windows.h"

// NOT THERE YET: the wizard and feedback windows are separate pieces of work. Until they land,
// showing the feedback window does nothing, and the wizard reports that it could not be
// loaded, which makes LaunchUpdate answer False. The About window is library_about.cpp's.

namespace quillon::iupdate {

void SubmitShow(HWND) {}  // not there yet

bool UpdateWizardLoad() { return false; }  // not there yet

void UpdateWizardShow(HWND) {}  // not there yet

}  // namespace quillon::iupdate

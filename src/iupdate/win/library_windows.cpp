#include "iupdate/win/library_windows.h"

#include "iupdate/win/frmSubmit.h"

// NOT THERE YET: the wizard is a separate piece of work. Until it lands, the wizard reports that
// it could not be loaded, which makes LaunchUpdate answer False. The About window is
// library_about.cpp's.

namespace quillon::iupdate {

void SubmitShow(HWND hOwner) { frmSubmit(RelayUrl()).Show(hOwner); }

bool UpdateWizardLoad() { return false; }  // not there yet

void UpdateWizardShow(HWND) {}  // not there yet

}  // namespace quillon::iupdate

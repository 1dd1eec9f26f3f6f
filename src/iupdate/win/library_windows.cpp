#include "iupdate/win/library_windows.h"

#include "iupdate/win/frmSubmit.h"

// The feedback window's seam; the About window is library_about.cpp's, the update wizard
// library_wizard.cpp's.

namespace quillon::iupdate {

void SubmitShow(HWND hOwner) { frmSubmit(RelayUrl()).Show(hOwner); }

}  // namespace quillon::iupdate

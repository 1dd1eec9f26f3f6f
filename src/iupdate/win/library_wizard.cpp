// The update wizard behind clsUpdate.LaunchUpdate: one window for the library, loaded hidden,
// shown modally and unloaded when it closes.

#include <memory>
#include <utility>

#include "iupdate/win/frmInternetUpdate.h"
#include "iupdate/win/library_windows.h"

namespace quillon::iupdate {

namespace {

std::unique_ptr<frmInternetUpdate>& Window() {
    static std::unique_ptr<frmInternetUpdate> window;
    return window;
}

}  // namespace

bool UpdateWizardLoad() {
    std::unique_ptr<frmInternetUpdate>& window = Window();
    if (window) return true;
    auto made = std::make_unique<frmInternetUpdate>();
    if (!made->Load()) return false;
    window = std::move(made);
    return true;
}

void UpdateWizardShow(HWND hOwner) {
    if (!Window()) return;
    Window()->ShowModal(hOwner);
    Window().reset();
}

}  // namespace quillon::iupdate

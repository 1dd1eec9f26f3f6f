#include "iupdate/win/clsUpdate.h"

#include "iupdate/win/library_state.h"
#include "iupdate/win/library_windows.h"
#include "iupdate/win/parent_window.h"
#include "iupdate/win/public_member.h"
#include "iupdate/win/updater_extract.h"
#include "shell/paths.h"

namespace quillon::iupdate {

namespace {

constexpr std::string_view kClass = "clsUpdate";

HRESULT GetFlag(std::string_view sMember, bool bValue, VARIANT_BOOL* pbValue) {
    if (!pbValue) return E_POINTER;
    return PublicMember(kClass, sMember, [&] { *pbValue = ToVariantBool(bValue); });
}

}  // namespace

// Every instance writes out a fresh VyxUpdater for the deferred files of its run.
clsUpdate::clsUpdate(win::ComPtr<ITypeInfo> typeInfo) : DispatchObject(std::move(typeInfo)) {
    State().UpdaterPath = ExtractUpdater();
}

STDMETHODIMP clsUpdate::LaunchUpdate(VARIANT* objParentForm, VARIANT_BOOL* pbResult) {
    if (!pbResult) return E_POINTER;
    *pbResult = VARIANT_FALSE;
    return PublicMember(kClass, "LaunchUpdate", [&] {
        const HWND hOwner = ParentWindow(objParentForm);
        bool bLoaded = false;
        {
            const win::ScopedCursor wait(LoadCursorW(nullptr, IDC_WAIT));
            // The wizard uses no outside control, so there is no control to register and no
            // second attempt when loading fails.
            bLoaded = UpdateWizardLoad();
        }
        if (!bLoaded) return;
        UpdateWizardShow(hOwner);
        *pbResult = ToVariantBool(!State().ExitPressed);
    });
}

STDMETHODIMP clsUpdate::get_ErrorNum(LONG* plValue) {
    if (!plValue) return E_POINTER;
    return PublicMember(kClass, "ErrorNum", [&] { *plValue = State().ErrorNum; });
}

STDMETHODIMP clsUpdate::get_NewVersionAvailable(VARIANT_BOOL* pbValue) {
    return GetFlag("NewVersionAvailable", State().NewVersionAvailable, pbValue);
}

STDMETHODIMP clsUpdate::get_MustCloseApp(VARIANT_BOOL* pbValue) {
    return GetFlag("MustCloseApp", State().MustCloseApp, pbValue);
}

STDMETHODIMP clsUpdate::get_bCompleted(VARIANT_BOOL* pbValue) {
    return GetFlag("bCompleted", State().bCompleted, pbValue);
}

STDMETHODIMP clsUpdate::put_lAppMajor(LONG lValue) {
    return PublicMember(kClass, "lAppMajor", [&] { State().lAppMajor = lValue; });
}

STDMETHODIMP clsUpdate::put_lAppMinor(LONG lValue) {
    return PublicMember(kClass, "lAppMinor", [&] { State().lAppMinor = lValue; });
}

STDMETHODIMP clsUpdate::put_lAppRev(LONG lValue) {
    return PublicMember(kClass, "lAppRev", [&] { State().lAppRev = lValue; });
}

STDMETHODIMP clsUpdate::put_sAppPath(BSTR sValue) {
    return PublicMember(kClass, "sAppPath",
                        [&] { State().sAppPath = AddBackslash(FromBstr(sValue)); });
}

STDMETHODIMP clsUpdate::put_sAppExeName(BSTR sValue) {
    return PublicMember(kClass, "sAppExeName", [&] { State().sAppExeName = FromBstr(sValue); });
}

STDMETHODIMP clsUpdate::put_sXmlUrl(BSTR sValue) {
    return PublicMember(kClass, "sXmlUrl", [&] { State().sXmlUrl = FromBstr(sValue); });
}

HRESULT CreateClsUpdate(REFIID riid, void** ppv) {
    return DispatchObject<_clsUpdate>::Create<clsUpdate>(riid, ppv);
}

}  // namespace quillon::iupdate

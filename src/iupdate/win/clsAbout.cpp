#include "iupdate/win/clsAbout.h"

#include "iupdate/win/library_state.h"
#include "iupdate/win/library_windows.h"
#include "iupdate/win/parent_window.h"
#include "iupdate/win/public_member.h"

namespace quillon::iupdate {

namespace {

constexpr std::string_view kClass = "clsAbout";

}  // namespace

clsAbout::clsAbout(win::ComPtr<ITypeInfo> typeInfo) : DispatchObject(std::move(typeInfo)) {}

STDMETHODIMP clsAbout::Load() {
    return PublicMember(kClass, "Load", [] {
        const win::ScopedCursor wait(LoadCursorW(nullptr, IDC_WAIT));
        AboutLoad();
    });
}

STDMETHODIMP clsAbout::AddItem(BSTR* sPath, BSTR* sTitle, ICONS eIcon) {
    return PublicMember(kClass, "AddItem", [&] {
        AboutAddItem(FromBstr(sPath ? *sPath : nullptr), FromBstr(sTitle ? *sTitle : nullptr),
                     static_cast<int32_t>(eIcon));
    });
}

STDMETHODIMP clsAbout::Show(VARIANT* objParentForm, VARIANT_BOOL* pbResult) {
    if (!pbResult) return E_POINTER;
    *pbResult = VARIANT_FALSE;  // whatever happens
    return PublicMember(kClass, "Show", [&] { AboutShow(ParentWindow(objParentForm)); });
}

STDMETHODIMP clsAbout::put_sAdodbVersion(BSTR sValue) {
    return PublicMember(kClass, "sAdodbVersion", [&] { State().sAdodbVersion = FromBstr(sValue); });
}

STDMETHODIMP clsAbout::put_sVersionExtra(BSTR sValue) {
    return PublicMember(kClass, "sVersionExtra", [&] { State().sVersionExtra = FromBstr(sValue); });
}

STDMETHODIMP clsAbout::put_sAppTitle(BSTR sValue) {
    return PublicMember(kClass, "sAppTitle", [&] { State().sAppTitle = FromBstr(sValue); });
}

STDMETHODIMP clsAbout::put_lAppMajor(LONG lValue) {
    return PublicMember(kClass, "lAppMajor", [&] { State().lAppMajor = lValue; });
}

STDMETHODIMP clsAbout::put_lAppMinor(LONG lValue) {
    return PublicMember(kClass, "lAppMinor", [&] { State().lAppMinor = lValue; });
}

STDMETHODIMP clsAbout::put_lAppRev(LONG lValue) {
    return PublicMember(kClass, "lAppRev", [&] { State().lAppRev = lValue; });
}

STDMETHODIMP clsAbout::put_sCopyright(BSTR sValue) {
    return PublicMember(kClass, "sCopyright", [&] { State().sCopyright = FromBstr(sValue); });
}

HRESULT CreateClsAbout(REFIID riid, void** ppv) {
    return DispatchObject<_clsAbout>::Create<clsAbout>(riid, ppv);
}

}  // namespace quillon::iupdate

#include "iupdate/win/clsSubmit.h"

#include "iupdate/win/library_state.h"
#include "iupdate/win/library_windows.h"
#include "iupdate/win/parent_window.h"
#include "iupdate/win/public_member.h"

namespace quillon::iupdate {

namespace {

constexpr std::string_view kClass = "clsSubmit";

}  // namespace

clsSubmit::clsSubmit(win::ComPtr<ITypeInfo> typeInfo) : DispatchObject(std::move(typeInfo)) {}

STDMETHODIMP clsSubmit::Show(VARIANT* objParentForm, VARIANT_BOOL* pbResult) {
    if (!pbResult) return E_POINTER;
    *pbResult = VARIANT_FALSE;  // whatever happens
    return PublicMember(kClass, "Show", [&] { SubmitShow(ParentWindow(objParentForm)); });
}

STDMETHODIMP clsSubmit::put_sAdodbVersion(BSTR sValue) {
    return PublicMember(kClass, "sAdodbVersion", [&] { State().sAdodbVersion = FromBstr(sValue); });
}

STDMETHODIMP clsSubmit::put_sVersionExtra(BSTR sValue) {
    return PublicMember(kClass, "sVersionExtra", [&] { State().sVersionExtra = FromBstr(sValue); });
}

STDMETHODIMP clsSubmit::put_sAppTitle(BSTR sValue) {
    return PublicMember(kClass, "sAppTitle", [&] { State().sAppTitle = FromBstr(sValue); });
}

STDMETHODIMP clsSubmit::put_lAppMajor(LONG lValue) {
    return PublicMember(kClass, "lAppMajor", [&] { State().lAppMajor = lValue; });
}

STDMETHODIMP clsSubmit::put_lAppMinor(LONG lValue) {
    return PublicMember(kClass, "lAppMinor", [&] { State().lAppMinor = lValue; });
}

STDMETHODIMP clsSubmit::put_lAppRev(LONG lValue) {
    return PublicMember(kClass, "lAppRev", [&] { State().lAppRev = lValue; });
}

// The product name and the update class's program name are one value (the feedback request
// and the update macros read the same field).
STDMETHODIMP clsSubmit::put_sAppProductName(BSTR sValue) {
    return PublicMember(kClass, "sAppProductName", [&] { State().sAppExeName = FromBstr(sValue); });
}

HRESULT CreateClsSubmit(REFIID riid, void** ppv) {
    return DispatchObject<_clsSubmit>::Create<clsSubmit>(riid, ppv);
}

}  // namespace quillon::iupdate

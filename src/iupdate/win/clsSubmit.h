#pragma once
// The feedback class: the game's title, version and product name in; the feedback form shown.

#include "VyxIUpdate_h.h"
#include "iupdate/win/dispatch_object.h"

namespace quillon::iupdate {

class clsSubmit final : public DispatchObject<_clsSubmit> {
  public:
    explicit clsSubmit(win::ComPtr<ITypeInfo> typeInfo);

    STDMETHODIMP Show(VARIANT* objParentForm, VARIANT_BOOL* pbResult) override;
    STDMETHODIMP put_sAdodbVersion(BSTR sValue) override;
    STDMETHODIMP put_sVersionExtra(BSTR sValue) override;
    STDMETHODIMP put_sAppTitle(BSTR sValue) override;
    STDMETHODIMP put_lAppMajor(LONG lValue) override;
    STDMETHODIMP put_lAppMinor(LONG lValue) override;
    STDMETHODIMP put_lAppRev(LONG lValue) override;
    STDMETHODIMP put_sAppProductName(BSTR sValue) override;
};

HRESULT CreateClsSubmit(REFIID riid, void** ppv);

}  // namespace quillon::iupdate

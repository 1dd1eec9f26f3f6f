#pragma once
// The About box class: the game's title, version, copyright and components in; the box shown.

#include "VyxIUpdate_h.h"
#include "iupdate/win/dispatch_object.h"

namespace quillon::iupdate {

class clsAbout final : public DispatchObject<_clsAbout> {
  public:
    explicit clsAbout(win::ComPtr<ITypeInfo> typeInfo);

    STDMETHODIMP Load() override;
    STDMETHODIMP AddItem(BSTR* sPath, BSTR* sTitle, ICONS eIcon) override;
    STDMETHODIMP Show(VARIANT* objParentForm, VARIANT_BOOL* pbResult) override;
    STDMETHODIMP put_sAdodbVersion(BSTR sValue) override;
    STDMETHODIMP put_sVersionExtra(BSTR sValue) override;
    STDMETHODIMP put_sAppTitle(BSTR sValue) override;
    STDMETHODIMP put_lAppMajor(LONG lValue) override;
    STDMETHODIMP put_lAppMinor(LONG lValue) override;
    STDMETHODIMP put_lAppRev(LONG lValue) override;
    STDMETHODIMP put_sCopyright(BSTR sValue) override;
};

HRESULT CreateClsAbout(REFIID riid, void** ppv);

}  // namespace quillon::iupdate

#pragma once
// The internet update class: the game's version, folder, program name and descriptor address
// in; the wizard run; whether it completed and whether the game must close, out.

#include "VyxIUpdate_h.h"
#include "iupdate/win/dispatch_object.h"

namespace quillon::iupdate {

class clsUpdate final : public DispatchObject<_clsUpdate> {
  public:
    explicit clsUpdate(win::ComPtr<ITypeInfo> typeInfo);

    STDMETHODIMP LaunchUpdate(VARIANT* objParentForm, VARIANT_BOOL* pbResult) override;
    STDMETHODIMP get_ErrorNum(LONG* plValue) override;
    STDMETHODIMP get_NewVersionAvailable(VARIANT_BOOL* pbValue) override;
    STDMETHODIMP get_MustCloseApp(VARIANT_BOOL* pbValue) override;
    STDMETHODIMP put_lAppMajor(LONG lValue) override;
    STDMETHODIMP put_lAppMinor(LONG lValue) override;
    STDMETHODIMP put_lAppRev(LONG lValue) override;
    STDMETHODIMP put_sAppPath(BSTR sValue) override;
    STDMETHODIMP put_sAppExeName(BSTR sValue) override;
    STDMETHODIMP put_sXmlUrl(BSTR sValue) override;
    STDMETHODIMP get_bCompleted(VARIANT_BOOL* pbValue) override;
};

HRESULT CreateClsUpdate(REFIID riid, void** ppv);

}  // namespace quillon::iupdate

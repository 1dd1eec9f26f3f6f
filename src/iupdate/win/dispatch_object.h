#pragma once
// The COM side shared by the three public classes: reference counting, the interfaces they
// answer, and IDispatch handed to the type information of the library's own type library, so
// that names, dispatch identifiers, argument conversion and optional arguments follow the
// type library exactly.

#include <oaidl.h>

#include <atomic>
#include <new>

#include "iupdate/win/module.h"
#include "shell/win/scoped.h"

namespace quillon::iupdate {

// The type information of one interface of the type library embedded in the module.
HRESULT LoadInterfaceTypeInfo(REFGUID iid, ITypeInfo** ppTypeInfo);

template <typename Interface>
class DispatchObject : public Interface {
  public:
    // Creates an object of Derived and asks it for riid; the caller gets the only reference.
    template <typename Derived>
    static HRESULT Create(REFIID riid, void** ppv) {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        win::ComPtr<ITypeInfo> typeInfo;
        const HRESULT hr = LoadInterfaceTypeInfo(__uuidof(Interface), typeInfo.Out());
        if (FAILED(hr)) return hr;
        auto* object = new (std::nothrow) Derived(std::move(typeInfo));
        if (!object) return E_OUTOFMEMORY;
        const HRESULT hrQuery = object->QueryInterface(riid, ppv);
        object->Release();
        return hrQuery;
    }

    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(Interface)) {
            *ppv = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_lRefs; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG lLeft = --m_lRefs;
        if (lLeft == 0) delete this;
        return lLeft;
    }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override {
        if (!pctinfo) return E_POINTER;
        *pctinfo = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) override {
        if (!ppTInfo) return E_POINTER;
        *ppTInfo = nullptr;
        if (iTInfo != 0) return DISP_E_BADINDEX;
        m_typeInfo->AddRef();
        *ppTInfo = m_typeInfo.Get();
        return S_OK;
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                               DISPID* rgDispId) override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        return DispGetIDsOfNames(m_typeInfo.Get(), rgszNames, cNames, rgDispId);
    }
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                        DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                        UINT* puArgErr) override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        return m_typeInfo->Invoke(static_cast<Interface*>(this), dispIdMember, wFlags, pDispParams,
                                  pVarResult, pExcepInfo, puArgErr);
    }

  protected:
    explicit DispatchObject(win::ComPtr<ITypeInfo> typeInfo) : m_typeInfo(std::move(typeInfo)) {
        ObjectCreated();
    }
    virtual ~DispatchObject() { ObjectDestroyed(); }

  private:
    std::atomic<ULONG> m_lRefs{1};
    win::ComPtr<ITypeInfo> m_typeInfo;
};

}  // namespace quillon::iupdate

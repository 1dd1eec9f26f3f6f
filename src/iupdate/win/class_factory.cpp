#include "iupdate/win/class_factory.h"

#include <atomic>
#include <new>

#include "iupdate/win/class_table.h"
#include "iupdate/win/module.h"

namespace quillon::iupdate {

namespace {

class ClassFactory final : public IClassFactory {
  public:
    explicit ClassFactory(const ClassEntry& entry) : m_entry(entry) { ObjectCreated(); }
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
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

    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (pOuter) return CLASS_E_NOAGGREGATION;
        return m_entry.pCreate(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL fLock) override {
        iupdate::LockServer(fLock != FALSE);
        return S_OK;
    }

  private:
    ~ClassFactory() { ObjectDestroyed(); }

    std::atomic<ULONG> m_lRefs{1};
    const ClassEntry& m_entry;
};

}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    const ClassEntry* entry = FindClass(clsid);
    if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory(*entry);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

}  // namespace quillon::iupdate

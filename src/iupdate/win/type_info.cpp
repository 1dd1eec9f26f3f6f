#include "iupdate/win/dispatch_object.h"

namespace quillon::iupdate {

HRESULT LoadInterfaceTypeInfo(REFGUID iid, ITypeInfo** ppTypeInfo) {
    if (!ppTypeInfo) return E_POINTER;
    *ppTypeInfo = nullptr;
    // The module's own resource, never the registered copy: the objects work whether or not
    // (and wherever) the library was registered. The system caches the loaded library, so
    // loading it per object costs little.
    const std::wstring wPath = ModulePath();
    if (wPath.empty()) return HRESULT_FROM_WIN32(GetLastError());
    win::ComPtr<ITypeLib> typeLib;
    const HRESULT hr = LoadTypeLibEx(wPath.c_str(), REGKIND_NONE, typeLib.Out());
    if (FAILED(hr)) return hr;
    return typeLib->GetTypeInfoOfGuid(iid, ppTypeInfo);
}

}  // namespace quillon::iupdate

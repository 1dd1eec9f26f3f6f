#pragma once
// The class objects that COM asks the library for.

#include <objbase.h>

namespace quillon::iupdate {

// DllGetClassObject: a class object for a class of the table, CLASS_E_CLASSNOTAVAILABLE for
// any other.
HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv);

}  // namespace quillon::iupdate

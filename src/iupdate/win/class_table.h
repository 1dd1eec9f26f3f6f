#pragma once
// The library's creatable classes, the one list that class objects and registration read.

#include <objbase.h>

#include <span>

namespace quillon::iupdate {

struct ClassEntry {
    const CLSID* pClsid;
    const wchar_t* szProgId;  // the name the game creates it by
    HRESULT (*pCreate)(REFIID riid, void** ppv);
};

std::span<const ClassEntry> Classes();
// Null for a class the library does not serve.
const ClassEntry* FindClass(REFCLSID clsid);

}  // namespace quillon::iupdate

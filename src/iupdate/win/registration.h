#pragma once
// Registration of the library's classes, their names and its type library, and their removal.
//
// The classes go under HKEY_CLASSES_ROOT, which is where every COM implementation looks
// (Wine does not merge the user's classes into that view). A standard user on Windows may not
// write there; for that user the same entries go under HKEY_CURRENT_USER\Software\Classes,
// which Windows does read for that user. The machine's half of that view is written through
// HKEY_LOCAL_MACHINE\Software\Classes itself: through the merged view, Windows would change
// or delete the user's copy of a key where one exists instead of the machine's.

#include <objbase.h>

namespace quillon::iupdate {

enum class ClassesRoot {
    Machine,  // HKEY_CLASSES_ROOT, the machine's part: HKEY_LOCAL_MACHINE\Software\Classes
    User,     // HKEY_CURRENT_USER\Software\Classes
};

// Writes (bRegister) or removes everything registration writes under one root: for each class
// CLSID\{clsid} (name, InprocServer32 with this module's path and the apartment model, ProgID,
// TypeLib, Version) and its ProgID key, then the type library with its interfaces. Removal
// takes away exactly those keys and nothing else; what is missing counts as removed.
HRESULT UpdateRegistration(ClassesRoot root, bool bRegister);

// DllRegisterServer: the machine root, or the user's when the machine's is denied.
HRESULT RegisterLibrary();
// DllUnregisterServer: both roots, wherever entries are found.
HRESULT UnregisterLibrary();

}  // namespace quillon::iupdate

// The entry points of VyxIUpdate.dll, exported through VyxIUpdate.def.

#include <objbase.h>
#include <olectl.h>
#include <windows.h>

#include "iupdate/win/class_factory.h"
#include "iupdate/win/module.h"
#include "iupdate/win/registration.h"

// Nothing but the module handle: anything more would run under the loader lock.
BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) quillon::iupdate::SetModule(hInstance);
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    return quillon::iupdate::GetClassObject(rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return quillon::iupdate::CanUnload() ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return quillon::iupdate::RegisterLibrary(); }

STDAPI DllUnregisterServer() { return quillon::iupdate::UnregisterLibrary(); }

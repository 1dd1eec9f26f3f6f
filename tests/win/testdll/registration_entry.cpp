// Components for the registration tests, built three times: with an entry that records its run
// and answers a failure (the run counts, not the answer), one that first sleeps, and none.

#include <windows.h>

namespace {

HRESULT Record(const wchar_t* name) {
    const DWORD one = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\QuillonTests\\RegisterServer", name, REG_DWORD,
                    &one, sizeof one);
    return E_FAIL;
}

}  // namespace

#if defined(QUILLON_ENTRY_RECORDS)
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    return Record(L"Ran");
}
#elif defined(QUILLON_ENTRY_SLEEPS)
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    Sleep(1500);
    return Record(L"SlowRan");
}
#else
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return Record(L"Unregistered");
}
#endif

// Components for the registration tests. Built three times: with an entry that records its
// run in the registry, with one that first sleeps, and with no entry at all.

#include <windows.h>

namespace {

constexpr wchar_t kKey[] = L"Software\\QuillonTests\\RegisterServer";

void Record(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    const DWORD one = 1;
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    RegCloseKey(key);
}

}  // namespace

#if defined(QUILLON_ENTRY_RECORDS)
// Answers a failure code on purpose: the caller must not judge the run by it.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    Record(L"Ran");
    return E_FAIL;
}
#elif defined(QUILLON_ENTRY_SLEEPS)
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    Sleep(1500);
    Record(L"SlowRan");
    return S_OK;
}
#else
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
    Record(L"Unregistered");
    return S_OK;
}
#endif

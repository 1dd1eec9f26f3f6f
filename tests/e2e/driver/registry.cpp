#include "registry.h"

#include "check.h"
#include "shell/win/scoped.h"

namespace quillon::e2e {

namespace {

using win::ScopedHKey;

ScopedHKey CreateKey(const wchar_t* key) {
    ScopedHKey h;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, h.Out(),
                        nullptr) != ERROR_SUCCESS)
        Fail("cannot create registry key " + Narrow(key));
    return h;
}

}  // namespace

void ClearSettings() {
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, kRootKey);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        Fail("cannot clear the program's settings");
}

void SetDword(const wchar_t* key, const wchar_t* name, DWORD value) {
    ScopedHKey h = CreateKey(key);
    if (RegSetValueExW(h.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value) != ERROR_SUCCESS)
        Fail("cannot write registry value " + Narrow(name));
}

void SetString(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    ScopedHKey h = CreateKey(key);
    if (RegSetValueExW(h.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        Fail("cannot write registry value " + Narrow(name));
}

std::optional<DWORD> GetDword(const wchar_t* key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::optional<std::wstring> GetString(const wchar_t* key, const wchar_t* name) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(wcslen(value.c_str()));
    return value;
}

}  // namespace quillon::e2e

#include "shell/win/registry_store_win.h"

#include <windows.h>

#include <cstring>

#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

HKEY RootKey(RegRoot root) {
    switch (root) {
        case RegRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegRoot::CurrentUser:
        default:
            return HKEY_CURRENT_USER;
    }
}

// Type and raw bytes of a value, read through the ANSI entry so that string data arrives in
// the ANSI code page with the length it has there. False when the value cannot be read.
bool QueryRaw(HKEY hKey, const std::string& sAnsiName, DWORD& type, Bytes& data) {
    DWORD size = 0;
    if (RegQueryValueExA(hKey, sAnsiName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    // The size asked for first can be an estimate (and the value may change in between), so
    // grow until the data fits. The length handed over is the buffer's own, so the answer can
    // never reach past it; the one extra byte only keeps data() valid for an empty value.
    for (int attempt = 0; attempt < 4; ++attempt) {
        data.assign(static_cast<size_t>(size) + 1, 0);
        DWORD got = size;
        const LONG rc =
            RegQueryValueExA(hKey, sAnsiName.c_str(), nullptr, &type, data.data(), &got);
        if (rc == ERROR_SUCCESS) {
            data.resize(got <= size ? got : size);
            return true;
        }
        if (rc != ERROR_MORE_DATA) return false;
        size = got > size ? got : size * 2 + 16;
    }
    return false;
}

}  // namespace

RegValue WinRegistryStore::Read(RegRoot root, std::string_view sKey, std::string_view sName) const {
    ScopedHKey key;
    if (RegOpenKeyExW(RootKey(root), Widen(sKey).c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
        return {};

    DWORD type = REG_NONE;
    Bytes data;
    if (!QueryRaw(key.Get(), Utf8ToAnsi(sName), type, data)) return {};

    switch (type) {
        case REG_SZ: {
            // The stored length counts the terminating zero; a value written without one keeps
            // every byte it has.
            size_t n = data.size();
            if (n > 0 && data[n - 1] == 0) --n;
            return AnsiToUtf8(std::string_view(reinterpret_cast<const char*>(data.data()), n));
        }
        case REG_DWORD: {
            if (data.size() != sizeof(int32_t)) return {};
            int32_t n = 0;
            std::memcpy(&n, data.data(), sizeof n);
            return n;
        }
        case REG_BINARY:
            return data;
        default:
            return {};
    }
}

bool WinRegistryStore::Write(RegRoot root, std::string_view sKey, std::string_view sName,
                             const RegValue& value) {
    ScopedHKey key;
    if (RegCreateKeyExW(RootKey(root), Widen(sKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, key.Out(), nullptr) != ERROR_SUCCESS)
        return false;

    const std::string sAnsiName = Utf8ToAnsi(sName);
    LONG rc = ERROR_INVALID_DATA;
    if (const auto* s = std::get_if<std::string>(&value)) {
        // c_str() supplies the one terminating zero that the stored length includes.
        const std::string ansi = Utf8ToAnsi(*s);
        rc = RegSetValueExA(key.Get(), sAnsiName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(ansi.c_str()),
                            static_cast<DWORD>(ansi.size() + 1));
    } else if (const auto* n = std::get_if<int32_t>(&value)) {
        BYTE le[4];
        const auto u = static_cast<uint32_t>(*n);
        for (int i = 0; i < 4; ++i) le[i] = static_cast<BYTE>(u >> (8 * i));
        rc = RegSetValueExA(key.Get(), sAnsiName.c_str(), 0, REG_DWORD, le, sizeof le);
    } else if (const auto* b = std::get_if<Bytes>(&value)) {
        static constexpr BYTE kNone = 0;
        rc = RegSetValueExA(key.Get(), sAnsiName.c_str(), 0, REG_BINARY,
                            b->empty() ? &kNone : b->data(), static_cast<DWORD>(b->size()));
    }
    return rc == ERROR_SUCCESS;
}

}  // namespace quillon::win

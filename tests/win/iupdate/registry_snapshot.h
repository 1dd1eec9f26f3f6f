#pragma once
// Everything below a registry key as a set of lines, so that two moments compare whole:
// one line per key ("path") and one per value ("path | name | type | bytes in hex").

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "shell/win/scoped.h"

namespace quillon::test {

using RegistrySnapshot = std::set<std::wstring>;

inline void AddKey(HKEY parent, const std::wstring& sName, const std::wstring& sPath,
                   RegistrySnapshot& out) {
    win::ScopedHKey key;
    if (RegOpenKeyExW(parent, sName.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS) return;
    out.insert(sPath);
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        DWORD lName = static_cast<DWORD>(name.size()), lData = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key.Get(), i, name.data(), &lName, nullptr, &type, data.data(), &lData) !=
            ERROR_SUCCESS) {
            break;
        }
        std::wstring line = sPath + L" | " + std::wstring(name.data(), lName) + L" | " +
                            std::to_wstring(type) + L" |";
        for (DWORD b = 0; b < lData; ++b) {
            wchar_t hex[4];
            std::swprintf(hex, 4, L"%02X", data[b]);
            line += hex;
        }
        out.insert(line);
    }
    std::vector<std::wstring> children;
    for (DWORD i = 0;; ++i) {
        DWORD lName = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key.Get(), i, name.data(), &lName, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        children.emplace_back(name.data(), lName);
    }
    for (const std::wstring& child : children) AddKey(key.Get(), child, sPath + L"\\" + child, out);
}

inline RegistrySnapshot Snapshot(HKEY root, const std::wstring& sKey) {
    RegistrySnapshot out;
    AddKey(root, sKey, L"", out);
    return out;
}

// The lines of a that b lacks.
inline std::vector<std::wstring> Missing(const RegistrySnapshot& a, const RegistrySnapshot& b) {
    std::vector<std::wstring> out;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}

}  // namespace quillon::test

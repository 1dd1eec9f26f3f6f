#include "shell/win/resource_bytes.h"

namespace quillon::win {

std::vector<uint8_t> ResourceBytes(HMODULE hModule, const wchar_t* name, const wchar_t* type) {
    HRSRC info = FindResourceW(hModule, name, type);
    if (!info) return {};
    HGLOBAL loaded = LoadResource(hModule, info);  // module-owned: never freed
    const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return {};
    return {data, data + SizeofResource(hModule, info)};
}

}  // namespace quillon::win

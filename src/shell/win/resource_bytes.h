#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace quillon::win {

// The raw bytes of a resource of the module; empty when it is missing.
std::vector<uint8_t> ResourceBytes(HMODULE hModule, const wchar_t* name, const wchar_t* type);

}  // namespace quillon::win

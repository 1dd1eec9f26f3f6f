#pragma once
// Registration of an in-process component by its own "DllRegisterServer" entry, and the same
// run of any other of its entries ("DllUnregisterServer" for the update library's mode 1).

#include <cstdint>
#include <string>

namespace quillon::win {

inline constexpr uint32_t kRegisterServerTimeoutMs = 10000;

// Runs the component's registration entry on a worker thread and waits for it at most
// lTimeoutMs. True when the entry ran to its end (its result code is not examined); false when
// the file cannot be loaded, has no entry, or the entry has not finished in time. A worker
// that is still running is left alone and keeps the component loaded until it ends.
bool RegisterServer(const std::string& sPath, uint32_t lTimeoutMs = kRegisterServerTimeoutMs);

// RegisterServer with the entry named by szEntry (an exported function without arguments that
// answers an HRESULT).
bool RunServerEntry(const std::string& sPath, const char* szEntry,
                    uint32_t lTimeoutMs = kRegisterServerTimeoutMs);

}  // namespace quillon::win

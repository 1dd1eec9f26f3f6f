#include "iupdate/win/module.h"

#include <atomic>
#include <vector>

namespace quillon::iupdate {

namespace {

HMODULE g_hModule = nullptr;
// Objects and locks may be released on other threads than the one that created them.
std::atomic<long> g_lObjects{0};
std::atomic<long> g_lLocks{0};

}  // namespace

void SetModule(HMODULE hModule) { g_hModule = hModule; }

HMODULE Module() { return g_hModule; }

std::wstring ModulePath() {
    std::vector<wchar_t> buf(MAX_PATH + 1);
    for (;;) {
        const DWORD n = GetModuleFileNameW(g_hModule, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return std::wstring(buf.data(), n);
        if (buf.size() > 32768) return {};
        buf.resize(buf.size() * 2);
    }
}

void ObjectCreated() { ++g_lObjects; }
void ObjectDestroyed() { --g_lObjects; }
void LockServer(bool bLock) { bLock ? ++g_lLocks : --g_lLocks; }
bool CanUnload() { return g_lObjects == 0 && g_lLocks == 0; }

}  // namespace quillon::iupdate

#pragma once
// The library's module: its handle, and the counts of live objects and server locks that
// decide whether COM may unload it.

#include <windows.h>

#include <string>

namespace quillon::iupdate {

// Set once by DllMain. Code of the library linked into a test program is pointed at the
// built library file instead, whose type library and path it then uses.
void SetModule(HMODULE hModule);
HMODULE Module();
// The full path of the module file (UTF-16, as registration and type library loading want it).
std::wstring ModulePath();

void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool bLock);

// Keeps the library loaded for its life: a window whose procedure lives in the library holds
// one while it exists.
class ServerLock {
  public:
    ServerLock() { LockServer(true); }
    ~ServerLock() { LockServer(false); }
    ServerLock(const ServerLock&) = delete;
    ServerLock& operator=(const ServerLock&) = delete;
};
// No object lives and no client holds a lock.
bool CanUnload();

}  // namespace quillon::iupdate

#include "shell/win/register_server.h"

#include <windows.h>

#include <memory>

#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

using RegistrationEntry = HRESULT(STDAPICALLTYPE*)();

// What the worker needs; it owns the block and one reference to the component.
struct WorkerStart {
    RegistrationEntry pEntry;
    HMODULE hModule;
};

DWORD WINAPI RunRegistrationEntry(LPVOID pParam) {
    const WorkerStart start = *std::unique_ptr<WorkerStart>(static_cast<WorkerStart*>(pParam));
    {
        // Registration code may create COM objects (type libraries and the like).
        ScopedCoInit com;
        start.pEntry();
    }
    // The worker's own reference keeps the component mapped while its entry runs, even when
    // the caller has given up waiting and released its reference. Dropping it must be the
    // last thing the thread does, since the code after FreeLibrary may be gone.
    FreeLibraryAndExitThread(start.hModule, 0);
}

}  // namespace

bool RegisterServer(const std::string& sPath, uint32_t lTimeoutMs) {
    return RunServerEntry(sPath, "DllRegisterServer", lTimeoutMs);
}

bool RunServerEntry(const std::string& sPath, const char* szEntry, uint32_t lTimeoutMs) {
    const std::wstring wPath = Widen(sPath);
    const ScopedModule module(LoadLibraryW(wPath.c_str()));
    if (!module) return false;

    const FARPROC proc = GetProcAddress(module.Get(), szEntry);
    if (!proc) return false;

    // A second reference for the worker, taken before it starts so that it can never run
    // code of an unloaded component.
    ScopedModule workerRef(LoadLibraryW(wPath.c_str()));
    if (!workerRef) return false;

    // FARPROC goes through the generic function pointer type to the entry's own type.
    auto pStart = std::make_unique<WorkerStart>(WorkerStart{
        reinterpret_cast<RegistrationEntry>(reinterpret_cast<void (*)()>(proc)), workerRef.Get()});
    const ScopedHandle thread(
        CreateThread(nullptr, 0, RunRegistrationEntry, pStart.get(), 0, nullptr));
    if (!thread) return false;  // pStart, workerRef and module release everything
    // From here on the worker owns the start block and its reference, and frees them itself.
    pStart.release();
    workerRef.Release();

    // A worker that does not end in time is neither ended by force nor waited for any longer:
    // closing our handle to it leaves it running.
    return WaitForSingleObject(thread.Get(), lTimeoutMs) == WAIT_OBJECT_0;
}

}  // namespace quillon::win

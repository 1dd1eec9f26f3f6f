#pragma once
// Memory and calls inside the program's process. Pointers do not cross processes, and Wine
// keeps menus inside the process that made them, so some questions can only be asked there.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillon::e2e {

// A block of memory in another process, freed with it.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE hProcess, size_t bytes);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    void* Address() const { return m_address; }
    size_t Size() const { return m_bytes; }
    void Write(const void* data, size_t bytes, size_t offset = 0) const;
    std::vector<uint8_t> Read(size_t bytes, size_t offset = 0) const;

  private:
    HANDLE m_hProcess;
    void* m_address;
    size_t m_bytes;
};

// Runs `start(parameter)` on a new thread of the process and returns the thread's exit code.
DWORD CallRemote(HANDLE hProcess, const void* start, void* parameter);

// Where a function of this process lies in the other one: same module, same offset.
const void* RemoteAddressOf(DWORD processId, const void* local);

// Loads a library of this process's folder into the other process; idempotent.
void InjectLibrary(HANDLE hProcess, DWORD processId, const std::wstring& path);

// The folder of the driver, with a trailing backslash.
std::wstring DriverFolder();

}  // namespace quillon::e2e

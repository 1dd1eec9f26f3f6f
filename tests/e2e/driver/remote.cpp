#include "remote.h"

#include <tlhelp32.h>

#include <cwctype>

#include "check.h"
#include "shell/win/scoped.h"

namespace quillon::e2e {

namespace {

using win::ScopedFile;
using win::ScopedHandle;

constexpr DWORD kRemoteCallTimeout = 30000;

std::wstring BaseName(std::wstring path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

const uint8_t* RemoteModuleBase(DWORD processId, std::wstring_view name) {
    ScopedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot) Fail("cannot list the modules of the program's process");
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot.Get(), &entry); more;
         more = Module32NextW(snapshot.Get(), &entry)) {
        if (SameName(entry.szModule, name)) return entry.modBaseAddr;
    }
    return nullptr;
}

}  // namespace

RemoteBuffer::RemoteBuffer(HANDLE hProcess, size_t bytes)
    : m_hProcess(hProcess),
      m_address(VirtualAllocEx(hProcess, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      m_bytes(bytes) {
    if (!m_address) Fail("VirtualAllocEx failed in the program's process");
}

RemoteBuffer::~RemoteBuffer() { VirtualFreeEx(m_hProcess, m_address, 0, MEM_RELEASE); }

void RemoteBuffer::Write(const void* data, size_t bytes, size_t offset) const {
    SIZE_T written = 0;
    if (offset + bytes > m_bytes ||
        !WriteProcessMemory(m_hProcess, static_cast<uint8_t*>(m_address) + offset, data, bytes,
                            &written) ||
        written != bytes)
        Fail("WriteProcessMemory failed in the program's process");
}

std::vector<uint8_t> RemoteBuffer::Read(size_t bytes, size_t offset) const {
    std::vector<uint8_t> out(bytes);
    SIZE_T read = 0;
    if (offset + bytes > m_bytes ||
        !ReadProcessMemory(m_hProcess, static_cast<const uint8_t*>(m_address) + offset, out.data(),
                           bytes, &read) ||
        read != bytes)
        Fail("ReadProcessMemory failed in the program's process");
    return out;
}

DWORD CallRemote(HANDLE hProcess, const void* start, void* parameter) {
    ScopedHandle thread(CreateRemoteThread(
        hProcess, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(const_cast<void*>(start)),
        parameter, 0, nullptr));
    if (!thread) Fail("CreateRemoteThread failed in the program's process");
    if (WaitForSingleObject(thread.Get(), kRemoteCallTimeout) != WAIT_OBJECT_0)
        Fail("a call inside the program's process did not return within 30 s");
    DWORD code = 0;
    GetExitCodeThread(thread.Get(), &code);
    return code;
}

const void* RemoteAddressOf(DWORD processId, const void* local) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            static_cast<LPCWSTR>(local), &module))
        Fail("cannot tell which module holds a function of the driver");
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(module, path, MAX_PATH);
    const std::wstring name = BaseName(path);
    const uint8_t* base = RemoteModuleBase(processId, name);
    if (!base) Fail("module " + Narrow(name) + " is not loaded in the program's process");
    return base + (static_cast<const uint8_t*>(local) - reinterpret_cast<const uint8_t*>(module));
}

void InjectLibrary(HANDLE hProcess, DWORD processId, const std::wstring& path) {
    if (RemoteModuleBase(processId, BaseName(path))) return;
    const size_t bytes = (path.size() + 1) * sizeof(wchar_t);
    RemoteBuffer text(hProcess, bytes);
    text.Write(path.c_str(), bytes);
    const void* loadLibrary = reinterpret_cast<const void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"));
    CallRemote(hProcess, RemoteAddressOf(processId, loadLibrary), text.Address());
    if (!RemoteModuleBase(processId, BaseName(path)))
        Fail("could not load " + Narrow(path) + " into the program's process");
}

std::wstring DriverFolder() {
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

}  // namespace quillon::e2e

#pragma once
// Files and processes for the tests of installation: whole-file reads and writes, a file held
// open the way a running program holds its own, and a started VyxUpdater.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "shell/win/modFiles.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::test {

inline std::string Utf8(const std::filesystem::path& path) { return win::Narrow(path.wstring()); }

// The folder of the test program, where the build puts what the tests load and start.
inline std::filesystem::path TestFolder() {
    return std::filesystem::path(win::Widen(win::ModuleFolder()));
}

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// Open for reading and sharing reads only: neither a move over it nor its deletion may succeed
// while this handle lives.
inline win::ScopedFile HoldWithoutDeleteSharing(const std::filesystem::path& path) {
    return win::ScopedFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Starts a program with a command line written as the library writes it (program in quotes,
// then the arguments as they are); an empty handle when it could not start.
inline win::ScopedHandle StartProgram(const std::filesystem::path& program,
                                      const std::wstring& sArguments) {
    std::wstring sCommand = L"\"" + program.wstring() + L"\"";
    if (!sArguments.empty()) sCommand += L" " + sArguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), sCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return {};
    }
    CloseHandle(process.hThread);
    return win::ScopedHandle(process.hProcess);
}

// The exit code, or STILL_ACTIVE when the process has not ended within lWaitMs.
inline DWORD ExitCodeAfter(const win::ScopedHandle& process, DWORD lWaitMs) {
    WaitForSingleObject(process.Get(), lWaitMs);
    DWORD lCode = STILL_ACTIVE;
    GetExitCodeProcess(process.Get(), &lCode);
    return lCode;
}

}  // namespace quillon::test

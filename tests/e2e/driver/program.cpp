#include "program.h"

#include <psapi.h>

#include "check.h"
#include "dialogs.h"

namespace quillon::e2e {

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId || !IsWindowVisible(hwnd) ||
        ClassName(hwnd) != search->className)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

Program::Program(const std::wstring& exe, const std::wstring& arguments) {
    const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info))
        Fail("cannot start " + Narrow(exe) + " (error " + std::to_string(GetLastError()) + ")");
    CloseHandle(info.hThread);
    m_process.Reset(info.hProcess);
    m_processId = info.dwProcessId;
}

Program::~Program() {
    if (!HasExited()) {
        TerminateProcess(m_process.Get(), 1);
        WaitForSingleObject(m_process.Get(), 10000);
    }
}

bool Program::HasExited() const { return WaitForSingleObject(m_process.Get(), 0) == WAIT_OBJECT_0; }

DWORD Program::ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

HWND Program::FindWindowOfClass(const wchar_t* className) const {
    WindowSearch search{m_processId, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Program::WaitForExit() {
    WaitUntil("the program's process to end", [this] { return HasExited(); });
}

SIZE_T Program::PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(m_process.Get(), &counters, sizeof counters))
        Fail("GetProcessMemoryInfo failed (error " + std::to_string(GetLastError()) + ")");
    return counters.PeakWorkingSetSize;
}

RECT ClientRectOnScreen(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

}  // namespace quillon::e2e

#pragma once
// One run of a Windows program started by the driver: its process, its main window and its
// end. A run that is still alive when the object goes is ended by force, so that a failed
// scenario does not leave it behind.

#include <windows.h>

#include <string>

#include "shell/win/scoped.h"

namespace quillon::e2e {

class Program {
  public:
    // Starts `exe` in its own folder with `arguments` after the program's name.
    Program(const std::wstring& exe, const std::wstring& arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HANDLE Process() const { return m_process.Get(); }
    DWORD Id() const { return m_processId; }
    bool HasExited() const;
    DWORD ExitCode() const;

    // The visible top-level window of the given class that belongs to this process, or none.
    HWND FindWindowOfClass(const wchar_t* className) const;

    // Fails unless the process ends within the timeout.
    void WaitForExit();
    SIZE_T PeakWorkingSet() const;

  private:
    win::ScopedHandle m_process;
    DWORD m_processId = 0;
};

// Client rectangle of a window in screen coordinates.
RECT ClientRectOnScreen(HWND hwnd);

}  // namespace quillon::e2e

#pragma once
// The status bar's panels, read from the program's process.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace quillon::e2e {

class RemoteBuffer;

class StatusBar {
  public:
    StatusBar(HANDLE hProcess, HWND hBar);
    ~StatusBar();
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    // Panel 1..3; nothing while the program is too busy to answer (a blocking pause).
    std::optional<std::wstring> TryPanel(int panel) const;

  private:
    HWND m_hBar;
    std::unique_ptr<RemoteBuffer> m_buffer;
};

}  // namespace quillon::e2e

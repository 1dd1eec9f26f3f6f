// VyxUpdater: replaces one file that was in use with its "<file>.new" once the game has let go
// of it, and registers it when it is a component. No window of its own; its only message says
// that a component was registered.
//
// Exit codes: 0 replaced, 1 nothing to do (no path, no ".new"), 2 gave up waiting.

#include <windows.h>

#include <string>

#include "shell/win/register_server.h"
#include "shell/win/text.h"
#include "updater/command_line.h"
#include "updater/replace_when_released.h"
#include "updater_resource.h"

namespace {

std::wstring LoadText(HINSTANCE hInstance, UINT lId) {
    const wchar_t* pText = nullptr;
    const int lLength = LoadStringW(hInstance, lId, reinterpret_cast<wchar_t*>(&pText), 0);
    return lLength > 0 ? std::wstring(pText, lLength) : std::wstring();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    using namespace quillon;
    const std::wstring sTarget = updater::TargetFromCommandLine(GetCommandLineW());
    if (sTarget.empty()) return 1;

    switch (updater::ReplaceWhenReleased(sTarget)) {
        case updater::ReplaceOutcome::NothingToDo:
            return 1;
        case updater::ReplaceOutcome::GaveUp:
            return 2;
        case updater::ReplaceOutcome::Replaced:
            break;
    }
    // A registration that does not end within its 10 seconds ends the updater silently.
    if (updater::IsComponentFile(sTarget) &&
        win::RunServerEntry(win::Narrow(sTarget), "DllRegisterServer")) {
        MessageBoxW(nullptr, LoadText(hInstance, IDS_UPDATER_REGISTERED).c_str(),
                    LoadText(hInstance, IDS_UPDATER_TITLE).c_str(), MB_OK);
    }
    return 0;
}

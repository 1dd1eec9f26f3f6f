// The program's entry: settings, folders and profile file made ready, then the board window
// and its message loop.
#include <windows.h>

#include <string>

#include "board/win/frmMain.h"
#include "profiles/clsProfiles.h"
#include "profiles/profile_file.h"
#include "resources/resource.h"
#include "shell/command_line.h"
#include "shell/error_report.h"
#include "shell/program_values.h"
#include "shell/random.h"
#include "shell/settings.h"
#include "shell/win/message_box_reporter.h"
#include "shell/win/modFiles.h"
#include "shell/win/registry_store_win.h"
#include "shell/win/resource_bytes.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "ui/win/string_table.h"

namespace quillon::win {

namespace {

// The command line without the program's own name, as the program's switches see it.
std::string Arguments() {
    std::wstring_view line = GetCommandLineW();
    size_t end = 0;
    if (!line.empty() && line[0] == L'"') {
        end = line.find(L'"', 1);
        end = end == std::wstring_view::npos ? line.size() : end + 1;
    } else {
        end = line.find(L' ');
        if (end == std::wstring_view::npos) end = line.size();
    }
    return Narrow(line.substr(end));
}

void GiveDefaultName(Settings& settings, IRandom& random, HINSTANCE hInstance, int32_t setting) {
    if (!settings.GetSettingText(setting).empty()) return;
    const auto id = static_cast<UINT>(IDS_FIRST_NAME + GetRandom(random, IDS_NAME_COUNT));
    settings.SaveSetting(setting, LoadTextUtf8(hInstance, id));
}

int MessageLoop(frmMain& board) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (board.PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int Main(HINSTANCE hInstance, int nCmdShow) {
    WinRegistryStore store;
    Settings settings(store);
    ProgramValues values;
    Random random = Random::FromClock();
    MessageBoxReporter reporter;
    const AppPaths paths;
    try {
        GiveDefaultName(settings, random, hInstance, SettingPlayer1Name);
        GiveDefaultName(settings, random, hInstance, SettingPlayer2Name);
        LoadOptions(settings, values);

        for (PathKind kind : {PathData, PathBacks, PathCards}) {
            if (!IsDirectory(paths.GetPath(kind))) {
                ShowMessage(nullptr, hInstance, IDS_READONLY_FOLDER, IDS_READONLY_FOLDER_TITLE,
                            MB_OK | MB_ICONEXCLAMATION);
                return 1;
            }
        }

        DiskProfileFile profileFile(paths.GetPath(PathProfiles));
        clsProfiles profiles({profileFile, settings, reporter, [hInstance] {
                                  return ResourceBytes(hInstance, L"PROFILE", L"DEFAULT");
                              }});
        if (!profiles.CheckIfExists()) return 1;

        frmMain board({hInstance, settings, values, random, reporter, profileFile, paths});
        if (!board.Show(nCmdShow)) return 1;
        RunCommandLine(Arguments(), board, settings, values, reporter);
        return MessageLoop(board);
    } catch (...) {
        ReportCurrentException(reporter, "modMain::Main", true);
        return 1;
    }
}

}  // namespace

}  // namespace quillon::win

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int nCmdShow) {
    return quillon::win::Main(hInstance, nCmdShow);
}

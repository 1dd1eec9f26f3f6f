// The Help menu's commands that reach the update library: About, Submit Feedback and Internet
// Update. Each creates one of the library's classes by its registered name, gives it what it
// needs, runs its one action and lets it go, with the game's clock stopped meanwhile.

#include <array>
#include <filesystem>

#include "board/win/frmMain.h"
#include "resources/resource.h"
#include "shell/dates.h"
#include "shell/paths.h"
#include "shell/settings.h"
#include "shell/win/late_bound.h"
#include "shell/win/modFiles.h"
#include "shell/win/program_version.h"
#include "shell/win/register_server.h"
#include "shell/win/text.h"
#include "ui/win/string_table.h"

namespace quillon::win {

namespace {

constexpr char kLibraryFile[] = "VYXIUpdate.dll";
constexpr int32_t ICON_OCX = 2;
constexpr int32_t ICON_DLL = 3;

struct Component {
    const char* szFile;
    const char* szTitle;
    int32_t lIcon;
};

// What the program is made of, as the About box lists it. The last row is the C run-time
// library that the compiler's programs load.
constexpr std::array<Component, 7> kComponents{{
    {"VyxIUpdate.dll", "VYX Internet Update", ICON_DLL},
    {"ccrpudn6.ocx", "CCRP UpDown Control", ICON_OCX},
    {"ccrpsld.ocx", "CCRP Slider Control", ICON_OCX},
    {"richedit.ocx", "Orlent RichText Control", ICON_OCX},
    {"tabctl32.ocx", "Microsoft Tabbed Dialog Control", ICON_OCX},
    {"mswinsck.ocx", "Microsoft Winsock Control", ICON_OCX},
    {"msvcrt.dll", "C Run-Time Library", ICON_DLL},
}};

void PutVersion(LateBound& object, const ProgramVersion& version) {
    object.Put("lAppMajor", *VariantFromLong(version.lMajor).Get());
    object.Put("lAppMinor", *VariantFromLong(version.lMinor).Get());
    object.Put("lAppRev", *VariantFromLong(version.lRevision).Get());
}

// The program's file name without its folder and extension.
std::string ModuleFileStem() {
    wchar_t szPath[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, szPath, MAX_PATH * 2);
    return Narrow(std::filesystem::path(szPath).stem().wstring());
}

// Where a component is loaded from: beside the program, where the installer puts the library,
// or else the system folder.
std::string ComponentPath(const AppPaths& paths, const char* szFile) {
    const std::string sBeside = paths.GetPath(PathApp) + szFile;
    if (GetFileAttributesW(Widen(sBeside).c_str()) != INVALID_FILE_ATTRIBUTES) return sBeside;
    return paths.GetPath(PathSystem) + szFile;
}

bool IsTrue(const ScopedVariant& value) {
    return value.Type() == VT_BOOL && V_BOOL(value.Get()) != VARIANT_FALSE;
}

}  // namespace

void frmMain::RunLibraryCommand(const char* szProcedure, const char* szProgId,
                                const std::function<void(LateBound&)>& action) {
    GamePause();
    // A library that registers but still cannot be created must not be registered again and
    // again: one registration a command.
    bool bMayRegister = true;
    for (bool bAgain = true; bAgain;) {
        bAgain = false;
        try {
            const ScopedCoInit com;
            LateBound object(szProgId);
            action(object);
        } catch (const QuillonError& error) {
            // The installer puts the library beside the program, so that an installed game
            // repairs its own registration.
            if (error.Number() == ErrCannotCreateObject && bMayRegister &&
                RegisterServer(ComponentPath(m_context.paths, kLibraryFile))) {
                bMayRegister = false;
                bAgain = true;
            } else {
                ReportCurrentException(m_context.reporter, szProcedure, false);
            }
        } catch (...) {
            ReportCurrentException(m_context.reporter, szProcedure, false);
        }
    }
    GameRestart();
}

void frmMain::mnuHelpAbout_Click() {
    RunLibraryCommand("mdiMain::mnuHelpAbout_Click", "VyxIUpdate.clsAbout", [&](LateBound& about) {
        const ProgramVersion version = ReadProgramVersion();
        PutVersion(about, version);
        about.Put("sAppTitle", *VariantFromText(version.sTitle).Get());
        about.Put("sCopyRight", *VariantFromText(version.sCopyright).Get());
        about.Call("Load");
        for (const Component& row : kComponents) {
            const ScopedVariant path = VariantFromText(ComponentPath(m_context.paths, row.szFile));
            const ScopedVariant title = VariantFromText(row.szTitle);
            const ScopedVariant icon = VariantFromLong(row.lIcon);
            about.Call("AddItem", {path.Get(), title.Get(), icon.Get()});
        }
        const ScopedVariant owner = VariantFromWindow(m_hwnd);
        about.Call("Show", {owner.Get()});
    });
}

void frmMain::mnuHelpSubmit_Click() {
    RunLibraryCommand(
        "mdiMain::mnuHelpSubmit_Click", "VyxIUpdate.clsSubmit", [&](LateBound& submit) {
            const ProgramVersion version = ReadProgramVersion();
            PutVersion(submit, version);
            submit.Put("sAppTitle", *VariantFromText(version.sTitle).Get());
            submit.Put("sAppProductName", *VariantFromText(version.sProductName).Get());
            const ScopedVariant owner = VariantFromWindow(m_hwnd);
            submit.Call("Show", {owner.Get()});
        });
}

void frmMain::mnuHelpUpdate_Click() {
    RunLibraryCommand(
        "mdiMain::mnuHelpInternetUpdate_Click", "VyxIUpdate.clsUpdate", [&](LateBound& update) {
            PutVersion(update, ReadProgramVersion());
            update.Put("sAppPath", *VariantFromText(m_context.paths.GetPath(PathApp)).Get());
            update.Put("sAppExeName",
                       *VariantFromText(AddExtension(ModuleFileStem(), "exe")).Get());
            const std::wstring sDescriptor = LoadText(m_context.hInstance, IDS_UPDATE_PATH);
            std::wstring sUrl = LoadText(m_context.hInstance, IDS_MAKER_SITE) + sDescriptor;
            if (m_visibility.bDebug &&
                ShowMessage(m_hwnd, m_context.hInstance, IDS_LOCAL_SERVER_QUESTION,
                            IDS_LOCAL_SERVER_TITLE, MB_YESNO | MB_ICONINFORMATION) == IDYES)
                sUrl = LoadText(m_context.hInstance, IDS_LOCAL_SERVER) + sDescriptor;
            update.Put("sXmlUrl", *VariantFromText(Narrow(sUrl)).Get());
            const ScopedVariant owner = VariantFromWindow(m_hwnd);
            update.Call("LaunchUpdate", {owner.Get()});
            m_bMustClose = IsTrue(update.Get("MustCloseApp"));
            // A date that cannot be stored only brings the next reminder early.
            try {
                if (IsTrue(update.Get("bCompleted")))
                    m_context.settings.SaveSetting(SettingLastUpdate, ConvLngDate(TodayLocal()));
            } catch (...) {
            }
        });
    if (m_bMustClose) {
        ShowMessage(m_hwnd, m_context.hInstance, IDS_MUST_CLOSE, IDS_MUST_CLOSE_TITLE, MB_OK);
        PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
    }
}

void frmMain::RunInternetUpdate() { mnuHelpUpdate_Click(); }

}  // namespace quillon::win

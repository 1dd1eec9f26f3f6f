// The installer as a player meets it, in a Wine prefix where the update library is neither in
// the system folder nor registered: a silent installation, the game started from its Start
// menu shortcut with a working Help > About, the game repairing a registration that went, and
// silent uninstallations that keep the profile and settings when asked to and otherwise leave
// nothing behind.

#include <shlobj.h>
#include <tlhelp32.h>

#include <filesystem>

#include "driver.h"
#include "iupdate/win/frmAbout_resource.h"
#include "shell/win/program_version.h"
#include "shell/win/text.h"

namespace quillon::e2e {

namespace {

namespace fs = std::filesystem;

const std::wstring kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillon";
const std::vector<std::wstring> kProgIds = {L"VyxIUpdate.clsAbout", L"VyxIUpdate.clsSubmit",
                                            L"VyxIUpdate.clsUpdate"};
const std::vector<std::wstring> kInstalledFiles = {
    L"Quillon.exe", L"quillon.chm", L"VyxIUpdate.dll", L"zLib.dll", L"Uninstall.exe"};

fs::path KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    Check(SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)), "a known folder is missing");
    const fs::path folder(path);
    CoTaskMemFree(path);
    return folder;
}

fs::path InstallFolder() { return KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Quillon"; }
fs::path MenuFolder() { return KnownFolder(FOLDERID_Programs) / L"Quillon"; }

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const wchar_t* name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

bool KeyExists(HKEY root, const std::wstring& key) {
    win::ScopedHKey opened;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.Out()) == ERROR_SUCCESS;
}

// Both places the library may register itself: the machine's classes and the user's.
const std::vector<std::pair<HKEY, std::wstring>> kClassRoots = {
    {HKEY_LOCAL_MACHINE, L"Software\\Classes\\"}, {HKEY_CURRENT_USER, L"Software\\Classes\\"}};

// Where the registration of a class name points, in either place.
std::optional<std::wstring> RegisteredServer(const std::wstring& progId) {
    for (const auto& [root, classes] : kClassRoots) {
        const auto clsid = ReadText(root, classes + progId + L"\\CLSID", nullptr);
        if (!clsid) continue;
        if (const auto server =
                ReadText(root, classes + L"CLSID\\" + *clsid + L"\\InprocServer32", nullptr))
            return server;
    }
    return std::nullopt;
}

std::vector<std::wstring> RegisteredClassIds() {
    std::vector<std::wstring> ids;
    for (const auto& [root, classes] : kClassRoots)
        for (const std::wstring& progId : kProgIds)
            if (const auto clsid = ReadText(root, classes + progId + L"\\CLSID", nullptr))
                ids.push_back(*clsid);
    return ids;
}

// What is left of the library's registration: class names and class keys, in either place.
std::string RegistrationLeft(const std::vector<std::wstring>& classIds) {
    std::string left;
    for (const auto& [root, classes] : kClassRoots) {
        for (const std::wstring& progId : kProgIds)
            if (KeyExists(root, classes + progId)) left += Narrow(classes + progId) + "; ";
        for (const std::wstring& clsid : classIds)
            if (KeyExists(root, classes + L"CLSID\\" + clsid))
                left += Narrow(classes + L"CLSID\\" + clsid) + "; ";
    }
    return left;
}

fs::path ShortcutTarget(const fs::path& link) {
    win::ComPtr<IShellLinkW> shellLink;
    win::ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH] = {};
    Check(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, shellLink.OutVoid())) &&
              SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, file.OutVoid())) &&
              SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
              SUCCEEDED(shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)),
          "cannot read the shortcut " + Narrow(link.wstring()));
    return target;
}

std::wstring VersionText(const win::ProgramVersion& v) {
    return std::to_wstring(v.lMajor) + L"." + std::to_wstring(v.lMinor) + L"." +
           std::to_wstring(v.lRevision);
}

// Runs the command to its end and that of the processes it started (the uninstaller hands its
// work to a copy of itself in the temporary folder, which it does not wait for).
void RunToEnd(const std::wstring& exe, const std::wstring& arguments) {
    const std::string what = Narrow(exe) + " " + Narrow(arguments);
    Program program(exe, arguments);
    program.WaitForExit();
    Check(program.ExitCode() == 0,
          what + " ended with exit code " + std::to_string(program.ExitCode()));
    const DWORD id = GetProcessId(program.Handle());
    const win::ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID != id) continue;
        const win::ScopedHandle child(OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID));
        Check(!child || WaitForSingleObject(child.Get(), kTimeout.count()) == WAIT_OBJECT_0,
              "what " + what + " started did not end");
    }
}

void Install(const std::wstring& setup) { RunToEnd(setup, L"/S"); }

void Uninstall(const std::wstring& arguments) {
    const auto command = ReadText(HKEY_CURRENT_USER, kUninstallKey, L"UninstallString");
    Check(command && command->size() > 2 && command->front() == L'"' && command->back() == L'"',
          "the uninstall command is not one quoted path");
    RunToEnd(command->substr(1, command->size() - 2), arguments);
}

// Help > About from the program the shortcut starts, with its version as the installer's.
void AboutFromShortcut(const std::wstring& version) {
    Quillon q(ShortcutTarget(MenuFolder() / L"Quillon.lnk").wstring(), L"");
    q.Choose({L"&Help", L"&About..."});
    Dialog about(q, L"About Quillon");
    Check(about.Text(IDC_ABOUT_LBLVERSION) == L"Version " + version,
          "the version label reads " + Quote(about.Text(IDC_ABOUT_LBLVERSION)));
    const auto rows = q.ListViewRows(about.Item(IDC_ABOUT_LST), 2);
    Check(!rows.empty() && !rows[0][1].empty(),
          "the library's row shows no version for the installed library");
    about.Close(IDOK);
    q.Quit();
}

void CheckInstalled(const std::wstring& setupVersion) {
    const fs::path folder = InstallFolder();
    for (const std::wstring& file : kInstalledFiles)
        Check(fs::exists(folder / file), Narrow(file) + " is not in " + Narrow(folder.wstring()));
    const std::wstring version =
        VersionText(win::ReadProgramVersion((folder / L"Quillon.exe").wstring()));
    Check(version == setupVersion, "the installer's version " + Narrow(setupVersion) +
                                       " is not the program's " + Narrow(version));

    const std::vector<std::pair<std::wstring, fs::path>> shortcuts = {
        {L"Quillon.lnk", folder / L"Quillon.exe"},
        {L"Quillon Help.lnk", folder / L"quillon.chm"},
        {L"Uninstall Quillon.lnk", folder / L"Uninstall.exe"}};
    for (const auto& [link, target] : shortcuts)
        Check(fs::equivalent(ShortcutTarget(MenuFolder() / link), target),
              Narrow(link) + " does not lead to " + Narrow(target.wstring()));

    const auto value = [](const wchar_t* name) {
        return ReadText(HKEY_CURRENT_USER, kUninstallKey, name).value_or(L"(none)");
    };
    Check(value(L"DisplayName") == L"Quillon" && value(L"DisplayVersion") == version &&
              value(L"Publisher") == L"The Quillon developers" &&
              value(L"DisplayIcon") == (folder / L"Quillon.exe").wstring() + L",0" &&
              value(L"UninstallString") == L"\"" + (folder / L"Uninstall.exe").wstring() + L"\"",
          "the entry of installed programs reads: " + Narrow(value(L"DisplayName")) + ", " +
              Narrow(value(L"DisplayVersion")) + ", " + Narrow(value(L"Publisher")) + ", " +
              Narrow(value(L"DisplayIcon")) + ", " + Narrow(value(L"UninstallString")));
    DWORD size = 0, bytes = sizeof size;
    Check(RegGetValueW(HKEY_CURRENT_USER, kUninstallKey.c_str(), L"EstimatedSize", RRF_RT_REG_DWORD,
                       nullptr, &size, &bytes) == ERROR_SUCCESS &&
              size > 1000,
          "the entry of installed programs gives no size");
    const auto server = RegisteredServer(L"VyxIUpdate.clsAbout");
    Check(server && fs::equivalent(*server, folder / L"VyxIUpdate.dll"),
          "the installer did not register the installed library");
}

// After an uninstallation: no program, shortcut, entry or registration, and the player's
// profile and settings there exactly when kept.
void CheckUninstalled(const std::vector<std::wstring>& classIds, bool kept) {
    const fs::path folder = InstallFolder();
    std::string left;
    if (fs::exists(folder))
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            left += Narrow(entry.path().wstring()) + "; ";
    const fs::path profile = folder / L"Data" / L"profiles.dat";
    Check(kept == fs::exists(profile), kept ? "the profile was removed" : "left: " + left);
    for (const std::wstring& file : kInstalledFiles)
        Check(!fs::exists(folder / file), "left: " + left);
    Check(!fs::exists(MenuFolder()), "the Start menu folder is still there");
    Check(!KeyExists(HKEY_CURRENT_USER, kUninstallKey), "the entry of installed programs is left");
    const std::string registration = RegistrationLeft(classIds);
    Check(registration.empty(), "the library's registration is left: " + registration);
    Check(kept == KeyExists(HKEY_CURRENT_USER, win::Widen(kRootKey)),
          kept ? "the settings were removed" : "the settings are left");
}

void InstallScenario(const std::wstring& setup) {
    Check(!RegisteredServer(L"VyxIUpdate.clsAbout"), "the library is registered before installing");
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    Check(!fs::exists(fs::path(system) / L"VyxIUpdate.dll"), "the library is in the system folder");
    const std::wstring setupName = fs::path(setup).stem().wstring();  // Quillon-Setup-<version>
    const std::wstring setupVersion = setupName.substr(setupName.rfind(L'-') + 1);

    Install(setup);
    CheckInstalled(setupVersion);
    const std::vector<std::wstring> classIds = RegisteredClassIds();
    Check(classIds.size() == kProgIds.size(), "not every class of the library is registered");
    AboutFromShortcut(setupVersion);

    // The registration gone, the game finds the library beside itself (the system folder has
    // none) and registers it again.
    {
        const win::ScopedModule library(
            LoadLibraryW((InstallFolder() / L"VyxIUpdate.dll").c_str()));
        using Entry = HRESULT(STDAPICALLTYPE*)();
        const auto unregister = reinterpret_cast<Entry>(
            reinterpret_cast<void (*)()>(GetProcAddress(library.Get(), "DllUnregisterServer")));
        Check(unregister && SUCCEEDED(unregister()) && !RegisteredServer(L"VyxIUpdate.clsAbout"),
              "cannot unregister the installed library");
    }
    AboutFromShortcut(setupVersion);
    const auto server = RegisteredServer(L"VyxIUpdate.clsAbout");
    Check(server && fs::equivalent(*server, InstallFolder() / L"VyxIUpdate.dll"),
          "the game did not register the library beside it");
    Check(fs::exists(InstallFolder() / L"Data" / L"profiles.dat") &&
              KeyExists(HKEY_CURRENT_USER, win::Widen(kRootKey)),
          "the game kept no profile or settings");

    Uninstall(L"/S /KEEPDATA");
    CheckUninstalled(classIds, true);
    Install(setup);
    Uninstall(L"/S");
    CheckUninstalled(classIds, false);
    Check(!fs::exists(InstallFolder()), "the installation folder is left");
}

}  // namespace

int RunInstallScenario(const std::wstring& setup, const std::wstring& output) {
    std::printf("[ RUN  ] install: %s\n", Narrow(setup).c_str());
    std::fflush(stdout);
    const auto start = Clock::now();
    std::string failure;
    try {
        const win::ScopedCoInit com;
        try {
            InstallScenario(setup);
        } catch (const Failure&) {
            const fs::path shot = fs::path(output) / L"shots" / L"install-failure.bmp";
            fs::create_directories(shot.parent_path());
            Image::CaptureScreen(
                {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)})
                .WriteBmp(shot.wstring());
            throw;
        }
    } catch (const std::exception& e) {
        failure = e.what();
    }
    const auto seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("[ %s ] install (%.1f s)%s%s\n", failure.empty() ? " OK " : "FAIL", seconds,
                failure.empty() ? "" : ": ", failure.c_str());
    std::fflush(stdout);
    return failure.empty() ? 0 : 1;
}

}  // namespace quillon::e2e

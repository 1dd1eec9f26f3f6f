// The Help menu's About through the real update library: the box with the program's own rows,
// and a library that is unregistered or gone. The library's rules are its own tests' business;
// here the program and the library meet.

#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "driver.h"
#include "iupdate/win/frmAbout_resource.h"
#include "iupdate/win/frmInternetUpdate_resource.h"
#include "services.h"
#include "shell/win/text.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace quillon::e2e {

namespace {

using namespace text;
namespace fs = std::filesystem;

const std::wstring kHelp = L"&Help";
const std::wstring kAbout = L"&About...";
const std::wstring kUpdate = L"&Internet Update...";

std::wstring SystemLibrary() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\VyxIUpdate.dll";
}

// Calls the library's own registration entry, as regsvr32 does.
void CallLibraryEntry(const char* entry) {
    const win::ScopedModule library(LoadLibraryW(SystemLibrary().c_str()));
    Check(library.Get() != nullptr, "the update library is not in the system folder");
    using Entry = HRESULT(STDAPICALLTYPE*)();
    const auto call =
        reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(library.Get(), entry)));
    Check(call && SUCCEEDED(call()), std::string(entry) + " failed");
}

// The library moved out of the system folder for the object's life, then put back and
// registered, so that the scenarios after this one find it whatever happened here.
class LibraryAway {
  public:
    LibraryAway() {
        Check(MoveFileW(SystemLibrary().c_str(), Moved().c_str()) != 0, "cannot move the library");
    }
    ~LibraryAway() {
        MoveFileW(Moved().c_str(), SystemLibrary().c_str());
        try {
            CallLibraryEntry("DllRegisterServer");
        } catch (const Failure&) {
            // The scenario reports its own failure; the next ones will say what is missing.
        }
    }
    LibraryAway(const LibraryAway&) = delete;
    LibraryAway& operator=(const LibraryAway&) = delete;

  private:
    static std::wstring Moved() { return SystemLibrary() + L".away"; }
};

bool LibraryRegistered() {
    const win::ScopedCoInit com;
    CLSID clsid{};
    return SUCCEEDED(CLSIDFromProgID(L"VyxIUpdate.clsAbout", &clsid));
}

}  // namespace

// About lists the program's components and the library's own with the versions their files
// carry; the label and the license name the program as its version information does.
void AboutScenario(Scenario& s) {
    Quillon& q = s.Start();
    q.Choose({kHelp, kAbout});
    Dialog about(q, L"About Quillon");
    Check(about.Text(IDC_ABOUT_LBLVERSION) == L"Version 2.0.0",
          "the version label reads " + Quote(about.Text(IDC_ABOUT_LBLVERSION)));
    const std::wstring license = about.Text(IDC_ABOUT_RCHEDIT);
    Check(license.find(L"Copyright \u00A9 2026 The Quillon developers") != std::wstring::npos &&
              license.find(L"%Copyright%") == std::wstring::npos,
          "the license does not carry the program's copyright line: " + Quote(license));
    const auto rows = q.ListViewRows(about.Item(IDC_ABOUT_LST), 2);
    const std::vector<std::wstring> titles = {L"VYX Internet Update",
                                              L"CCRP UpDown Control",
                                              L"CCRP Slider Control",
                                              L"Orlent RichText Control",
                                              L"Microsoft Tabbed Dialog Control",
                                              L"Microsoft Winsock Control",
                                              L"C Run-Time Library",
                                              L"Sax ActiveX SmartUI",
                                              L"zLib Compression Library",
                                              L"Rich Edit Control"};
    std::string seen;
    for (const auto& row : rows) seen += Narrow(row[0]) + " [" + Narrow(row[1]) + "]; ";
    Check(rows.size() == titles.size(), "the components list holds " + seen);
    for (size_t i = 0; i < titles.size(); ++i)
        Check(rows[i][0] == titles[i],
              "row " + std::to_string(i) + " is not " + Narrow(titles[i]) + " in " + seen);
    Check(rows[0][1] == L"2.01.0000", "the library's row shows no version 2.01.0000: " + seen);
    Check(rows[5][1].empty(), "a component that is not there shows a version: " + seen);
    s.Screenshot("-about");
    about.Close(IDOK);
    q.Quit();
}

// An unregistered library is registered by the program and the command goes on; a missing one
// gives the report, and the game goes on afterwards.
void LibraryRepairScenario(Scenario& s) {
    CallLibraryEntry("DllUnregisterServer");
    Check(!LibraryRegistered(), "the library is still registered");
    {
        Quillon& first = s.Start();
        first.Choose({kHelp, kAbout});
        Dialog(first, L"About Quillon").Close(IDOK);
        Check(LibraryRegistered(), "the program did not register the library");
        first.Quit();  // a process that loaded the library keeps it: the next one starts afresh
    }
    CallLibraryEntry("DllUnregisterServer");
    const LibraryAway away;
    Quillon& q = s.Start();
    DealUnshuffled(q);
    StartGame(q, OnePlayer);
    q.Reveal(DealPosition(0));
    q.WaitForLook({DealPosition(0)}, Look::Face);
    q.Choose({kHelp, kAbout});
    {
        Dialog report(q, L"Fatal Error !");  // the report's wording for 429
        Check(report.Message().find(
                  L"ActiveX object couldn't be created. Consider reinstalling application.") !=
                  std::wstring::npos,
              Describe(report.Hwnd()) + " is not the report of a missing library");
        report.Close(IDOK);
    }
    // The game carries on where it was.
    q.Reveal(DealPosition(1));
    q.WaitForPanel(1, {kWaiting});
    q.Click();
    q.WaitForPanel(2, {Pairs(1)});
    q.Quit();
}

// Help > Internet Update with the Debug menu shown, answering Yes to the local server.
void AskLocalServer(Quillon& q) {
    q.Choose({kHelp, kUpdate});
    Answer(q, L"Local Server ?", L"Query local server ?", IDYES);
}

void WaitForFiles(Dialog& wizard) {
    wizard.Wait("the files to be listed",
                [&] { return IsWindowVisible(wizard.Item(IDC_UPD_LST)) != FALSE; });
}

// Internet Update with the Debug menu shown asks for the local server, and the wizard fetches
// the descriptor from the maker's server and logs each stage: a missing descriptor, then one
// whose signature no longer holds, which lists nothing.
void InternetUpdateScenario(Scenario& s) {
    Services services;
    services.Say("relay 200 8080");
    services.Expect("done listening");
    services.Say("descriptor none");
    services.Expect("done");
    Quillon& q = s.Start();
    DealUnshuffled(q);  // types the word that shows the Debug menu

    const auto run = [&](const std::wstring& expected, const std::string& shot) {
        AskLocalServer(q);
        Dialog wizard(q, L"Internet Update");
        wizard.Click(IDC_UPD_CMDSTARTSTEP1);
        wizard.Wait("the log to say " + Quote(expected), [&] {
            return wizard.Text(IDC_UPD_TXTSTATUS).find(expected) != std::wstring::npos;
        });
        const std::wstring log = wizard.Text(IDC_UPD_TXTSTATUS);
        Check(log.find(L"Retrieving data file...") != std::wstring::npos &&
                  log.find(L"Retrieving data file...") > log.find(expected),
              "the log does not read newest first: " + Quote(log));
        Check(!IsWindowVisible(wizard.Item(IDC_UPD_LST)), "files are listed: " + Quote(log));
        s.Screenshot(shot);
        wizard.Close(IDOK);
    };
    run(L"Error : File not found", "-not-found");
    services.Say("descriptor tampered");
    services.Expect("done");
    run(L"Error : Update information could not be verified.", "-unverified");
    q.Quit();
}

// The major, minor and build numbers of a file's version, as the program reports its own.
std::wstring FileVersionText(const std::wstring& path) {
    DWORD handle = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &handle));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (block.empty() ||
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size))
        return L"none";
    return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(fixed->dwFileVersionLS));
}

// The lines stand in the log newest first, so in the reverse of the order given.
void CheckNewestFirst(const std::wstring& log, const std::vector<std::wstring>& lines) {
    size_t after = std::wstring::npos;
    for (const std::wstring& line : lines) {
        const size_t at = log.find(line);
        Check(at != std::wstring::npos && at < after,
              Narrow(line) + " is missing or out of order in the log: " + Quote(log));
        after = at;
    }
}

// A whole update from the maker's publisher: the wizard lists the files by category, installs
// the text file in place and leaves the program to VyxUpdater; the game closes itself, the new
// program takes the old one's place, and it starts with its new version.
void WholeUpdateScenario(Scenario& s) {
    Services services;
    services.Say("relay 200 8080");
    services.Expect("done listening");
    services.Say("publish");
    services.Expect("done published");
    const std::wstring program = s.Folder() + L"Quillon.exe";
    {
        Quillon& q = s.Start();
        DealUnshuffled(q);
        AskLocalServer(q);
        Dialog wizard(q, L"Internet Update");
        wizard.Click(IDC_UPD_CMDSTARTSTEP1);
        WaitForFiles(wizard);
        std::wstring listed;
        for (const auto& row : q.ListViewRows(wizard.Item(IDC_UPD_LST), 1)) listed += row[0] + L"|";
        for (const wchar_t* row : {L"Program", L"Quillon", L"Documentation", L"Read me"})
            Check(listed.find(std::wstring(row) + L"|") != std::wstring::npos,
                  "the list lacks " + Narrow(row) + ": " + Quote(listed));
        s.Screenshot("-list");
        wizard.Click(IDC_UPD_CMDSTARTSTEP2);
        wizard.Wait("the files to be installed", [&] {
            return wizard.Text(IDC_UPD_TXTSTATUS).find(L"All files successfully installed.") !=
                   std::wstring::npos;
        });
        s.Screenshot("-installed");
        CheckNewestFirst(wizard.Text(IDC_UPD_TXTSTATUS),
                         {L"Starting Internet Update...", L"Retrieving data file...",
                          L"Data file downloaded.", L"Downloading files...", L"Read me:Downloaded",
                          L"Quillon:Downloaded", L"Installing files...", L"Read me:Installed",
                          L"Quillon:Installed", L"All files successfully installed."});
        wizard.Wait("the installation to end", [&] { return wizard.Enabled(IDOK); });
        wizard.Click(IDOK);
        Answer(q, L"Close Quillon", L"Application will close to update itself.", IDOK);
        q.WaitForExit();
    }
    Check(ReadBytes(s.Folder() + L"readme.txt").size() > 0, "the text file was not installed");
    const auto replaced = Clock::now() + kTimeout;
    while (FileVersionText(program) != L"2.0.1" && Clock::now() < replaced)
        std::this_thread::sleep_for(milliseconds(200));
    Check(FileVersionText(program) == L"2.0.1",
          "the program was not replaced: it is version " + Narrow(FileVersionText(program)));
    Quillon& updated = s.Start();
    updated.Choose({kHelp, kAbout});
    {
        Dialog about(updated, L"About Quillon");
        Check(about.Text(IDC_ABOUT_LBLVERSION) == L"Version 2.0.1",
              "the new program reads " + Quote(about.Text(IDC_ABOUT_LBLVERSION)));
        about.Close(IDOK);
    }
    updated.Quit();
}

// The wizard's other endings against published updates: nothing newer, a newer product, and
// a damaged file that is never installed; the game stays open throughout.
void UpdateOutcomesScenario(Scenario& s) {
    Services services;
    services.Say("relay 200 8080");
    services.Expect("done listening");
    Quillon& q = s.Start();
    DealUnshuffled(q);
    const auto update = [&](const std::string& variant, const std::function<void(Dialog&)>& then) {
        services.Say("publish " + variant);
        services.Expect("done published");
        AskLocalServer(q);
        Dialog wizard(q, L"Internet Update");
        wizard.Click(IDC_UPD_CMDSTARTSTEP1);
        then(wizard);
        wizard.WaitUntilGone();
    };
    update("same", [&](Dialog&) {
        Answer(q, L"No updates found.", L"No updates are available. Your product is up to date.",
               IDOK);
    });
    update("newer", [&](Dialog&) {
        Answer(q, L"Visit website ?",
               L"A new version is available for download on internet. Visit website ?", IDNO);
    });
    update("damaged", [&](Dialog& wizard) {
        WaitForFiles(wizard);
        wizard.Click(IDC_UPD_CMDSTARTSTEP2);
        wizard.Wait("the damaged file to be refused", [&] {
            return wizard.Text(IDC_UPD_TXTSTATUS).find(L"Quillon:Error : File damaged") !=
                   std::wstring::npos;
        });
        s.Screenshot("-damaged");
        wizard.Wait("the installation to end", [&] { return wizard.Enabled(IDOK); });
        wizard.Click(IDOK);
    });
    Check(FileVersionText(s.Folder() + L"Quillon.exe") == L"2.0.0" &&
              !fs::exists(s.Folder() + L"Quillon.exe.new"),
          "the damaged program reached the program's folder");
    q.Quit();
}

// A slow server that goes away in the middle of the downloads: Cancel, then Exit, and nothing
// of the update reaches the program's folder.
void UpdateHalfwayScenario(Scenario& s) {
    Services services;
    services.Say("relay 200 8080 400000");  // 3 MB take several seconds
    services.Expect("done listening");
    services.Say("publish big");
    services.Expect("done published");
    Quillon& q = s.Start();
    DealUnshuffled(q);
    AskLocalServer(q);
    {
        Dialog wizard(q, L"Internet Update");
        wizard.Click(IDC_UPD_CMDSTARTSTEP1);
        WaitForFiles(wizard);
        wizard.Click(IDC_UPD_CMDSTARTSTEP2);
        wizard.Wait("the downloads to begin", [&] {
            return wizard.Text(IDC_UPD_TXTSTATUS).find(L"Downloading files...") !=
                   std::wstring::npos;
        });
        services.Say("relay 0 8080");
        services.Expect("done relay stopped");
        wizard.Click(IDC_UPD_CMDCANCELSTEP2);
        wizard.Wait("Exit to be offered", [&] { return wizard.Enabled(IDOK); });
        s.Screenshot("-cancelled");
        Check(wizard.Text(IDC_UPD_TXTSTATUS).find(L"All files successfully installed.") ==
                  std::wstring::npos,
              "the log claims an installation: " + Quote(wizard.Text(IDC_UPD_TXTSTATUS)));
        wizard.Close(IDOK);
    }
    Check(!fs::exists(s.Folder() + L"extras.bin") && !fs::exists(s.Folder() + L"Quillon.exe.new") &&
              FileVersionText(s.Folder() + L"Quillon.exe") == L"2.0.0",
          "part of the update reached the program's folder");
    q.Quit();
}

}  // namespace quillon::e2e

// The update wizard under Wine, shown by clsUpdate.LaunchUpdate over a window of the test's own
// and worked through its buttons against the maker's real server on loopback.

#include <gtest/gtest.h>
#include <winsock2.h>
// After winsock2.h, which must come first.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "iupdate/versions.h"
#include "iupdate/win/clsUpdate.h"
#include "iupdate/win/frmInternetUpdate_resource.h"
#include "iupdate/win/library_state.h"
#include "library_under_test.h"
#include "relay_server.h"
#include "shell/win/scoped.h"
#include "support/temp_folder.h"
#include "wizard_driver.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;
using iupdate::State;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& sBytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << sBytes;
}

// Bytes that do not compress, so that a file's compressed size is about its own.
std::string Noise(size_t lSize) {
    std::string sBytes(lSize, '\0');
    uint32_t lState = 12345;
    for (char& c : sBytes) {
        lState = lState * 1103515245u + 12345u;
        c = static_cast<char>(lState >> 24);
    }
    return sBytes;
}

// The Windows path of a Unix one (Wine's own export).
fs::path WindowsPath(const std::string& sUnix) {
    using Convert = WCHAR*(CDECL*)(LPCSTR);
    const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_dos_file_name")));
    WCHAR* sz = convert ? convert(sUnix.c_str()) : nullptr;
    const fs::path path = sz ? fs::path(sz) : fs::path();
    HeapFree(GetProcessHeap(), 0, sz);
    return path;
}

// Runs the maker's publisher (the native build's) over a folder and a manifest into the
// server's updates folder, signed with the development key; its output, ending with its exit
// status.
std::string Publish(const fs::path& input, const std::string& sManifest, const RelayServer& server,
                    const fs::path& work) {
    const fs::path manifest = work / "update.manifest", out = work / "publish.out";
    WriteFile(manifest, sManifest);
    const std::string sOut = UnixPath(out);
    StartShell("'" QUILLON_PUBLISHER "' --manifest '" + UnixPath(manifest) + "' --input '" +
               UnixPath(input) + "' --output '" + UnixPath(server.UpdatesFolder()) +
               "' --key '" QUILLON_SOURCE_DIR "/packaging/dev_update_key.pem' --base-url '" +
               server.Url("/updates/") + "' >'" + sOut + ".part' 2>&1; echo exit=$? >>'" + sOut +
               ".part'; mv '" + sOut + ".part' '" + sOut + "'");
    return WaitForFile(out);
}

// The answer of clsUpdate.LaunchUpdate over the owner, through its interface as the game
// calls it.
bool LaunchUpdate(HWND hOwner) {
    win::ComPtr<_clsUpdate> update;
    EXPECT_EQ(iupdate::CreateClsUpdate(IID__clsUpdate, update.OutVoid()), S_OK);
    if (!update) return false;
    VARIANT owner;
    VariantInit(&owner);
    owner.vt = VT_I8;
    owner.llVal = reinterpret_cast<LONG_PTR>(hOwner);
    VARIANT_BOOL bResult = VARIANT_FALSE;
    EXPECT_EQ(update->LaunchUpdate(&owner, &bResult), S_OK);
    return bResult == VARIANT_TRUE;
}

// A server that takes the connection and never answers: a transfer to it runs until it is
// aborted.
class SilentServer {
  public:
    SilentServer() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int lSize = sizeof address;
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), lSize);
        listen(m_socket, 4);
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &lSize);
        m_lPort = ntohs(address.sin_port);
    }
    ~SilentServer() {
        closesocket(m_socket);
        WSACleanup();
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    std::string Url(const std::string& sPath) const {
        return "http://127.0.0.1:" + std::to_string(m_lPort) + sPath;
    }

  private:
    SOCKET m_socket = INVALID_SOCKET;
    int m_lPort = 0;
};

class Wizard : public LinkedLibrary {
  protected:
    void SetUp() override {
        LinkedLibrary::SetUp();
        State().ExitPressed = false;
        State().sAppPath = win::Narrow(m_app.wstring()) + "\\";
        State().sAppExeName = "Quillon.exe";
    }
    void TearDown() override {
        for (const ErrorReport& report : m_reports) ADD_FAILURE() << report.sMessage;
        LinkedLibrary::TearDown();
    }

    // Step 1 from the invitation: Update pressed once, then the state reached is looked at and
    // the wizard left with Exit.
    struct Step1 {
        std::vector<std::string> log;
        bool bCancelShown = true, bUpdateShown = true, bExitUsable = false;
        bool bListShown = true, bInstallUsable = true;
        bool bResult = true;
    };
    Step1 RunStep1(const std::string& sXmlUrl) {
        State().sXmlUrl = sXmlUrl;
        Step1 seen;
        bool bPressed = false;
        WizardDriver driver([&](HWND hWizard) {
            if (!bPressed) {
                bPressed = true;
                Click(hWizard, IDC_UPD_CMDSTARTSTEP1);
                return;
            }
            seen.log = LogLines(hWizard);
            seen.bCancelShown = Shown(hWizard, IDC_UPD_CMDCANCELSTEP1);
            seen.bUpdateShown = Shown(hWizard, IDC_UPD_CMDSTARTSTEP1);
            seen.bExitUsable = Usable(hWizard, IDOK);
            seen.bListShown = Shown(hWizard, IDC_UPD_LST);
            seen.bInstallUsable = Usable(hWizard, IDC_UPD_CMDSTARTSTEP2);
            Click(hWizard, IDOK);
        });
        driver.Run([&](HWND hOwner) { seen.bResult = LaunchUpdate(hOwner); });
        return seen;
    }

    const TempFolder m_temp;
    const std::filesystem::path m_app =
        (std::filesystem::create_directories(m_temp.path / "app"), m_temp.path / "app");
    RelayServer m_server{m_temp.path / "server"};
};

// The relay page stores what it is sent, so it shows the request the wizard made; its answer
// is no signed descriptor, so nothing may be listed.
TEST_F(Wizard, UpdatePostsAFreshFormForTheDescriptorAndRefusesAnUnsignedAnswer) {
    const Step1 seen = RunStep1(m_server.Url("/updates/submit.asp"));

    ASSERT_GE(seen.log.size(), 5u);
    EXPECT_EQ(seen.log[0], "Error : Update information could not be verified.");
    EXPECT_EQ(seen.log[1], "Data file downloaded.");
    const std::vector<std::string> oldest(seen.log.end() - 3, seen.log.end());
    EXPECT_EQ(oldest,
              (std::vector<std::string>{"Retrieving data file...", "Starting Internet Update...",
                                        "Click \"Update\" to start Internet Update..."}));
    // Between them only the connection's stages.
    for (size_t i = 2; i + 3 < seen.log.size(); ++i) {
        EXPECT_TRUE(seen.log[i].starts_with("Connecting to ") ||
                    seen.log[i].starts_with("Redirecting to ") ||
                    seen.log[i] == "Using cached copy")
            << seen.log[i];
    }
    EXPECT_FALSE(seen.bCancelShown);
    EXPECT_FALSE(seen.bListShown);
    EXPECT_FALSE(seen.bInstallUsable);
    EXPECT_TRUE(seen.bExitUsable);
    EXPECT_FALSE(seen.bResult) << "left with Exit";

    const std::string sStored =
        m_server.Query("select cast(raw as text), content_type from feedback");
    ASSERT_TRUE(sStored.starts_with("vyxver=1&rnd=")) << sStored;
    const std::string sTick = sStored.substr(13, sStored.find('\n') - 13);
    EXPECT_NO_THROW((void)std::stoi(sTick)) << "the tick count as a signed 32-bit number";
    EXPECT_EQ(sStored.substr(sStored.find('\n') + 1), "application/x-www-form-urlencoded\n");
}

TEST_F(Wizard, FailedDescriptorTransferLeavesOnlyExitAndTellsWhy) {
    struct Case {
        std::string sUrl;
        const char* szLast;
    };
    // Any other failure shows its code: here the server's error status.
    const RelayServer failing(m_temp.path / "failing", "--status 500");
    const Case cases[] = {
        {m_server.Url("/updates/missing.xml"), "Error : File not found"},
        {"http://127.0.0.1:1/updates/quillon_2.xml", "Error : Can't reach server"},
        {failing.Url("/updates/submit.asp"), "Error &H800C0008"},
    };
    for (const Case& c : cases) {
        const Step1 seen = RunStep1(c.sUrl);
        ASSERT_FALSE(seen.log.empty()) << c.sUrl;
        EXPECT_EQ(seen.log[0], c.szLast) << c.sUrl;
        EXPECT_EQ(seen.log.back(), "Click \"Update\" to start Internet Update...");
        EXPECT_FALSE(seen.bCancelShown) << c.sUrl;
        EXPECT_FALSE(seen.bUpdateShown) << c.sUrl << ": nothing is retried";
        EXPECT_TRUE(seen.bExitUsable) << c.sUrl;
    }
}

TEST_F(Wizard, CancelAbortsTheDescriptorTransferAndTheCloseBoxIsNoExit) {
    const SilentServer silent;
    State().sXmlUrl = silent.Url("/updates/quillon_2.xml");
    std::vector<std::string> log;
    bool bPressed = false, bCancelled = false, bExitDisabledWhileRunning = false;
    bool bResult = false;
    WizardDriver driver(
        [&](HWND hWizard) {
            if (!bPressed) {
                bPressed = true;
                Click(hWizard, IDC_UPD_CMDSTARTSTEP1);
            } else if (bCancelled) {
                log = LogLines(hWizard);
                PostMessageW(hWizard, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        },
        // The transfer waits on the silent server; Cancel is pressed in the middle of it, once
        // the connection is made (its stage would otherwise still come in above "Aborted"), or
        // after a second of waiting for it.
        [&, lTicks = 0](HWND hWizard) mutable {
            if (bCancelled || !Usable(hWizard, IDC_UPD_CMDCANCELSTEP1)) return;
            const std::vector<std::string> now = LogLines(hWizard);
            const bool bConnected = !now.empty() && now[0].starts_with("Connecting to ");
            if (!bConnected && ++lTicks < 50) return;
            bExitDisabledWhileRunning = !IsWindowEnabled(GetDlgItem(hWizard, IDOK));
            bCancelled = true;
            SendMessageW(GetDlgItem(hWizard, IDC_UPD_CMDCANCELSTEP1), BM_CLICK, 0, 0);
        });
    driver.Run([&](HWND hOwner) { bResult = LaunchUpdate(hOwner); });

    EXPECT_TRUE(bExitDisabledWhileRunning);
    ASSERT_GE(log.size(), 3u);
    EXPECT_TRUE(log[0].starts_with("Error &H")) << log[0];
    EXPECT_EQ(log[1], "Aborted");
    EXPECT_TRUE(bResult) << "closed without Exit";
    EXPECT_FALSE(State().ExitPressed);
}

// A whole small update, published with the maker's tool: listed by category with sizes and the
// mandatory row, downloaded one file after the other, a damaged file refused, the others
// installed in place or beside the program for VyxUpdater.
TEST_F(Wizard, PublishedUpdateIsListedDownloadedVerifiedAndInstalled) {
    ASSERT_TRUE(fs::exists(WindowsPath(QUILLON_PUBLISHER)))
        << QUILLON_PUBLISHER << " is missing: build the native tree first (make native)";
    const fs::path input = m_temp.path / "build";
    const std::string sNotes = "Quillon 2.0.15\r\n", sGame = "MZ the new program\r\n";
    const std::string sExtra = Noise(5000), sOld = "kept as it is\r\n";
    WriteFile(input / "notes.txt", sNotes);
    WriteFile(input / "game.exe", sGame);
    WriteFile(input / "extra.dat", sExtra);
    WriteFile(input / "old.txt", "an older copy\r\n");
    WriteFile(m_app / "old.txt", sOld);
    const std::string sPublished = Publish(input, R"(url = http://127.0.0.1/
baseurl = http://127.0.0.1/updates/
product_version = 2.0.0

[notes.txt]
name = Release notes
path = $(APP_PATH)Data
category = Documentation
icon = NEWS
date = 2026-01-15

[game.exe]
name = Game engine
path = $(APP_PATH)
filename = $(APP_EXENAME)
category = Program
flags = download differed restart
version = 2.0.15

[extra.dat]
name = Extra data
path = $(APP_PATH)

[old.txt]
name = Old notes
path = $(APP_PATH)
date = 2020-01-01
)",
                                           m_server, m_temp.path);
    ASSERT_TRUE(sPublished.ends_with("exit=0\n")) << sPublished;
    const fs::path files = m_server.UpdatesFolder() / "files";
    const auto lExtra = static_cast<int32_t>(fs::file_size(files / "extra.dat"));
    const auto lTotal = lExtra + static_cast<int32_t>(fs::file_size(files / "notes.txt") +
                                                      fs::file_size(files / "game.exe"));
    // Damaged on the server after it was signed.
    std::ofstream(files / "extra.dat", std::ios::binary | std::ios::app) << "x";

    State().lAppMajor = 2, State().lAppMinor = 0, State().lAppRev = 0;
    State().MustCloseApp = State().bCompleted = false;
    State().sXmlUrl = m_server.Url("/updates/quillon_2.xml");
    std::vector<ShownRow> listed, afterMandatory;
    std::string sTotal, sTotalWithoutFirst;
    bool bInstallWithoutFirst = false;
    std::vector<std::string> log;
    int lPhase = 0;
    bool bResult = true;
    WizardDriver driver([&](HWND hWizard) {
        const HWND hList = GetDlgItem(hWizard, IDC_UPD_LST);
        const auto label = [&] {
            return win::Narrow(win::WindowText(GetDlgItem(hWizard, IDC_UPD_LBLDOWNLOAD)));
        };
        switch (lPhase) {
            case 0:
                Click(hWizard, IDC_UPD_CMDSTARTSTEP1);
                ++lPhase;
                break;
            case 1:  // listed: the mandatory row unchecked as a click would
                if (!Usable(hWizard, IDC_UPD_CMDSTARTSTEP2)) break;
                listed = ListRows(hWizard);
                sTotal = label();
                ListView_SetCheckState(hList, 5, FALSE);
                ++lPhase;
                break;
            case 2:  // the notice answered: the first file row unchecked
                if (driver.Messages().empty()) break;
                afterMandatory = ListRows(hWizard);
                ListView_SetCheckState(hList, 1, FALSE);
                ++lPhase;
                break;
            case 3:
                bInstallWithoutFirst = Usable(hWizard, IDC_UPD_CMDSTARTSTEP2);
                sTotalWithoutFirst = label();
                ListView_SetCheckState(hList, 1, TRUE);
                Click(hWizard, IDC_UPD_CMDSTARTSTEP2);
                ++lPhase;
                break;
            case 4:
                if (!Usable(hWizard, IDOK)) break;
                log = LogLines(hWizard);
                Click(hWizard, IDOK);
                ++lPhase;
                break;
            default:
                break;
        }
    });
    driver.Run([&](HWND hOwner) { bResult = LaunchUpdate(hOwner); });

    // By category, each header without a check box, its files indented below it.
    const std::vector<ShownRow> expected = {
        {"Component", "", "", 0, 0, I_IMAGENONE},
        {"Extra data", "Size : " + FormatSize(lExtra), "", 2, 1, 10},
        {"Documentation", "", "", 0, 0, I_IMAGENONE},
        {"Release notes", "Size : 1 Kb", "", 2, 1, 11},
        {"Program", "", "", 0, 0, I_IMAGENONE},
        {"Game engine", "Version 2.0.15 Size : 1 Kb", "Required", 2, 1, 6},
    };
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(sTotal, "Total download size : " + FormatSize(lTotal));
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].sText, "Item must be downloaded.");
    EXPECT_EQ(afterMandatory, expected) << "the mandatory row is checked again";
    EXPECT_TRUE(bInstallWithoutFirst) << "other rows stay checked";
    EXPECT_EQ(sTotalWithoutFirst, "Total download size : " + FormatSize(lTotal - lExtra));

    const std::vector<std::string> newest(log.begin(),
                                          log.begin() + std::min<size_t>(log.size(), 9));
    EXPECT_EQ(newest,
              (std::vector<std::string>{
                  "All files successfully installed.", "Game engine:Installed",
                  "Release notes:Installed", "Installing files...", "Game engine:Downloaded",
                  "Release notes:Downloaded", "Extra data:Error : File damaged",
                  "Downloading files...All files downloaded.", "Data file downloaded."}));
    EXPECT_FALSE(bResult) << "left with Exit";
    EXPECT_TRUE(State().bCompleted);
    EXPECT_TRUE(State().MustCloseApp);

    EXPECT_EQ(ReadFile(m_app / "Data" / "notes.txt"), sNotes);
    EXPECT_FALSE(fs::exists(m_app / "extra.dat")) << "a damaged file is never installed";
    EXPECT_EQ(ReadFile(m_app / "old.txt"), sOld);
    // The program's new content went beside it, and the updater the wizard started puts it in
    // place (at once, since nothing holds the program here).
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fs::exists(m_app / "Quillon.exe.new") && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(ReadFile(m_app / "Quillon.exe"), sGame);
    EXPECT_FALSE(fs::exists(m_app / "Quillon.exe.new"));
}

// A newer product, or nothing newer than what is installed: the wizard says so and closes by
// itself, with the run completed.
TEST_F(Wizard, NewProductOrNothingNewerEndsTheWizardWithItsNotice) {
    ASSERT_TRUE(fs::exists(WindowsPath(QUILLON_PUBLISHER)))
        << QUILLON_PUBLISHER << " is missing: build the native tree first (make native)";
    const fs::path input = m_temp.path / "build";
    WriteFile(input / "old.txt", "an older copy\r\n");
    WriteFile(m_app / "old.txt", "kept\r\n");
    const struct {
        const char* szProductVersion;
        SeenMessage notice;
        bool bNewVersion;
    } cases[] = {
        {"2.1.0",
         {"Visit website ?",
          "A new version is available for download on internet. Visit website ?"},
         true},
        {"2.0.0",
         {"No updates found.", "No updates are available. Your product is up to date."},
         false},
    };
    for (const auto& c : cases) {
        const std::string sPublished =
            Publish(input,
                    std::string("url = http://127.0.0.1/\nbaseurl = http://127.0.0.1/\n") +
                        "product_version = " + c.szProductVersion +
                        "\n[old.txt]\nname = Old notes\npath = $(APP_PATH)\ndate = 2020-01-01\n",
                    m_server, m_temp.path);
        ASSERT_TRUE(sPublished.ends_with("exit=0\n")) << sPublished;
        State().lAppMajor = 2, State().lAppMinor = 0, State().lAppRev = 0;
        State().NewVersionAvailable = State().bCompleted = false;
        State().sXmlUrl = m_server.Url("/updates/quillon_2.xml");
        bool bResult = false;
        // No: the web page is not opened here.
        WizardDriver driver(
            [&, bPressed = false](HWND hWizard) mutable {
                if (!bPressed) Click(hWizard, IDC_UPD_CMDSTARTSTEP1);
                bPressed = true;
            },
            {}, IDNO);
        driver.Run([&](HWND hOwner) { bResult = LaunchUpdate(hOwner); });

        ASSERT_EQ(driver.Messages().size(), 1u) << c.szProductVersion;
        EXPECT_EQ(driver.Messages()[0].sTitle, c.notice.sTitle);
        EXPECT_EQ(driver.Messages()[0].sText, c.notice.sText);
        EXPECT_TRUE(bResult) << "not closed with Exit";
        EXPECT_TRUE(State().bCompleted) << c.szProductVersion;
        EXPECT_EQ(State().NewVersionAvailable, c.bNewVersion) << c.szProductVersion;
    }
}

}  // namespace
}  // namespace quillon::test

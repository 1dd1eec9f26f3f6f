// The update wizard under Wine, shown by clsUpdate.LaunchUpdate over a window of the test's own
// and worked through its buttons against the maker's real server on loopback.

#include <gtest/gtest.h>
#include <winsock2.h>
// After winsock2.h, which must come first.
#include <windows.h>

#include <string>
#include <vector>

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

using iupdate::State;

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

TEST_F(Wizard, UpdatePostsAFreshFormForTheDescriptorAndLogsEachStageNewestFirst) {
    // The relay page stores what it is sent, so it shows the request the wizard made.
    const Step1 seen = RunStep1(m_server.Url("/updates/submit.asp"));

    ASSERT_GE(seen.log.size(), 4u);
    EXPECT_EQ(seen.log[0], "Data file downloaded.");
    const std::vector<std::string> oldest(seen.log.end() - 3, seen.log.end());
    EXPECT_EQ(oldest,
              (std::vector<std::string>{"Retrieving data file...", "Starting Internet Update...",
                                        "Click \"Update\" to start Internet Update..."}));
    // Between them only the connection's stages.
    for (size_t i = 1; i + 3 < seen.log.size(); ++i) {
        EXPECT_TRUE(seen.log[i].starts_with("Connecting to ") ||
                    seen.log[i].starts_with("Redirecting to ") ||
                    seen.log[i] == "Using cached copy")
            << seen.log[i];
    }
    EXPECT_FALSE(seen.bCancelShown);
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

}  // namespace
}  // namespace quillon::test

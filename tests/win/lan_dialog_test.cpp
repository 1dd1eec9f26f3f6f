// Two network dialogs in one process over loopback, driven through their controls as a player
// would: hosting, connecting, the host's question answered yes or no, the port in use and
// nobody listening. The dialogs stay hidden; their message boxes are answered from a second
// thread, which notes what each one said.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "network/win/frmLan.h"
#include "network/win/network_resource.h"
#include "profiles/profile_file.h"
#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/settings.h"
#include "shell/win/modFiles.h"
#include "shell/win/text.h"
#include "support/fakes.h"

namespace quillon::win {
namespace {

// What the dialog asks of the board: here only noted.
struct FakeBoard final : ILanBoard {
    void Lan_NewGame() override { ++lGamesStarted; }
    void Lan_AbandonGame() override { ++lGamesAbandoned; }
    ILanGame* Lan_CurrentGame() override { return nullptr; }
    bool Lan_EngineBusy() const override { return false; }
    void Lan_ShowChat() override {}
    void Lan_ChatAdd(const std::string& sLine) override { chat.push_back(sLine); }
    void Lan_EnablePing() override {}
    int lGamesStarted = 0, lGamesAbandoned = 0;
    std::vector<std::string> chat;
};

// A network dialog with services of its own, loaded hidden over an owner window.
struct Side {
    explicit Side(const char* sNickname) {
        owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
        EXPECT_TRUE(lan.Load(owner));
        SetText(IDC_LAN_TXTNICKNAME, sNickname);
    }
    ~Side() {
        lan.Unload();
        DestroyWindow(owner);
    }
    HWND Item(int lId) const { return GetDlgItem(lan.Hwnd(), lId); }
    void SetText(int lId, const std::string& sText) const {
        SetWindowTextW(Item(lId), Widen(sText).c_str());
    }
    void Command(int lId) const {
        SendMessageW(lan.Hwnd(), WM_COMMAND, MAKEWPARAM(lId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(lId)));
    }
    void Host(uint16_t lPort) {
        SetText(IDC_LAN_TXTLOCALPORT, std::to_string(lPort));
        SendMessageW(Item(IDC_LAN_CHKISHOST), BM_SETCHECK, BST_CHECKED, 0);
        Command(IDC_LAN_CHKISHOST);
    }
    void Connect(uint16_t lPort) {
        const char* parts[] = {"127", "0", "0", "1"};
        for (int i = 0; i < 4; ++i) SetText(IDC_LAN_TXTHOST0 + i, parts[i]);
        SetText(IDC_LAN_TXTREMOTEPORT, std::to_string(lPort));
        Command(IDC_LAN_CMDCONNECT);
    }
    bool Hosting() const {
        return SendMessageW(Item(IDC_LAN_CHKISHOST), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    MemoryStore store;
    Settings settings{store};
    ProgramValues values;
    test::ScriptedRandom random;
    test::RecordingReporter reporter;
    MemoryProfileFile file;
    AppPaths paths{"C:\\"};
    FakeBoard board;
    frmLan lan{{GetModuleHandleW(nullptr), settings, values, random, reporter, file, paths}, board};
    HWND owner = nullptr;
};

// Answers the process's message boxes by their titles and keeps "title: text" of each.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(std::map<std::wstring, int> answers)
        : m_answers(std::move(answers)), m_thread([this] { Run(); }) {}
    ~BoxAnswerer() {
        m_bStop = true;
        m_thread.join();
    }
    std::vector<std::string> Seen() {
        const std::lock_guard lock(m_mutex);
        return m_seen;
    }

  private:
    // A message box's text: its one static control with words in it.
    static std::string StaticText(HWND hBox) {
        std::string sText;
        EnumChildWindows(
            hBox,
            [](HWND hChild, LPARAM lParam) -> BOOL {
                wchar_t sClass[16] = {}, sWords[512] = {};
                GetClassNameW(hChild, sClass, 16);
                GetWindowTextW(hChild, sWords, 512);
                if (_wcsicmp(sClass, L"Static") == 0 && sWords[0] != 0)
                    *reinterpret_cast<std::string*>(lParam) += Narrow(sWords);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&sText));
        return sText;
    }
    void Run() {
        while (!m_bStop) {
            EnumWindows(&BoxAnswerer::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(20);
        }
    }
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM lParam) {
        auto& self = *reinterpret_cast<BoxAnswerer*>(lParam);
        DWORD lProcess = 0;
        GetWindowThreadProcessId(hwnd, &lProcess);
        wchar_t sClass[16] = {};
        GetClassNameW(hwnd, sClass, 16);
        if (lProcess != GetCurrentProcessId() || std::wstring(sClass) != L"#32770" ||
            !IsWindowVisible(hwnd))
            return TRUE;
        wchar_t sTitle[128] = {};
        GetWindowTextW(hwnd, sTitle, 128);
        const auto answer = self.m_answers.find(sTitle);
        if (answer == self.m_answers.end()) return TRUE;
        {
            const std::lock_guard lock(self.m_mutex);
            self.m_seen.push_back(Narrow(sTitle) + ": " + StaticText(hwnd));
        }
        PostMessageW(hwnd, WM_COMMAND, static_cast<WPARAM>(answer->second), 0);
        Sleep(100);  // one answer a box
        return TRUE;
    }

    const std::map<std::wstring, int> m_answers;
    std::atomic<bool> m_bStop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_seen;
    std::thread m_thread;
};

// Runs the thread's messages until ready() holds; false after ten seconds.
bool PumpUntil(const std::function<bool()>& ready) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    MSG msg;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) return false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
    return true;
}

bool Contains(const std::vector<std::string>& seen, const std::string& sLine) {
    for (const std::string& s : seen)
        if (s.starts_with(sLine)) return true;
    return false;
}

TEST(LanDialog, AcceptedHandshakeStartsBothGamesAndAGoodbyeReachesTheHost) {
    BoxAnswerer boxes({{L"Accept game ?", IDYES}, {L"Accepted", IDOK}, {L"Disconnected", IDOK}});
    Side host("Hosty"), client("Clio");
    host.Host(3921);
    ASSERT_TRUE(host.Hosting()) << "the host box was unchecked: the listen failed";
    client.Connect(3921);
    ASSERT_TRUE(PumpUntil(
        [&] { return host.board.lGamesStarted == 1 && client.board.lGamesStarted == 1; }));
    EXPECT_TRUE(Contains(boxes.Seen(), "Accept game ?: Do you wish to play against Clio ("));
    EXPECT_TRUE(Contains(boxes.Seen(), "Accepted: Game was accepted."));
    EXPECT_EQ(host.lan.OpponentName(), "Clio");
    EXPECT_EQ(client.lan.OpponentName(), "Hosty");
    EXPECT_TRUE(host.lan.IsHost());
    EXPECT_FALSE(client.lan.IsHost());

    // Leaving during a game says goodbye without a terminator; the host still reads it.
    client.values.g_bGameRunning = true;
    client.lan.Unload();
    ASSERT_TRUE(PumpUntil([&] { return !host.lan.Connected(); }));
    EXPECT_TRUE(Contains(boxes.Seen(), "Disconnected: Player disconnected."));
    EXPECT_EQ(client.settings.GetSettingText(SettingPlayerLanName), "Clio");
    EXPECT_EQ(client.settings.GetSettingText(SettingLastIP), "127.0.0.1");
    EXPECT_TRUE(host.reporter.errors.empty() && client.reporter.errors.empty());
}

TEST(LanDialog, RefusedClientIsToldAndTheHostListensAgain) {
    BoxAnswerer boxes({{L"Accept game ?", IDNO}, {L"Refused", IDOK}});
    Side host("Hosty"), client("Clio");
    host.Host(3922);
    client.Connect(3922);
    ASSERT_TRUE(PumpUntil([&] { return Contains(boxes.Seen(), "Refused: Game was refused."); }));
    ASSERT_TRUE(PumpUntil([&] { return !client.lan.Connected(); }));
    EXPECT_FALSE(IsWindowEnabled(client.Item(IDC_LAN_CMDCONNECT)));
    EXPECT_EQ(host.board.lGamesStarted + client.board.lGamesStarted, 0);

    // The same host asks the next player.
    Side second("Zed");
    second.Connect(3922);
    ASSERT_TRUE(PumpUntil([&] {
        return Contains(boxes.Seen(), "Accept game ?: Do you wish to play against Zed (");
    }));
}

TEST(LanDialog, PortInUseIsReportedAndNobodyListeningIsRefused) {
    BoxAnswerer boxes({{L"Error n\u00B010061", IDOK}});
    Side first("Hosty"), second("Other");
    first.Host(3923);
    second.Host(3923);
    ASSERT_EQ(second.reporter.errors.size(), 1u);
    EXPECT_EQ(second.reporter.errors[0].sProcedure, "frmLan::Socket_Listen");
    EXPECT_EQ(second.reporter.errors[0].lNumber, 10048);
    EXPECT_FALSE(second.Hosting());
    EXPECT_TRUE(first.Hosting());

    Side client("Clio");
    client.Connect(3924);  // nobody there
    ASSERT_TRUE(PumpUntil([&] {
        return Contains(boxes.Seen(),
                        "Error n\xC2\xB0"
                        "10061: Connection was refused.");
    }));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(client.Item(IDC_LAN_CMDCONNECT)) != 0; }));
}

}  // namespace
}  // namespace quillon::win

// A scripted hostile peer (hostile_peer.py) against the real program, first as the program's
// client and then as its host: whatever it sends, the program says what went wrong in the
// words meant for it, ends the session, keeps answering, and its profile stays whole. Which
// message is judged how is the native tests' business; here the pieces meet the real socket.

#include <filesystem>

#include "driver.h"
#include "network/win/network_resource.h"
#include "services.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace quillon::e2e {

namespace {

using namespace text;

const std::wstring kPeerName = L"Mal+lory";  // the "+" after the first one is part of the name
constexpr uint16_t kProgramPort = 3000;      // the dialog's default
constexpr uint16_t kPeerPort = 3001;

// How a case ends on the program's side.
struct Outcome {
    std::wstring title;
    std::wstring message;  // contained in the box's text
    milliseconds within = kTimeout;
};

const Outcome kInvalid{kDisconnectedTitle, kInvalidMove};
const Outcome kGone{kDisconnectedTitle, kDisconnected};
// Three keep-alive periods of silence, noticed at the next tick.
const Outcome kLost{L"Error", kConnectionLost, milliseconds(60000)};
const Outcome kOverlong{kDisconnectedTitle, kTooLong};

Dialog& OpenDialog(Quillon& q, std::optional<Dialog>& dialog) {
    q.Choose({kFile, kNewGame});
    dialog.emplace(q, kNetworkTitle);
    SetWindowTextW(dialog->Item(IDC_LAN_TXTNICKNAME), L"Hosty");
    return *dialog;
}

// The box that ends a case, then the session's windows gone and the program idle again.
void EndsWith(Quillon& q, Scenario& s, const Outcome& outcome, const std::string& shot = {}) {
    {
        Dialog box(q, outcome.title, outcome.within);
        Check(box.Message().find(outcome.message) != std::wstring::npos,
              Describe(box.Hwnd()) + " does not say " + Quote(outcome.message));
        if (!shot.empty()) s.Screenshot(shot);
        box.Click(IDOK);
    }
    q.Wait(
        "the network dialog and the chat to go", [&] { return q.Windows(L"#32770").empty(); }, {},
        kTimeout, Program::Boxes::Allowed);
    DWORD_PTR result = 0;
    Check(SendMessageTimeoutW(q.Board(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0,
          "the board window no longer answers");
    WaitForGameCommands(q, false);
}

// The program hosts; the peer joins and plays `peerCase`.
void AgainstJoiningPeer(Quillon& q, Scenario& s, Services& peer, const std::string& peerCase,
                        const Outcome& outcome, const std::function<void(Dialog& chat)>& during) {
    std::optional<Dialog> dialog;
    OpenDialog(q, dialog).Click(IDC_LAN_CHKISHOST);
    dialog->Wait("the program to listen", [&] { return !dialog->Enabled(IDC_LAN_TXTLOCALPORT); });
    peer.Say("join " + peerCase + " " + std::to_string(kProgramPort));
    {
        Dialog ask(q, kAcceptTitle);
        Check(ask.Message() == kAcceptQuestion + kPeerName + L" (127.0.0.1) ?",
              Describe(ask.Hwnd()) + " does not name the peer as it introduced itself");
        ask.Click(IDYES);
    }
    Dialog chat(q, kChatTitle);
    if (during) during(chat);
    EndsWith(q, s, outcome, peerCase == "garbage" ? "-invalid-move" : "");
    peer.Expect("done " + peerCase);
}

// The peer hosts and plays `peerCase`; the program connects to it.
void AgainstHostingPeer(Quillon& q, Scenario& s, Services& peer, const std::string& peerCase,
                        const Outcome& outcome, const std::function<void()>& during) {
    std::optional<Dialog> dialog;
    OpenDialog(q, dialog);
    PostMessageW(dialog->Item(IDC_LAN_TABS), TCM_SETCURFOCUS, 1, 0);
    dialog->Wait("the client page",
                 [&] { return IsWindowVisible(dialog->Item(IDC_LAN_CMDCONNECT)); });
    for (int i = 0; i < 4; ++i)
        SetWindowTextW(dialog->Item(IDC_LAN_TXTHOST0 + i), i == 0 ? L"127" : i == 3 ? L"1" : L"0");
    SetWindowTextW(dialog->Item(IDC_LAN_TXTREMOTEPORT), std::to_wstring(kPeerPort).c_str());
    peer.Say("host " + peerCase + " " + std::to_string(kPeerPort));
    peer.Expect("ready");
    dialog->Click(IDC_LAN_CMDCONNECT);
    Answer(q, kAcceptedTitle, kAccepted, IDOK);
    Dialog chat(q, kChatTitle);
    SetWindowPos(chat.Hwnd(), nullptr, 0, 545, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // off the cards
    if (during) during();
    EndsWith(q, s, outcome);
    peer.Expect("done " + peerCase);
}

}  // namespace

void HostilePeer(Scenario& s) {
    Quillon& q = s.Start();
    Services peer;
    q.Choose({kFile, kSettings, kGameTypes[Network]});
    WaitForGameType(q, Network);

    AgainstHostingPeer(q, s, peer, "wrong-deck", kInvalid, {});
    AgainstHostingPeer(q, s, peer, "goodbye", kGone, [&] {
        // The peer's deal and its "you start" reached the board before it leaves.
        q.WaitForBoard(Look::Back, "after the peer's deal");
        q.WaitForPanel(1, {Turn(L"Hosty")});
        peer.Say("go");
    });

    AgainstJoiningPeer(q, s, peer, "garbage", kInvalid, {});
    AgainstJoiningPeer(q, s, peer, "out-of-turn", kInvalid, {});
    AgainstJoiningPeer(q, s, peer, "second-hello", kGone, [&](Dialog& chat) {
        // A second introduction changes nothing: the game and the chat go on.
        q.Wait("the peer's chat line", [&] {
            return chat.Text(IDC_CHAT_TXTMESSAGE).find(L"<" + kPeerName + L"> still here") !=
                   std::wstring::npos;
        });
        peer.Say("go");
    });
    AgainstJoiningPeer(q, s, peer, "oversized", kOverlong, {});
    AgainstJoiningPeer(q, s, peer, "silent", kLost, {});

    // Every session ended without a result, and the profile file is whole.
    CheckProfile(s, {});
    Check(!std::filesystem::exists(std::filesystem::path(s.Folder()) / L"Data\\profiles.dat.bad"),
          "the profile file was set aside as damaged");
    q.Quit();
}

}  // namespace quillon::e2e

// Two programs, each from a folder of its own, play over 127.0.0.1: the connection dialog and
// its handshake, a whole unshuffled game on boards that agree card by card, the chat both ways,
// the result in both profiles, the next game with the same opponent, and a goodbye.

#include <algorithm>
#include <cstdio>

#include "driver.h"
// After windows.h, which it needs.
#include <commctrl.h>

#include "network/win/network_resource.h"

namespace quillon::e2e {

namespace {

using namespace text;

const std::wstring kHostName = L"Hosty";
const std::wstring kClientName = L"Clio";

// New Game for the network type opens the dialog, which starts the game itself later.
Dialog& OpenNetworkDialog(Quillon& q, std::optional<Dialog>& dialog, const std::wstring& name) {
    q.Choose({kFile, kSettings, kGameTypes[Network]});
    WaitForGameType(q, Network);
    q.Choose({kFile, kNewGame});
    dialog.emplace(q, kNetworkTitle);
    SetWindowTextW(dialog->Item(IDC_LAN_TXTNICKNAME), name.c_str());
    return *dialog;
}

void Raise(const Quillon& q) {
    SetWindowPos(q.Board(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::wstring ChatText(const Dialog& chat) { return chat.Text(IDC_CHAT_TXTMESSAGE); }

size_t Count(const std::wstring& text, const std::wstring& line) {
    size_t n = 0;
    for (size_t at = text.find(line + L"\r\n"); at != std::wstring::npos;
         at = text.find(line + L"\r\n", at + 1))
        ++n;
    return n;
}

void WaitForChatLine(Quillon& q, const Dialog& chat, const std::wstring& line, size_t times = 1) {
    q.Wait(
        "the chat line " + Quote(line), [&] { return Count(ChatText(chat), line) == times; },
        [&] { return Quote(ChatText(chat)); });
}

}  // namespace

void NetworkGame(Scenario& s) {
    Scenario clientFolder(s.Env(), "network_client");  // clears the settings: before any start
    Quillon& host = s.Start();
    Quillon& client = clientFolder.Start();
    DealUnshuffled(host);

    std::optional<Dialog> hostDialog, clientDialog;
    OpenNetworkDialog(host, hostDialog, kHostName).Click(IDC_LAN_CHKISHOST);
    hostDialog->Wait("the host to listen",
                     [&] { return !hostDialog->Enabled(IDC_LAN_TXTLOCALPORT); });
    Dialog& connect = OpenNetworkDialog(client, clientDialog, kClientName);
    // The tab is clicked: Alt+L also names the host page's "&Local Information".
    PostMessageW(connect.Item(IDC_LAN_TABS), TCM_SETCURFOCUS, 1, 0);
    connect.Wait("the client page",
                 [&] { return IsWindowVisible(connect.Item(IDC_LAN_CMDCONNECT)); });
    for (int i = 0; i < 4; ++i)
        SetWindowTextW(connect.Item(IDC_LAN_TXTHOST0 + i), i == 0 ? L"127" : i == 3 ? L"1" : L"0");
    connect.Click(IDC_LAN_CMDCONNECT);
    // Each side's chat opens as its game starts, while the dialogs are still going.
    std::optional<Dialog> hostChat, clientChat;
    {
        Dialog ask(host, kAcceptTitle);
        Check(ask.Message().starts_with(kAcceptQuestion + kClientName + L" ("),
              Describe(ask.Hwnd()) + " does not ask about " + Narrow(kClientName));
        ask.Click(IDYES);
        hostChat.emplace(host, kChatTitle);
        Dialog accepted(client, kAcceptedTitle);
        Check(accepted.Message() == kAccepted, Describe(accepted.Hwnd()));
        accepted.Click(IDOK);
        clientChat.emplace(client, kChatTitle);
    }
    // The dialogs hide, keeping the connection for the whole session.
    for (Dialog* d : {&*hostDialog, &*clientDialog})
        d->Wait("the network dialog to hide", [d] { return !IsWindowVisible(d->Hwnd()); });
    // Both boards stand in the same place; the chats go below them, off the cards.
    SetWindowPos(hostChat->Hwnd(), nullptr, 0, 545, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(clientChat->Hwnd(), nullptr, 440, 545, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    // The host drew who begins; whoever it is finds every pair and so keeps the turn.
    const std::wstring first = host.WaitForPanel(1, {Turn(kHostName), Turn(kClientName)});
    const bool hostMoves = first == Turn(kHostName);
    Quillon& mover = hostMoves ? host : client;
    Quillon& watcher = hostMoves ? client : host;
    const std::wstring& moverName = hostMoves ? kHostName : kClientName;
    watcher.WaitForPanel(1, {first});

    SetWindowTextW(clientChat->Item(IDC_CHAT_TXTSEND), L"good luck");
    clientChat->Click(IDC_CHAT_CMDSEND);
    WaitForChatLine(host, *hostChat, L"<" + kClientName + L"> good luck");
    SetWindowTextW(hostChat->Item(IDC_CHAT_TXTSEND), L"thanks");
    hostChat->Click(IDC_CHAT_CMDSEND);
    WaitForChatLine(client, *clientChat, L"<" + kHostName + L"> thanks");

    // Each card is watched on the other board from the click that reveals it: the time the
    // peer adds to a reveal, printed for tools/measure_network_latency.sh.
    std::vector<double> latencies;
    for (int pair = 0; pair < kPairs; ++pair) {
        Raise(watcher);  // the screen shows the board under test
        const Card a = DealPosition(2 * pair), b = DealPosition(2 * pair + 1);
        for (const Card card : {a, b}) {
            mover.Reveal(card);
            latencies.push_back(watcher.TimeUntilLook(card, Look::Face, Clock::now()));
        }
        if (pair == 12) s.Screenshot("-both-boards");
        // Both boards show the pair for the reveal delay; a click in it would wait for its end.
        mover.WaitUntilResponsive();
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("reveal to the other board: median %.1f ms, worst %.1f ms over %zu reveals\n",
                latencies[latencies.size() / 2], latencies.back(), latencies.size());
    // The next game follows within moments: the chat keeps the result where the status bar
    // does not.
    WaitForChatLine(host, *hostChat, Wins(moverName));
    WaitForChatLine(client, *clientChat, Wins(moverName));
    CheckProfile(hostMoves ? s : clientFolder, {{1, 1, 0, 0, kPairs}});
    CheckProfile(hostMoves ? clientFolder : s, {{1, 0, 1, 0, 0}});

    // The next game follows with the same opponent, dealt by the host again.
    for (Quillon* q : {&host, &client}) {
        Raise(*q);
        q->WaitForBoard(Look::Back, "in the next game");
    }
    WaitForChatLine(host, *hostChat, kStartingNewGame, 2);
    WaitForChatLine(client, *clientChat, kStartingNewGame, 2);
    s.Screenshot("-next-game");

    host.Quit();  // abandons the running game and says goodbye
    Answer(client, kDisconnectedTitle, kDisconnected, IDOK);
    client.Quit();
}

}  // namespace quillon::e2e

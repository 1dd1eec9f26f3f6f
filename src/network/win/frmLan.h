#pragma once
// The network dialog "Start Internet Play": one player hosts (listens on a port), the other
// connects to the host's address; after the handshake the dialog hides and keeps the connection
// for the whole session, the engine, the board's keep-alive and the chat sending through it.
// What the peer sends is read by the portable link, which applies only what the session allows.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/game_host.h"
#include "network/lan_link.h"
#include "network/win/frmChat.h"
#include "network/win/lan_socket.h"
#include "shell/win/app_context.h"
#include "ui/win/dialog_base.h"
#include "ui/win/tab_pages.h"

namespace quillon::win {

// What the network dialog needs of the board window.
class ILanBoard {
  public:
    virtual ~ILanBoard() = default;
    // Starts a network game (the dialog is loaded and connected).
    virtual void Lan_NewGame() = 0;
    // Abandons the current game without asking; the board unloads the chat and this dialog.
    virtual void Lan_AbandonGame() = 0;
    // The current network game, null when there is none.
    virtual ILanGame* Lan_CurrentGame() = 0;
    // True while a call into the engine runs (a report may be open inside it).
    virtual bool Lan_EngineBusy() const = 0;
    virtual void Lan_ShowChat() = 0;
    virtual void Lan_ChatAdd(const std::string& sLine) = 0;
    virtual void Lan_EnablePing() = 0;
};

class frmLan final : public DialogBase, public INetworkLink, public IChatLink, private ILanHost {
  public:
    frmLan(const AppContext& context, ILanBoard& board);
    ~frmLan() override;

    // Form_Load: creates the dialog, hidden, owned by hOwner.
    bool Load(HWND hOwner);
    // Shows the dialog modally over its owner until the handshake hides it or it is unloaded.
    void ShowModal();
    bool Loaded() const { return Hwnd() != nullptr; }
    bool Connected() const {
        return m_socket && m_socket->GetState() == LanSocket::State::Connected;
    }
    // Form_Unload: stores the nickname and the address, says goodbye during a game, closes.
    void Unload();

    // Begins a network game with the opponent sName (the next one with the same opponent when
    // empty).
    void Start_Game(const std::string& sName = {});
    // tmrPing's tick: the keep-alive during a game, and, when bMayEndGame, the end of a silent
    // peer's game.
    void Ping(uint32_t lTick, bool bMayEndGame);
    // A network game exists now.
    void GameCreated(uint32_t lTick) { m_link.GameCreated(lTick); }

    // INetworkLink
    bool IsHost() const override;
    void SendData(const std::string& sData) override;
    std::string OpponentName() const override;
    std::string LocalName() const override { return Nickname(); }

    // IChatLink (SendData above)
    std::string Nickname() const override;

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Form_Load's steps and the controls' rules
    void Form_Load();
    void SetNumericStyle(int lId, bool bNumeric);
    void UpdateControls();
    void AllowConnect(bool bAllowed);
    void txtHost_Change(int lIndex);
    void chkIsHost_Click();
    void cmdConnect_Click();
    INT_PTR OnCommand(int lId, int lCode);

    // The socket
    void Socket_Listen();
    void Socket_Connect(const std::string& sHost);
    void OnSocket(WPARAM socket, LPARAM lParam);
    void DataArrival();
    void sckTransfer_Error(int lNumber);
    // A procedure that reports its own failures as "frmLan::<sProcedure>"; true when it ran
    // to its end.
    bool Handled(const char* sProcedure, const std::function<void()>& body);

    // ILanHost: what the link asks of the dialog
    bool Lan_AskAccept(const std::string& sName, const std::string& sIp) override;
    void Lan_Notice(LanNotice eNotice) override;
    void Lan_Send(const std::string& sMessage) override { SendData(sMessage); }
    std::string Lan_Nickname() const override;
    void Lan_StartGame(const std::string& sOpponent) override { Start_Game(sOpponent); }
    void Lan_ListenAgain() override { Socket_Listen(); }
    void Lan_CloseSocket() override;
    void Lan_ChatAdd(const std::string& sLine) override;
    void Lan_AbandonGame() override { m_board.Lan_AbandonGame(); }
    void Lan_Report(const QuillonError& error) override;
    ILanGame* Lan_Game() override { return m_board.Lan_CurrentGame(); }

    // The four address boxes joined with ".".
    std::string HostAddress() const;
    bool IsChecked(int lId) const;

    AppContext m_context;
    ILanBoard& m_board;
    ScopedWinsock m_winsock;
    std::optional<LanSocket> m_socket;  // made with the window that receives its events
    LanLink m_link{*this};
    TabPages m_tabs;
    HWND m_hTip = nullptr;
    bool m_bGuard = false;          // a failed listen is unchecking the host box
    bool m_bConnectAllowed = true;  // the field rules' word on "Co&nnect"
};

}  // namespace quillon::win

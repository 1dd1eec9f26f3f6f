#pragma once
// The receiving half of the network dialog, free of sockets and windows: bytes from the peer are
// cut into pieces, read, judged against the session's state and the current game, and applied
// through the host (the dialog, the board and the game). Whatever the peer sends, nothing it
// says reaches the game unless the rules allow it, and what it says is cleaned before it is
// shown.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "network/lan_framing.h"
#include "network/lan_message.h"
#include "network/lan_session.h"
#include "shell/error_report.h"

namespace quillon {

// The current network game as the link drives it.
class ILanGame : public ILanGameView {
  public:
    virtual void Game_DeckReceive(std::string_view sDeck) = 0;
    virtual void Game_StartPlayer() = 0;
    virtual void Card_Flip(int32_t lX, int32_t lY) = 0;
};

// Notices shown to the player; each has its fixed text and title on the platform side.
enum class LanNotice {
    Accepted,       // "Game was accepted."
    Refused,        // "Game was refused."
    Disconnected,   // "Player disconnected."
    InvalidMove,    // "The other player sent an invalid move."
    TooLong,        // "The other player sent a message that is too long."
    ConnectionLost  // "Connection seems to have been lost."
};

class ILanHost {
  public:
    virtual ~ILanHost() = default;
    // Host: may this player join? (the question "Do you wish to play against ...")
    virtual bool Lan_AskAccept(const std::string& sName, const std::string& sIp) = 0;
    virtual void Lan_Notice(LanNotice eNotice) = 0;
    virtual void Lan_Send(const std::string& sMessage) = 0;
    virtual std::string Lan_Nickname() const = 0;
    virtual void Lan_StartGame(const std::string& sOpponent) = 0;
    virtual void Lan_ListenAgain() = 0;
    virtual void Lan_CloseSocket() = 0;
    virtual void Lan_ChatAdd(const std::string& sLine) = 0;
    virtual void Lan_AbandonGame() = 0;
    // A piece that could not be read outside a game: reported, the rest of the receive dropped.
    virtual void Lan_Report(const QuillonError& error) = 0;
    // The current game while a network game runs (or has just ended), null otherwise.
    virtual ILanGame* Lan_Game() = 0;
};

class LanLink {
  public:
    explicit LanLink(ILanHost& host) : m_host(host) {}

    LanSession& Session() { return m_session; }
    const std::string& OpponentName() const { return m_sOpponentName; }
    void SetOpponentName(std::string_view sName);

    // A new connection (or none): the stream and what was kept start afresh.
    void Reset(LanPhase ePhase, bool bHost);
    void DataArrival(std::string_view sBytes, uint32_t lTick);
    // The peer closed the connection: its unterminated last piece still counts.
    void ConnectionClosed();
    // A network game exists now: the silence is counted from here, and on the client what was
    // kept for this game is applied.
    void GameCreated(uint32_t lTick);
    // The keep-alive's tick: true when the peer has been silent during a game for too long; the
    // link has then told the player and abandoned the game.
    bool CheckSilence(uint32_t lTick);

  private:
    void Process();
    // Each returns false when the rest of what was received must be dropped.
    bool Handle(const std::string& sPiece);
    bool Dispatch(const LanMessage& message);
    bool Apply(const LanMessage& message);
    bool RunningGame();
    void EndSession(LanNotice eNotice);

    ILanHost& m_host;
    LanSession m_session;
    LanFramer m_framer;
    std::deque<std::string> m_pending;
    bool m_bBusy = false;
    std::string m_sOpponentName;
};

}  // namespace quillon

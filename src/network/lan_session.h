#pragma once
// Where a network session stands and which of the peer's messages it may apply. The peer is not
// trusted: a message is applied only in the state that expects it; a game move that the rules
// do not allow ends the network game, so the two boards never disagree silently. Messages of
// the next game that arrive while the previous one is still on the board are kept for it.

#include <cstdint>
#include <deque>

#include "network/lan_message.h"

namespace quillon {

enum class LanPhase {
    Closed,
    Listening,      // host, waiting for a connection
    AwaitingHello,  // host, connected, waiting for the client's "+HELLO"
    Connecting,     // client, connection under way
    HelloSent,      // client, waiting for "+ACCEPTED=" or "+REFUSED"
    Playing,        // both sides agreed; games follow one another
};

enum class LanVerdict {
    Apply,
    Ignore,   // not for this state, and harmless: dropped
    Keep,     // belongs to the client's next game: held until it exists
    Invalid,  // a move the rules do not allow during a running game: the game must end
};

// The current game as the session needs to see it.
class ILanGameView {
  public:
    virtual ~ILanGameView() = default;
    virtual bool IsOver() const = 0;
    virtual bool WaitsForDeal() const = 0;
    // Dealt, and no card turned yet.
    virtual bool JustDealt() const = 0;
    virtual bool IsPeerTurn() const = 0;
    // On the board, face down and not already turned up in this turn.
    virtual bool CanReveal(int32_t lX, int32_t lY) const = 0;
};

inline constexpr uint32_t kLanSilenceLimit = 30000;  // three keep-alive periods, in ms

class LanSession {
  public:
    LanPhase Phase() const { return m_ePhase; }
    bool IsHost() const { return m_bHost; }
    void SetPhase(LanPhase ePhase, bool bHost);

    // What to do with a message from the peer; pGame is the current game, null when none.
    LanVerdict Judge(const LanMessage& message, const ILanGameView* pGame) const;
    // Holds a message that Judge said to keep; the next game takes them with TakeKept.
    void Keep(const LanMessage& message);
    std::deque<LanMessage> TakeKept();

    // Silence of the peer, in the 32-bit tick counts of the system (they wrap).
    void Heard(uint32_t lTick) { m_lLastHeard = lTick; }
    bool IsSilent(uint32_t lTick) const { return lTick - m_lLastHeard >= kLanSilenceLimit; }

  private:
    LanVerdict JudgeMove(const LanMessage& message, const ILanGameView& game) const;
    LanVerdict JudgeForNextGame(const LanMessage& message) const;

    LanPhase m_ePhase = LanPhase::Closed;
    bool m_bHost = false;
    std::deque<LanMessage> m_kept;
    uint32_t m_lLastHeard = 0;
};

}  // namespace quillon

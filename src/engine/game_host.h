#pragma once
// What the engine needs from around it: the board window (timers, the "Do not shuffle deck"
// flag, drawing surfaces, pauses, the tick count), the network dialog and the chat; and the
// events it raises back to the board window.

#include <cstdint>
#include <string>

namespace quillon {

class ICanvas;

// The board window's drawing handles. A headless host leaves them null and nothing is drawn.
struct CardSurfaces {
    ICanvas* pBoard = nullptr;
    const ICanvas* pBack = nullptr;
    const ICanvas* pBackInv = nullptr;
    const ICanvas* pMask = nullptr;
    const ICanvas* pBorder = nullptr;
    const ICanvas* pCardSet = nullptr;
};

class IBoardHost {
  public:
    virtual ~IBoardHost() = default;
    virtual bool DoNotShuffle() const = 0;
    virtual void EnableCompTimer() = 0;      // tmrKillCompStack
    virtual void EnableKillGameTimer() = 0;  // tmrKillGame
    virtual uint32_t TickCount() const = 0;  // milliseconds, wraps like the system's
    virtual void Pause(int32_t lMilliseconds) = 0;
    virtual CardSurfaces Surfaces() = 0;
    // Repaints a rectangle of the board at once (Draw_Refresh).
    virtual void RefreshRect(int lX, int lY, int lW, int lH) = 0;
    // Moves the selection shape shpCursor.
    virtual void MoveSelectionShape(int lLeft, int lTop) = 0;
};

// The network dialog frmLan, as the engine sees it.
class INetworkLink {
  public:
    virtual ~INetworkLink() = default;
    virtual bool IsHost() const = 0;
    virtual void SendData(const std::string& sData) = 0;
    virtual std::string OpponentName() const = 0;  // m_OpponentName
    // The local player's nickname as this copy's dialog holds it. Two copies on one machine
    // share the stored "Player Lan Name", so the stored value cannot tell them apart.
    virtual std::string LocalName() const = 0;
};

// The chat window frmChat.
class IChat {
  public:
    virtual ~IChat() = default;
    virtual void Message_Add(const std::string& sText) = 0;
};

// Events of clsGame.
class IGameEvents {
  public:
    virtual ~IGameEvents() = default;
    virtual void Status(int32_t lPanel, const std::string& sMessage) = 0;
    virtual void GameEnd(bool bNoClear) = 0;
    // (lX1, lY1) is the second card of the turn, (lX2, lY2) the first.
    virtual void HideCards(bool bSetMemory, int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2,
                           bool bPairWasCreated) = 0;
};

}  // namespace quillon

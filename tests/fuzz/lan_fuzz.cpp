// Whatever a peer sends goes through the framing, the codec, the session's judgement and the
// link without a crash, an unbounded buffer, or a move reaching a game that does not allow it.
//
// Input: byte 0 chooses the session's phase and side, byte 1 the game the link sees and the
// host's answer; the rest is the stream, cut into receives at every 0x01 byte.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "network/lan_link.h"

namespace {

using namespace quillon;

void Check(bool bCondition) {
    if (!bCondition) std::abort();
}

struct FuzzGame : ILanGame {
    uint8_t lFlags = 0;
    bool IsOver() const override { return lFlags & 1; }
    bool WaitsForDeal() const override { return lFlags & 2; }
    bool JustDealt() const override { return lFlags & 4; }
    bool IsPeerTurn() const override { return lFlags & 8; }
    bool CanReveal(int32_t lX, int32_t lY) const override {
        return (lFlags & 16) && lX >= 0 && lX < 10 && lY >= 0 && lY < 5;
    }
    void Game_DeckReceive(std::string_view sDeck) override {
        Check(WaitsForDeal() && !IsOver());
        if (sDeck.size() % 3 == 0) throw QuillonError(ErrInvalidCall, "bad deck");
        lFlags = static_cast<uint8_t>((lFlags & ~2) | 4);
    }
    void Game_StartPlayer() override { Check(JustDealt() && !IsOver()); }
    void Card_Flip(int32_t lX, int32_t lY) override {
        Check(CanReveal(lX, lY) && IsPeerTurn() && !IsOver());
        lFlags = static_cast<uint8_t>(lFlags & ~4);
    }
};

struct FuzzHost : ILanHost {
    FuzzGame game;
    bool bHasGame = false;
    bool bAccept = false;
    LanLink link{*this};

    bool Lan_AskAccept(const std::string& sName, const std::string& sIp) override {
        Check(sName.size() <= kMaxLanName && sIp.size() <= 15);
        return bAccept;
    }
    void Lan_Notice(LanNotice) override {}
    void Lan_Send(const std::string&) override {}
    std::string Lan_Nickname() const override { return "Fuzz"; }
    void Lan_StartGame(const std::string& sOpponent) override {
        Check(sOpponent.size() <= kMaxLanName);
        bHasGame = true;
        link.GameCreated(0);
    }
    void Lan_ListenAgain() override {}
    void Lan_CloseSocket() override {}
    void Lan_ChatAdd(const std::string& sLine) override {
        Check(sLine.size() <= kMaxChatLine + kMaxLanName + 3);
        for (const char c : sLine) Check(static_cast<unsigned char>(c) >= 0x20);
    }
    void Lan_AbandonGame() override { bHasGame = false; }
    void Lan_Report(const QuillonError&) override {}
    ILanGame* Lan_Game() override { return bHasGame ? &game : nullptr; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize) {
    if (lSize < 2) return 0;
    FuzzHost host;
    host.link.Reset(static_cast<LanPhase>(pData[0] % 6), pData[0] & 0x80);
    host.game.lFlags = pData[1];
    host.bHasGame = !(pData[1] & 0x80);
    host.bAccept = pData[1] & 0x40;

    const std::string_view sStream(reinterpret_cast<const char*>(pData + 2), lSize - 2);
    for (size_t lStart = 0; lStart <= sStream.size();) {
        const size_t lEnd = std::min(sStream.find('\x01', lStart), sStream.size());
        host.link.DataArrival(sStream.substr(lStart, lEnd - lStart), 0);
        lStart = lEnd + 1;
    }
    host.link.ConnectionClosed();
    return 0;
}

// The link between the socket and the game: what it asks of its host for each piece the peer
// sends, and the engine's game as the link sees it.

#include "network/lan_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/deck.h"
#include "engine/game_rig.h"
#include "network/lan_game.h"

namespace quillon {
namespace {

using namespace std::string_literals;

struct FakeGame : ILanGame {
    bool bOver = false, bWaits = true, bJustDealt = false, bPeerTurn = true;
    std::vector<std::string>& log;
    explicit FakeGame(std::vector<std::string>& l) : log(l) {}
    bool IsOver() const override { return bOver; }
    bool WaitsForDeal() const override { return bWaits; }
    bool JustDealt() const override { return bJustDealt; }
    bool IsPeerTurn() const override { return bPeerTurn; }
    bool CanReveal(int32_t lX, int32_t lY) const override {
        return lX >= 0 && lX < 10 && lY >= 0 && lY < 5;
    }
    void Game_DeckReceive(std::string_view sDeck) override {
        if (sDeck == "bad") throw QuillonError(ErrInvalidCall, "bad deck");
        log.push_back("deck " + std::string(sDeck));
        bWaits = false;
        bJustDealt = true;
    }
    void Game_StartPlayer() override {
        log.push_back("you start");
        bPeerTurn = false;
    }
    void Card_Flip(int32_t lX, int32_t lY) override {
        log.push_back("flip " + std::to_string(lX) + "," + std::to_string(lY));
        bJustDealt = false;
    }
};

// Records what the link asks of the dialog, the board and the game, in order.
struct FakeHost : ILanHost {
    std::vector<std::string> log;
    FakeGame game{log};
    bool bHasGame = false;
    bool bAccept = true;
    std::function<void()> whileAsking;  // what arrives while a question or notice is shown
    LanLink link{*this};

    bool Lan_AskAccept(const std::string& sName, const std::string& sIp) override {
        log.push_back("ask " + sName + " (" + sIp + ")");
        if (whileAsking) std::exchange(whileAsking, nullptr)();
        return bAccept;
    }
    void Lan_Notice(LanNotice eNotice) override {
        log.push_back("notice " + std::to_string(static_cast<int>(eNotice)));
        if (whileAsking) std::exchange(whileAsking, nullptr)();
    }
    void Lan_Send(const std::string& sMessage) override { log.push_back("send " + sMessage); }
    std::string Lan_Nickname() const override { return "Host"; }
    void Lan_StartGame(const std::string& sOpponent) override {
        log.push_back("start " + sOpponent);
        bHasGame = true;
        link.GameCreated(0);
    }
    void Lan_ListenAgain() override { log.push_back("listen"); }
    void Lan_CloseSocket() override { log.push_back("close"); }
    void Lan_ChatAdd(const std::string& sLine) override { log.push_back("chat " + sLine); }
    void Lan_AbandonGame() override {
        log.push_back("abandon");
        bHasGame = false;
    }
    void Lan_Report(const QuillonError& error) override {
        log.push_back("report " + std::string(error.what()));
    }
    ILanGame* Lan_Game() override { return bHasGame ? &game : nullptr; }

    void Receive(std::string_view sBytes) { link.DataArrival(sBytes, 0); }
};

using Log = std::vector<std::string>;
const std::string kInvalid = "notice " + std::to_string(static_cast<int>(LanNotice::InvalidMove));
const std::string kGone = "notice " + std::to_string(static_cast<int>(LanNotice::Disconnected));

TEST(LanLinkTest, HostAcceptsACleanedNameAndStartsTheGame) {
    FakeHost h;
    h.link.Reset(LanPhase::AwaitingHello, true);
    h.Receive("+HELLO+IP=10.0.0.2+NAME=\x1b[1mAnn+Marie-Louise-de-Bourbon\0MSG=hi\0"s);
    EXPECT_EQ(h.log, (Log{"ask [1mAnn+Marie-Louise- (10.0.0.2)", "send +ACCEPTED=Host",
                          "start [1mAnn+Marie-Louise-", "chat <[1mAnn+Marie-Louise-> hi"}));
    EXPECT_EQ(h.link.Session().Phase(), LanPhase::Playing);
}

TEST(LanLinkTest, HostRefusesAndListensAgainDroppingTheRest) {
    FakeHost h;
    h.bAccept = false;
    h.link.Reset(LanPhase::AwaitingHello, true);
    h.Receive("+HELLO+IP=1.2.3.4+NAME=Bob\0MSG=hi\0"s);
    EXPECT_EQ(h.log, (Log{"ask Bob (1.2.3.4)", "send +REFUSED", "listen"}));
}

// The host deals at once; the client reads the deal while "Game was accepted." is on screen.
TEST(LanLinkTest, ClientAppliesWhatArrivesDuringTheNoticeAfterItsGameExists) {
    FakeHost h;
    h.link.Reset(LanPhase::HelloSent, false);
    h.whileAsking = [&] { h.Receive("+DECK=1;1\0+YOU_START\0"s); };
    h.Receive("+OK\0+ACCEPTED=Zed\0"s);
    EXPECT_EQ(h.log, (Log{"notice 0", "send +OK", "start Zed", "deck 1;1", "you start"}));
    EXPECT_EQ(h.link.OpponentName(), "Zed");
}

TEST(LanLinkTest, AnIllegalMoveEndsTheRunningGameAndDropsTheRest) {
    struct Case {
        std::string sBytes;
        Log expected;
    };
    const Case cases[] = {
        {"+REVEAL{10;0}\0+REVEAL{1;1}\0"s, {kInvalid, "close", "abandon"}},
        {"+REVEAL{x;0}\0"s, {kInvalid, "close", "abandon"}},
        {"+DECK=bad\0"s, {kInvalid, "close", "abandon"}},
        {"+REVEAL{2;3}\0+REVEAL{2;4}\0"s, {"flip 2,3", "flip 2,4"}},
    };
    for (const Case& c : cases) {
        FakeHost h;
        h.link.Reset(LanPhase::Playing, false);
        h.bHasGame = true;
        h.game.bWaits = false;
        h.Receive(c.sBytes);
        EXPECT_EQ(h.log, c.expected) << c.sBytes;
    }
}

TEST(LanLinkTest, AnUnreadablePieceOutsideAGameIsReported) {
    FakeHost h;
    h.link.Reset(LanPhase::AwaitingHello, true);
    h.Receive("+HELLO+IP=1.2.3.4\0+HELLO+IP=1.2.3.4+NAME=x\0"s);
    EXPECT_EQ(h.log, (Log{"report Hello message without a name"}));
}

TEST(LanLinkTest, APeerThatLeavesEndsTheGameOnce) {
    for (const std::string& sLast : {"+DISCONNECT"s, "+DISCONNECT\0"s, "MSG=bye\0"s}) {
        FakeHost h;
        h.link.Reset(LanPhase::Playing, true);
        h.bHasGame = true;
        h.Receive(sLast);
        h.link.ConnectionClosed();
        const Log tail(h.log.end() - 3, h.log.end());
        EXPECT_EQ(tail, (Log{kGone, "close", "abandon"})) << sLast;
        EXPECT_EQ(std::count(h.log.begin(), h.log.end(), kGone), 1) << sLast;
    }
}

TEST(LanLinkTest, TheNextGamesMessagesWaitForItInOrder) {
    FakeHost h;
    h.link.Reset(LanPhase::Playing, false);
    h.bHasGame = true;
    h.game.bOver = true;
    h.Receive("+DECK=4;4\0+YOU_START\0"s);
    EXPECT_TRUE(h.log.empty()) << "never applied to the finished game";
    h.game.bOver = false;
    h.link.GameCreated(0);
    EXPECT_EQ(h.log, (Log{"deck 4;4", "you start"}));
}

TEST(LanLinkTest, AFloodOrASilentPeerEndsTheSession) {
    FakeHost flood;
    flood.link.Reset(LanPhase::Playing, true);
    flood.bHasGame = true;
    flood.Receive(std::string(kMaxLanTail + 1, 'x'));
    EXPECT_EQ(flood.log, (Log{"notice 4", "close", "abandon"}));

    FakeHost silent;
    silent.link.Reset(LanPhase::Playing, true);
    silent.link.DataArrival("+OK\0"s, 1000);
    EXPECT_FALSE(silent.link.CheckSilence(1000 + kLanSilenceLimit)) << "no game, nothing to lose";
    silent.bHasGame = true;
    EXPECT_FALSE(silent.link.CheckSilence(1000 + kLanSilenceLimit - 1));
    EXPECT_TRUE(silent.link.CheckSilence(1000 + kLanSilenceLimit));
    EXPECT_EQ(silent.log, (Log{"notice 5", "close", "abandon"}));
}

TEST(LanLinkTest, ChatLinesAreCleanedAndCut) {
    FakeHost h;
    h.link.Reset(LanPhase::Playing, true);
    h.link.SetOpponentName("Bo\r\nb");
    h.Receive("MSG=  a\tb\x7f\xEB\0MSG_NEUTRAL=\x07ring\0MSG="s + std::string(300, 'z') + "\0"s);
    EXPECT_EQ(h.log,
              (Log{"chat <Bob>   ab\xEB", "chat ring", "chat <Bob> " + std::string(255, 'z')}))
        << "code-page letters stay";
}

// The engine's game as the link sees it: what the peer may turn, and when.
TEST(LanGameTest, ThePeerMayTurnOnlyAFaceDownCardOnItsTurnOnceDealt) {
    test::GameRig rig;
    rig.lan.bHost = false;
    rig.Deal(GameNetwork);
    rig.FinishTurnsAtOnce();
    rig.game->Game_StartCheck();
    int lDepth = 0;
    LanGame view(*rig.game, lDepth);
    EXPECT_TRUE(view.WaitsForDeal());
    Deck deck{};
    for (int32_t k = 0; k < kCards; ++k) deck[k] = k / 2;  // the dealing order's pairs
    view.Game_DeckReceive(FormatDeck(deck).substr(6));
    EXPECT_TRUE(view.JustDealt() && view.IsPeerTurn() && !view.IsOver());
    view.Card_Flip(0, 0);
    EXPECT_FALSE(view.JustDealt());
    EXPECT_FALSE(view.CanReveal(0, 0)) << "already up";
    EXPECT_FALSE(view.CanReveal(10, 0));
    view.Card_Flip(0, 1);  // a pair: the peer plays again
    EXPECT_FALSE(view.CanReveal(0, 1)) << "paired";
    EXPECT_TRUE(view.CanReveal(0, 2) && view.IsPeerTurn());
    EXPECT_EQ(lDepth, 0);
    rig.PlayPairsFrom(1);
    EXPECT_TRUE(view.IsOver());
}

}  // namespace
}  // namespace quillon

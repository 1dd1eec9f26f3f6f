// Whole games through menus, board and status bar, then what the program kept: the pieces wired
// together. Every status text, score and profile rule is the native tests' business.

#include <cstdio>

#include "driver.h"
#include "profiles/win/frmStatistics_ids.h"

namespace quillon::e2e {

using namespace text;

namespace {

const std::wstring kAnn = L"Ann", kBob = L"Bob", kComputer = L"Computer";

// Reveals two cards, the second once the first shows its face.
void RevealTwo(Quillon& q, Card a, Card b) {
    q.Reveal(a);
    q.WaitForLook({a}, Look::Face);
    q.Reveal(b);
}

// Ann's and the computer's pairs in the score panel.
std::optional<std::pair<int, int>> VsScore(const std::optional<std::wstring>& text) {
    int ann = 0, computer = 0;
    if (!text ||
        std::swscanf(text->c_str(), L"Ann : %d pairs / Computer : %d pairs", &ann, &computer) != 2)
        return std::nullopt;
    return std::pair{ann, computer};
}

}  // namespace

void FindPairByMouse(Quillon& q, Card a, Card b) {
    RevealTwo(q, a, b);
    q.WaitForPanel(1, {kWaiting});
    q.Click();
}

void PlayUnshuffledAlone(Quillon& q, const std::function<void(Card, Card)>& findPair) {
    DealUnshuffled(q);
    StartGame(q, OnePlayer);
    q.WaitForPanel(1, {kSingle});
    q.WaitForPanel(2, {Pairs(0)});
    q.WaitForBoard(Look::Back, "after the deal");
    for (int pair = 0; pair < kPairs; ++pair) {
        findPair(DealPosition(2 * pair), DealPosition(2 * pair + 1));
        q.WaitForPanel(1, {pair + 1 < kPairs ? kSingle : kGameOver});
    }
    q.WaitForPanel(2, {Pairs()});
    q.WaitForBoard(Look::Face, "at the end of the game");
}

namespace {

// Alone after a first start that named both players, the deck in its dealt order, every pair
// found at once: a click in every column reaches the engine, the board and both panels follow,
// and the game lands in the profile.
void SoloGame(Scenario& s) {
    Store(SettingClock, 1);
    Quillon& q = s.Start();
    for (const SettingId name : {SettingPlayer1Name, SettingPlayer2Name})
        Check(std::holds_alternative<std::string>(Stored(name)) &&
                  Stored(name) != RegValue(std::string()),
              "the first start gave a player no name");
    PlayUnshuffledAlone(q, [&q](Card a, Card b) { FindPairByMouse(q, a, b); });
    s.Screenshot();
    WaitForGameCommands(q, false);
    q.Quit();
    CheckProfile(s, {{1, 0, 0, 1, kPairs}});
    CheckStored(SettingLastGame, int32_t{OnePlayer});
}

// Two named players, the game type kept from the last run: the pointer marks a card, a miss
// waits for a click and passes the turn, a pair scores and keeps it; Abandon asks, No goes on,
// Yes clears the board and keeps no result.
void TwoPlayersGame(Scenario& s) {
    Store(SettingClock, 1);
    Store(SettingPlayer1Name, std::string("Ann"));
    Store(SettingPlayer2Name, std::string("Bob"));
    Store(SettingLastGame, int32_t{TwoPlayers});
    Quillon& q = s.Start();
    WaitForGameType(q, TwoPlayers);
    DealUnshuffled(q);
    q.Choose({kFile, kNewGame});
    const std::wstring second =
        q.WaitForPanel(1, {Turn(kAnn), Turn(kBob)}) == Turn(kAnn) ? kBob : kAnn;
    q.WaitForPanel(2, {Score(kAnn, 0, kBob, 0)});

    const Card a{0, 0}, match{0, 1}, miss{0, 2}, pointed{5, 3};
    q.MoveOnto(pointed);
    q.WaitForLook({pointed}, Look::MarkedBack);
    RevealTwo(q, a, miss);
    q.WaitForPanel(1, {kWaiting});
    q.WaitForLook({pointed}, Look::Back);
    s.Screenshot("-miss");
    q.Click();
    q.WaitForPanel(1, {Turn(second)});
    q.WaitForLook({a, miss}, Look::Back);

    RevealTwo(q, a, match);
    q.WaitForPanel(1, {kWaiting});
    q.Click();
    q.WaitForPanel(1, {Again(second)});
    q.WaitForPanel(2, {second == kAnn ? Score(kAnn, 1, kBob, 0) : Score(kAnn, 0, kBob, 1)});
    q.WaitForLook({a, match}, Look::Face);
    s.Screenshot();

    q.Choose({kFile, kAbandon});
    Answer(q, kAbandonTitle, kAbandonQuestion, IDNO);
    WaitForGameCommands(q, true);
    q.Choose({kFile, kAbandon});
    Answer(q, kAbandonTitle, kAbandonQuestion, IDYES);
    WaitForGameCommands(q, false);
    q.Wait("the status panels to be empty",
           [&] { return q.Panel(1) == L"" && q.Panel(2) == L"" && q.Panel(3) == L""; });
    q.WaitForBoard(Look::Empty, "after the game was abandoned");
    q.Quit();
    CheckProfile(s, {});
}

// Against the computer at its best memory, with no wait for a click: the person misses once so
// that the computer plays, then finds a pair each turn. Both sides' results, and the level's,
// land in the profile as the score showed them.
void VsComputerGame(Scenario& s) {
    Store(SettingWaitForClick, 0);
    Store(SettingClock, 1);
    Store(SettingAIMemory, 100);
    Store(SettingPlayer1Name, std::string("Ann"));
    Quillon& q = s.Start();
    DealUnshuffled(q);
    StartGame(q, VsComputer);
    bool missed = false;
    std::wstring state;
    for (;;) {
        state = q.WaitForPanel(1, {Turn(kAnn), Again(kAnn), Wins(kAnn), Wins(kComputer)});
        if (state == Wins(kAnn) || state == Wins(kComputer)) break;
        const auto before = VsScore(q.Panel(2));
        Check(before.has_value(), "the score panel reads " + Quote(q.Panel(2).value_or(L"")));
        // In the person's turn the pairs still face down are the ones nobody found.
        const Image board = q.CaptureClient();
        std::vector<int> left;
        for (int p = 0; p < kPairs; ++p)
            if (q.LookOf(board, DealPosition(2 * p)) == Look::Back &&
                q.LookOf(board, DealPosition(2 * p + 1)) == Look::Back)
                left.push_back(p);
        Check(!left.empty(),
              "no pair left face down in the person's turn:" + q.DescribeBoard(board));
        if (!missed && left.size() > 1) {
            missed = true;
            const Card a = DealPosition(2 * left[0]);
            RevealTwo(q, a, DealPosition(2 * left[1]));
            // Both turn back by themselves and the computer plays: the first stays down unless
            // the computer scores.
            q.Wait("the turn to pass", [&] {
                const auto now = VsScore(q.Panel(2));
                return q.LookOf(q.CaptureClient(), a) == Look::Back || (now && now != before);
            });
            continue;
        }
        RevealTwo(q, DealPosition(2 * left[0]), DealPosition(2 * left[0] + 1));
        std::optional<std::wstring> score;
        q.Wait(
            "the person's score to grow by one",
            [&] {
                const auto now = VsScore(score = q.Panel(2));
                return now && now->first == before->first + 1 && now->second == before->second;
            },
            [&] { return Quote(score.value_or(L"no answer")); });
    }
    const auto final = VsScore(q.Panel(2));
    Check(final && final->first + final->second == kPairs,
          "the final score does not add up to 25 pairs: " + Quote(q.Panel(2).value_or(L"")));
    const bool annWon = state == Wins(kAnn);
    Check(annWon == (final->first > final->second), Narrow(state) + " does not match the score");
    q.WaitForBoard(Look::Face, "at the end of the game");
    s.Screenshot();
    q.Quit();
    CheckProfile(s, {{1, annWon, !annWon, 0, final->first},
                     {2, !annWon, annWon, 0, final->second},
                     {3 + 100, !annWon, annWon, 0, final->second}});
}

// The computer alone through a whole game, chosen from the menu; the statistics window shows
// the game the profile kept.
void ComputerAloneGame(Scenario& s) {
    Store(SettingClock, 1);
    Quillon& q = s.Start();
    StartGame(q, ComputerAlone);
    PlayComputerAloneToEnd(q);
    s.Screenshot();
    q.Choose({kTools, kStatistics});
    {
        Dialog statistics(q, kStatisticsTitle);
        statistics.ShowPage(IDC_STAT_TABBAR, L'c', 1);
        Check(statistics.Text(IDC_STAT_STAT3) == L"1",
              "the computer's games read " + Quote(statistics.Text(IDC_STAT_STAT3)));
        s.Screenshot("-statistics");
        statistics.ShowPage(IDC_STAT_TABBAR, L'g', 2);
        s.Screenshot("-graph");
        statistics.Close(IDOK);
    }
    q.Quit();
    CheckProfile(s, {{2, 0, 0, 1, kPairs}, {3 + 50, 0, 0, 1, kPairs}});
    CheckStored(SettingLastGame, int32_t{ComputerAlone});
}

// The demonstration mode of the command line: asked first, then non-stop play of the computer
// alone at its best memory, with only File > Quit in the menus.
void Autorun(Scenario& s) {
    Quillon& q = s.Start(L"/autorun 250");
    Answer(q, kAutorunTitle, kAutorunQuestion, IDYES);
    q.Wait(
        "the caption to end with " + Quote(kAutorunCaption),
        [&] { return q.Caption().ends_with(kAutorunCaption); }, [&] { return Quote(q.Caption()); });
    const Menu menu = q.ReadMenu();
    Check(menu.Describe() == "    \"&File\"\n        \"&Quit\"\n",
          "the autorun menus are more than File > Quit:\n" + menu.Describe());
    // Each game lands in the profile as it ends.
    q.Wait(
        "two games to end and a third to start",
        [&] { return s.Profile()[1].Games_Null == 2 && q.Panel(1) == kComputerPlaying; },
        [&] { return std::to_string(s.Profile()[1].Games_Null) + " games"; }, kLongGame);
    s.Screenshot();
    q.Quit();
    CheckProfile(s, {{2, 0, 0, 2, 2 * kPairs}, {3 + 100, 0, 0, 2, 2 * kPairs}});
}

}  // namespace

void OptionsScenario(Scenario& s);
void BrokenPictures(Scenario& s);
void NewCardSetScenario(Scenario& s);
void NetworkGame(Scenario& s);
void HostilePeer(Scenario& s);
void AboutScenario(Scenario& s);
void FeedbackScenario(Scenario& s);
void LibraryRepairScenario(Scenario& s);
void InternetUpdateScenario(Scenario& s);
void WholeUpdateScenario(Scenario& s);
void UpdateOutcomesScenario(Scenario& s);
void UpdateHalfwayScenario(Scenario& s);
void KeyboardGame(Scenario& s);
void BigBoard(Scenario& s);

const std::vector<ScenarioEntry>& AllScenarios() {
    static const std::vector<ScenarioEntry> all{
        {"solo_game", "a whole unshuffled game alone", SoloGame},
        {"keyboard_game", "a whole unshuffled game alone with the keyboard only", KeyboardGame},
        {"big_board", "the size the screen's scale gives, then a whole game at 200 %", BigBoard},
        {"two_players", "two players: a miss, a pair, then the game abandoned", TwoPlayersGame},
        {"vs_computer", "a whole game against the computer", VsComputerGame},
        {"computer_alone", "the computer alone, then the statistics window", ComputerAloneGame},
        {"autorun", "/autorun 250: confirmation, menus and non-stop play", Autorun},
        {"options", "every options page, OK, the next game; then Cancel, close box, Escape",
         OptionsScenario},
        {"broken_pictures", "a set that is gone and a back that is no picture", BrokenPictures},
        {"new_card_set", "a set made of 25 pictures from the options, then a game with it",
         NewCardSetScenario},
        {"network_game", "two copies over 127.0.0.1: handshake, a whole game, chat, next game",
         NetworkGame},
        {"hostile_peer", "a scripted peer that breaks the protocol, against host and client",
         HostilePeer},
        {"about", "Help > About: the components, the version, the license", AboutScenario},
        {"feedback", "Help > Submit Feedback to the maker's server, refused and unreachable",
         FeedbackScenario},
        {"internet_update",
         "Help > Internet Update from the local server: the log, a missing "
         "and a tampered descriptor",
         InternetUpdateScenario},
        {"whole_update",
         "a published update listed, installed, the program replaced after it "
         "closes",
         WholeUpdateScenario},
        {"update_outcomes", "updates with nothing newer, a newer product and a damaged file",
         UpdateOutcomesScenario},
        {"update_halfway", "a slow server gone in the middle of the downloads: Cancel, Exit",
         UpdateHalfwayScenario},
        {"library_repair", "the update library unregistered, then missing, mid-game",
         LibraryRepairScenario},
    };
    return all;
}

}  // namespace quillon::e2e

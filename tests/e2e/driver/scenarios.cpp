// The end-to-end scenarios: each works the program through its window as a person would and
// then checks what the program kept (registry, profile file).

#include <algorithm>

#include "options_scenarios.h"
#include "registry.h"
#include "scenario.h"
#include "statistics_scenario.h"

namespace quillon::e2e {

namespace {

constexpr int kPairs = 25;
constexpr milliseconds kLongGame{180000};
constexpr COLORREF kShapeRed = RGB(255, 0, 0);

const std::wstring kNewGame = L"&New Game\tCtrl+N";
const std::wstring kAbandon = L"&Abandon Game";
const std::wstring kSettings = L"&Settings";
const std::wstring kOnePlayer = L"1 Player\tCtrl+F1";
const std::wstring kTwoPlayers = L"2 Player\tCtrl+F2";
const std::wstring kVsComputer = L"1 Player vs Computer\tCtrl+F3";
const std::wstring kComputerAlone = L"Computer alone\tCtrl+F5";
const std::wstring kGameTypes[] = {kOnePlayer, kTwoPlayers, kVsComputer,
                                   L"2 Player (via Internet)\tCtrl+F4", kComputerAlone};
const std::wstring kWaiting = L"Waiting for click !";
const std::wstring kSingle = L"Single player game.";
const std::wstring kGameOver = L"Game over !";
const std::wstring kAllPairs = L"25 pairs formed out of 25";
const std::wstring kAbandonQuestion = L"Are you sure you wish to abandon this game ?";

std::wstring Score(const std::wstring& name1, int score1, const std::wstring& name2, int score2) {
    return name1 + L" : " + std::to_wstring(score1) + L" pairs / " + name2 + L" : " +
           std::to_wstring(score2) + L" pairs";
}

// "Ann : 3 pairs / Computer : 5 pairs" with the names known.
std::optional<std::pair<int, int>> ParseScore(const std::wstring& text, const std::wstring& name1,
                                              const std::wstring& name2) {
    const std::wstring head = name1 + L" : ";
    const std::wstring middle = L" pairs / " + name2 + L" : ";
    const std::wstring tail = L" pairs";
    if (text.rfind(head, 0) != 0) return std::nullopt;
    const size_t mid = text.find(middle, head.size());
    if (mid == std::wstring::npos || text.size() < tail.size() ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0)
        return std::nullopt;
    try {
        return std::pair{std::stoi(text.substr(head.size(), mid - head.size())),
                         std::stoi(text.substr(mid + middle.size()))};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The checked game type of the Settings submenu; -1 unless exactly one is checked.
int CheckedGameType(const Menu& menu) {
    int checked = -1;
    for (int i = 0; i < 5; ++i) {
        if (!menu.Get({L"&File", kSettings, kGameTypes[i]}).IsChecked()) continue;
        if (checked != -1) return -1;
        checked = i;
    }
    return checked;
}

void WaitForGameType(Quillon& q, int type) {
    q.WaitForMenu("game type " + Quote(kGameTypes[type]) + " to be the one checked",
                  [type](const Menu& m) { return CheckedGameType(m) == type; });
}

void ChooseGameType(Quillon& q, int type) {
    q.Choose({L"&File", kSettings, kGameTypes[type]});
    WaitForGameType(q, type);
}

// The menus while no game runs (`running` false) or while one does.
void WaitForGameCommands(Quillon& q, bool running) {
    q.WaitForMenu(running ? "the menus of a running game" : "the menus of no game",
                  [running](const Menu& m) {
                      return m.Get({L"&File", kNewGame}).IsEnabled() == !running &&
                             m.Get({L"&File", kAbandon}).IsEnabled() == running &&
                             m.Get({L"&File", kSettings}).IsEnabled() == !running;
                  });
}

// Types the word that shows the Debug menu and keeps the deck in its dealt order.
void DealUnshuffled(Quillon& q) {
    Check(!q.ReadMenu().Find({L"&Debug"}), "the Debug menu shows before the word was typed");
    q.Type("QUINTAVE");
    q.WaitForMenu("the Debug menu", [](const Menu& m) { return m.Find({L"&Debug"}).has_value(); });
    Check(!q.ReadMenu().Get({L"&Debug", L"Do not shuffle deck"}).IsChecked(),
          "\"Do not shuffle deck\" starts checked");
    q.Choose({L"&Debug", L"Do not shuffle deck"});
    q.WaitForMenu("\"Do not shuffle deck\" to be checked", [](const Menu& m) {
        return m.Get({L"&Debug", L"Do not shuffle deck"}).IsChecked();
    });
}

void NewGame(Quillon& q) {
    q.Choose({L"&File", kNewGame});
    WaitForGameCommands(q, true);
}

Card PairCard(int pair, int which) { return DealPosition(2 * pair + which); }

void CheckLooks(Quillon& q, const Image& client, std::initializer_list<Card> cards, CardLook look,
                std::string_view when) {
    for (Card card : cards) {
        const CardLook seen = q.Look(client, card);
        Check(seen == look, "card " + CardName(card) + " shows its " + LookName(seen) +
                                " instead of its " + LookName(look) + " " + std::string(when));
    }
}

// Waits until every card shows `look`; returns the capture that showed it.
Image WaitForWholeBoard(Quillon& q, CardLook look, std::string_view when) {
    Image client;
    const auto all = [&] {
        for (int k = 0; k < 2 * kPairs; ++k)
            if (q.Look(client, DealPosition(k)) != look) return false;
        return true;
    };
    q.Wait(
        "every card to show its " + std::string(LookName(look)) + " " + std::string(when),
        [&] {
            client = q.CaptureClient();
            return all();
        },
        [&] { return q.DescribeBoard(client); });
    return client;
}

void WaitForLooks(Quillon& q, std::initializer_list<Card> cards, CardLook look) {
    for (Card card : cards) q.WaitForLook(card, look);
}

// Every card's top-left pixel lies outside its rounded corner: the board shows through.
void CheckCornersGreen(const Image& client) {
    for (int k = 0; k < 2 * kPairs; ++k) {
        const Card card = DealPosition(k);
        const COLORREF c = client.At(kCardWidth * card.x, kCardHeight * card.y);
        Check(c == kBoardGreen,
              "the corner pixel of card " + CardName(card) + " is not the board's green");
    }
}

void WaitForPlainGreen(Quillon& q) {
    std::string differs;
    q.Wait(
        "the board to be plain green",
        [&] {
            const Image client = q.CaptureClient();
            for (int y = 0; y < kRows * kCardHeight; ++y)
                for (int x = 0; x < kColumns * kCardWidth; ++x)
                    if (client.At(x, y) != kBoardGreen) {
                        differs = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                        return false;
                    }
            return true;
        },
        [&] { return differs; });
}

// Reveals both cards of a pair and waits for the wait for a click.
void RevealPairAndWait(Quillon& q, Card a, Card b) {
    q.Reveal(a);
    q.WaitForLook(a, CardLook::Face);
    q.Reveal(b);
    q.WaitForPanel(1, kWaiting);
}

void CheckProfileRecord(const ProfileRecord& r, const ProfileRecord& expected,
                        std::string_view who) {
    const bool same = r.won == expected.won && r.lost == expected.lost && r.null == expected.null &&
                      r.pairs == expected.pairs;
    Check(same, std::string(who) + " record is {" + Describe(r) + "} instead of {" +
                    Describe(expected) + "}");
}

bool SameBytes(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, size_t from,
               size_t to) {
    return std::equal(a.begin() + static_cast<ptrdiff_t>(from),
                      a.begin() + static_cast<ptrdiff_t>(to),
                      b.begin() + static_cast<ptrdiff_t>(from));
}

DWORD Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wYear * 10000u + now.wMonth * 100u + now.wDay;
}

void CheckLastGame(int type) {
    const auto last = GetDword(kOptionsKey, L"Last Game");
    Check(last.has_value(), "\"Last Game\" was not written when the program closed");
    Check(*last == static_cast<DWORD>(type),
          "\"Last Game\" is " + std::to_string(*last) + " instead of " + std::to_string(type));
}

// a. One person alone, the deck in its dealt order, every pair found at the first try.
void SoloGame(Scenario& s) {
    SetDword(kOptionsKey, L"Clock", 1);
    const DWORD before = Today();
    Quillon& q = s.Start();
    // Nothing stored yet: the default game type is the one against the computer, and the
    // update reminder only notes the day it first ran.
    WaitForGameType(q, 2);
    q.Wait("today's date stored as \"Last Update\"", [&] {
        const auto noted = GetDword(kRootKey, L"Last Update");
        return noted == before || noted == Today();
    });
    WaitForGameCommands(q, false);
    DealUnshuffled(q);
    ChooseGameType(q, 0);
    NewGame(q);
    q.WaitForPanel(1, kSingle);
    q.WaitForPanel(2, L"0 pairs formed out of 25");

    const Image dealt = WaitForWholeBoard(q, CardLook::Back, "after the deal");
    CheckCornersGreen(dealt);

    for (int pair = 0; pair < kPairs; ++pair) {
        const Card a = PairCard(pair, 0), b = PairCard(pair, 1);
        RevealPairAndWait(q, a, b);
        WaitForLooks(q, {a, b}, CardLook::Face);
        q.Click();
        if (pair + 1 < kPairs) {
            q.WaitForPanel(2, std::to_wstring(pair + 1) + L" pairs formed out of 25");
            q.WaitForPanel(1, kSingle);
        }
    }
    q.WaitForPanel(1, kGameOver);
    q.WaitForPanel(2, kAllPairs);
    const Image done = WaitForWholeBoard(q, CardLook::Face, "at the end of the game");
    CheckCornersGreen(done);
    s.Screenshot();
    WaitForGameCommands(q, false);
    q.Quit();

    const ProfileFile profile = s.Profile();
    CheckProfileRecord(profile.Player(), {0, 0, 1, {0, 0, 0, 0, 25}, 0, 0}, "the player's");
    Check(profile.Player().averageTime > 0, "the player's average time was not recorded");
    Check(SameBytes(profile.Bytes(), s.DefaultProfile().Bytes(), kRecordSize, kProfileFileSize),
          "a game alone changed the computer's records");
    CheckLastGame(0);
}

// b. Two people: a miss passes the turn, a pair keeps it.
void TwoPlayers(Scenario& s) {
    SetDword(kOptionsKey, L"Clock", 1);
    SetString(kOptionsKey, L"Player 1 Name", L"Ann");
    SetString(kOptionsKey, L"Player 2 Name", L"Bob");
    SetDword(kOptionsKey, L"Last Game", 1);
    Quillon& q = s.Start();
    WaitForGameType(q, 1);  // read back from "Last Game"
    DealUnshuffled(q);
    NewGame(q);
    const std::wstring turn = L"'s turn to play.";
    const std::wstring first = q.WaitForPanelAny(1, {L"Ann" + turn, L"Bob" + turn});
    const bool annFirst = first == L"Ann" + turn;
    const std::wstring second = annFirst ? L"Bob" : L"Ann";
    q.WaitForPanel(2, Score(L"Ann", 0, L"Bob", 0));

    // The pointer marks the card under it with the inverted back, until it moves on.
    const Card a{0, 0}, miss{0, 2}, match{0, 1}, pointed{5, 3};
    q.MoveOnto(pointed);
    q.WaitForLook(pointed, CardLook::MarkedBack);
    q.MoveOnto(a);
    q.WaitForLook(pointed, CardLook::Back);
    q.WaitForLook(a, CardLook::MarkedBack);

    // A miss: identities 0 and 1.
    RevealPairAndWait(q, a, miss);
    WaitForLooks(q, {a, miss}, CardLook::Face);
    s.Screenshot("-miss");
    q.Click();
    q.WaitForPanel(1, second + turn);
    q.WaitForLook(a, CardLook::Back);
    q.WaitForLook(miss, CardLook::Back);
    q.WaitForPanel(2, Score(L"Ann", 0, L"Bob", 0));

    // The other player finds a pair and plays again.
    RevealPairAndWait(q, a, match);
    q.Click();
    q.WaitForPanel(1, second + L" plays again.");
    q.WaitForPanel(2, annFirst ? Score(L"Ann", 0, L"Bob", 1) : Score(L"Ann", 1, L"Bob", 0));
    WaitForLooks(q, {a, match}, CardLook::Face);
    WaitForLooks(q, {miss}, CardLook::Back);
    s.Screenshot();
    q.Quit();
    CheckLastGame(1);
}

// c. Against the computer to the end; the person always plays a pair it knows.
void VsComputer(Scenario& s) {
    SetDword(kOptionsKey, L"Wait for click", 0);
    SetDword(kOptionsKey, L"Clock", 1);
    SetDword(kComputerKey, L"AI Memory", 100);
    SetString(kOptionsKey, L"Player 1 Name", L"Ann");
    Quillon& q = s.Start();
    WaitForGameType(q, 2);
    DealUnshuffled(q);
    NewGame(q);

    const std::wstring annTurn = L"Ann's turn to play.", annAgain = L"Ann plays again.";
    const std::wstring annWins = L"Ann wins !", computerWins = L"Computer wins !";
    std::wstring state;
    for (int turns = 0;; ++turns) {
        Check(turns <= kPairs, "the person had more turns than there are pairs");
        state = q.WaitForPanelAny(1, {annTurn, annAgain, annWins, computerWins});
        if (state == annWins || state == computerWins) break;
        const std::wstring scoreText = q.Panel(2);
        const auto before = ParseScore(scoreText, L"Ann", L"Computer");
        Check(before.has_value(), "the score panel reads " + Quote(scoreText));
        // In the person's turn every card that is face up belongs to a pair already found.
        const Image board = q.CaptureSettled();
        int pair = 0;
        while (pair < kPairs && !(q.Look(board, PairCard(pair, 0)) == CardLook::Back &&
                                  q.Look(board, PairCard(pair, 1)) == CardLook::Back))
            ++pair;
        if (pair == kPairs)
            Fail("no pair left face down in the person's turn:" + q.DescribeBoard(board));
        q.Reveal(PairCard(pair, 0));
        q.WaitForLook(PairCard(pair, 0), CardLook::Face);
        q.Reveal(PairCard(pair, 1));
        std::wstring score;
        q.Wait(
            "the person's score to grow by one",
            [&] {
                const auto text = q.TryPanel(2);
                if (!text) return false;
                score = *text;
                const auto now = ParseScore(score, L"Ann", L"Computer");
                return now && now->first == before->first + 1 && now->second == before->second;
            },
            [&] { return Quote(score); });
    }
    const std::wstring finalScore = q.Panel(2);
    const auto final = ParseScore(finalScore, L"Ann", L"Computer");
    Check(final && final->first + final->second == kPairs,
          "the final scores do not add up to 25: " + Quote(finalScore));
    Check((state == annWins) == (final->first > final->second),
          Narrow(state) + " does not match the score " + Quote(finalScore));
    Log(Narrow(state) + " " + Quote(finalScore));
    WaitForWholeBoard(q, CardLook::Face, "at the end of the game");
    s.Screenshot();
    WaitForGameCommands(q, false);
    q.Quit();

    const ProfileFile profile = s.Profile();
    const ProfileRecord player = profile.Player(), computer = profile.Computer();
    const bool annWon = state == annWins;
    Check(player.won == (annWon ? 1 : 0) && player.lost == (annWon ? 0 : 1) && player.null == 0,
          "the player's record is {" + Describe(player) + "}");
    Check(
        computer.won == (annWon ? 0 : 1) && computer.lost == (annWon ? 1 : 0) && computer.null == 0,
        "the computer's record is {" + Describe(computer) + "}");
    // The person never missed, and the computer's pairs were all counted on its side.
    Check(player.pairs[0] == 0, "the player's record counts misses: {" + Describe(player) + "}");
    int playerPairs = 0, computerPairs = 0;
    for (int c = 1; c < 5; ++c) playerPairs += player.pairs[c], computerPairs += computer.pairs[c];
    Check(playerPairs == final->first && computerPairs == final->second,
          "the profiles' pair counts do not match the score " + Quote(finalScore));
    Check(computer.averageAI == 100, "the computer's average AI is not 100");
    const ProfileRecord level = profile.Level(100), levelBefore = s.DefaultProfile().Level(100);
    Check(level.won + level.lost == levelBefore.won + levelBefore.lost + 1,
          "the level-100 record did not count the game: {" + Describe(level) + "}");
}

// d. The computer alone plays a whole game.
void ComputerAlone(Scenario& s) {
    SetDword(kOptionsKey, L"Clock", 1);
    Quillon& q = s.Start();
    ChooseGameType(q, 4);
    NewGame(q);
    q.WaitForPanel(1, L"Computer playing alone...");
    q.Wait(
        "the computer to finish its game", [&] { return q.TryPanel(1) == kGameOver; },
        [] { return std::string("still playing"); }, kLongGame);
    q.WaitForPanel(2, kAllPairs);
    WaitForWholeBoard(q, CardLook::Face, "at the end of the game");
    s.Screenshot();
    WaitForGameCommands(q, false);
    q.Quit();

    const ProfileFile profile = s.Profile();
    const ProfileRecord computer = profile.Computer();
    Check(computer.won == 0 && computer.lost == 0 && computer.null == 1,
          "the computer's record is {" + Describe(computer) + "}");
    int pairs = 0;
    for (int c = 1; c < 5; ++c) pairs += computer.pairs[c];
    Check(pairs == kPairs, "the computer's record counts " + std::to_string(pairs) + " pairs");
    Check(SameBytes(profile.Bytes(), s.DefaultProfile().Bytes(), 0, kRecordSize),
          "a game of the computer alone changed the player's record");
    const ProfileRecord level = profile.Level(50), levelBefore = s.DefaultProfile().Level(50);
    Check(level.null == levelBefore.null + 1,
          "the record of the default level 50 did not count the game: {" + Describe(level) + "}");
    CheckLastGame(4);
}

// The red selection shape drawn over a card, instead of the inverted back.
void WaitForShapeOver(Quillon& q, Card card) {
    const int left = kCardWidth * card.x, top = kCardHeight * card.y;
    q.Wait("the selection shape over card " + CardName(card), [&] {
        const Image client = q.CaptureClient();
        return client.At(left + 2, top + kCardHeight / 2) == kShapeRed &&
               client.At(left + kCardWidth / 2, top + 2) == kShapeRed &&
               client.At(left + kCardWidth - 3, top + kCardHeight / 2) == kShapeRed;
    });
}

// e. Abandoning a game: No keeps it, Yes clears the board at once and records nothing.
void AbandonGame(Scenario& s) {
    SetDword(kOptionsKey, L"Clock", 1);
    SetDword(kOptionsKey, L"Last Game", 1);
    SetDword(kOptionsKey, L"OPTION_SELECTION", 0);  // the pointer moves a shape over cards
    Quillon& q = s.Start();
    // Without names the first start draws one for each player.
    const auto name1 = GetString(kOptionsKey, L"Player 1 Name");
    const auto name2 = GetString(kOptionsKey, L"Player 2 Name");
    Check(name1 && !name1->empty() && name2 && !name2->empty(),
          "the first start did not give both players a name");
    NewGame(q);
    const std::wstring turn =
        q.WaitForPanelAny(1, {*name1 + L"'s turn to play.", *name2 + L"'s turn to play."});
    const Card card{3, 2};
    q.MoveOnto(card);
    WaitForShapeOver(q, card);
    CheckLooks(q, q.CaptureClient(), {card}, CardLook::Back, "under the selection shape");
    q.Reveal(card);
    q.WaitForLook(card, CardLook::Face);

    q.Choose({L"&File", kAbandon});
    q.Answer(L"Abandon ?", kAbandonQuestion, IDNO);
    // The status bar answers only once the command has run to its end.
    Check(q.Panel(1) == turn, "answering No cleared the status bar");
    WaitForGameCommands(q, true);
    CheckLooks(q, q.CaptureSettled(), {card}, CardLook::Face, "after answering No");

    q.Choose({L"&File", kAbandon});
    q.Answer(L"Abandon ?", kAbandonQuestion, IDYES);
    q.Wait("the status panels to be empty",
           [&] { return q.TryPanel(1) == L"" && q.TryPanel(2) == L"" && q.TryPanel(3) == L""; });
    WaitForPlainGreen(q);
    s.Screenshot();
    WaitForGameCommands(q, false);
    q.Quit();
    Check(s.Profile().Bytes() == s.DefaultProfile().Bytes(),
          "the abandoned game changed the profile file");
}

// f. "Wait for click": on, a miss stays up until a click; off, it turns back by itself.
void WaitForClick(Scenario& s) {
    SetDword(kOptionsKey, L"Clock", 50);  // half a second
    SetDword(kOptionsKey, L"Last Game", 0);
    const Card a{0, 0}, miss{0, 2};
    {
        SetDword(kOptionsKey, L"Wait for click", 1);
        Quillon& q = s.Start();
        DealUnshuffled(q);
        NewGame(q);
        q.WaitForPanel(1, kSingle);
        RevealPairAndWait(q, a, miss);
        Pause(milliseconds(2000));  // four times the reveal delay
        Check(q.Panel(1) == kWaiting, "the wait for a click ended without a click");
        CheckLooks(q, q.CaptureClient(), {a, miss}, CardLook::Face, "long after the reveal delay");
        s.Screenshot("-on");
        q.Click();
        q.WaitForLook(a, CardLook::Back);
        q.WaitForLook(miss, CardLook::Back);
        q.WaitForPanel(1, kSingle);
        q.Quit();
    }
    {
        SetDword(kOptionsKey, L"Wait for click", 0);
        Quillon& q = s.Start();
        DealUnshuffled(q);
        NewGame(q);
        q.WaitForPanel(1, kSingle);
        q.Reveal(a);
        q.WaitForLook(a, CardLook::Face);
        q.Reveal(miss);
        std::vector<std::wstring> texts;
        q.Wait("the missed cards to turn back by themselves", [&] {
            if (const auto text = q.TryPanel(1); text && (texts.empty() || texts.back() != *text))
                texts.push_back(*text);
            const Image board = q.CaptureClient();
            return q.Look(board, a) == CardLook::Back && q.Look(board, miss) == CardLook::Back;
        });
        q.WaitForPanel(1, kSingle);
        for (const std::wstring& text : texts)
            Check(text != kWaiting, "\"Waiting for click !\" showed with the wait switched off");
        s.Screenshot("-off");
        q.Quit();
    }
}

// g. The demonstration mode of the command line: non-stop computer play.
void Autorun(Scenario& s) {
    Quillon& q = s.Start(L"/autorun 250");
    q.Answer(L"Quillon", L"Are you sure you wish to set Quillon in Autorun ?", IDYES);
    q.Wait("\"AI Memory\" 100 in the registry",
           [] { return GetDword(kComputerKey, L"AI Memory") == DWORD{100}; });
    q.Wait(
        "the caption to end with \" [Autorun Mode]\"",
        [&] { return q.Caption().ends_with(L" [Autorun Mode]"); },
        [&] { return Quote(q.Caption()); });
    const Menu menu = q.ReadMenu();
    Check(menu.Children({}) == std::vector<std::wstring>{L"&File"},
          "the autorun menu bar is not just File:\n" + menu.Describe());
    Check(menu.Children({L"&File"}) == std::vector<std::wstring>{L"&Quit"},
          "the autorun File menu is not just Quit:\n" + menu.Describe());

    const std::wstring playing = L"Computer playing alone...";
    q.WaitForPanel(1, playing);
    // The demonstration mode takes the place of the update reminder.
    Check(!GetDword(kRootKey, L"Last Update"), "the update reminder ran in autorun mode");
    // The finished game's text shows until the next game starts, about 0.2 s: look often.
    std::vector<std::wstring> texts;
    int games = 0;
    q.Wait(
        "two games to end and a third to start",
        [&] {
            const auto text = q.TryPanel(1);
            if (text && (texts.empty() || texts.back() != *text)) {
                texts.push_back(*text);
                if (*text == kGameOver) ++games;
            }
            return games >= 2 && texts.back() == playing;
        },
        [&] {
            std::string seen;
            for (const auto& t : texts) seen += Quote(t) + " ";
            return seen;
        },
        kLongGame);
    Check(s.Profile().Computer().null >= 2, "the computer's record counts fewer than two games");
    s.Screenshot();
    q.Quit();
    const ProfileFile profile = s.Profile();
    const ProfileRecord computer = profile.Computer();
    Check(computer.null >= 2 && computer.won == 0 && computer.lost == 0,
          "the computer's record is {" + Describe(computer) + "}");
    Check(computer.averageAI == 100, "the computer's average AI is not 100");
    Check(SameBytes(profile.Bytes(), s.DefaultProfile().Bytes(), 0, kRecordSize),
          "non-stop computer play changed the player's record");
}

}  // namespace

const std::vector<ScenarioEntry>& AllScenarios() {
    static const std::vector<ScenarioEntry> all{
        {"solo_game", "a whole unshuffled game alone, waiting for a click after each pair",
         SoloGame},
        {"two_players", "two named players: a miss passes the turn, a pair keeps it", TwoPlayers},
        {"vs_computer", "a whole game against the computer", VsComputer},
        {"computer_alone", "the computer plays a whole game alone", ComputerAlone},
        {"abandon", "Abandon Game answered No, then Yes", AbandonGame},
        {"wait_for_click", "\"Wait for click\" on, then off", WaitForClick},
        {"autorun", "/autorun 250: confirmation, look and non-stop play", Autorun},
        {"options_ok", "every options page worked, then OK", OptionsOk},
        {"options_cancel", "Cancel, close box, Escape: only the options tree kept", OptionsCancel},
        {"options_clear", "clearing only the computer's statistics", OptionsClear},
        {"options_broken", "a set that is gone and a back that is no picture", OptionsBrokenPictures},
        {"options_in_game", "the options during a game", OptionsInGame},
        {"statistics", "Tools > Statistics... before and after a game of the computer alone",
         StatisticsWindow},
    };
    return all;
}

}  // namespace quillon::e2e

#pragma once
// The real program under Wine as the driver sees it: a run of it with the one wait that every
// check goes through, its dialogs, its board window as a person meets it, and a scenario's
// folder with what the program kept, read through the program's own setting names and record
// decoder.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "menu_probe.h"
#include "profiles/profile_record.h"
#include "shell/settings.h"
#include "shell/win/scoped.h"
#include "texts.h"

namespace quillon::e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
inline constexpr milliseconds kTimeout{30000};
inline constexpr milliseconds kLongGame{180000};

// A scenario fails by throwing.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};
[[noreturn]] inline void Fail(std::string_view message) { throw Failure(std::string(message)); }
inline void Check(bool condition, std::string_view message) {
    if (!condition) Fail(message);
}
std::string Narrow(std::wstring_view text);
std::string Quote(std::wstring_view text);
std::wstring WindowText(HWND hwnd);
RECT ClientRectOnScreen(HWND hwnd);
std::vector<uint8_t> ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

// A 24-bit picture, top row first.
class Image {
  public:
    Image() = default;
    Image(int width, int height) : m_width(width), m_height(height), m_bgr(3u * width * height) {}
    static Image CaptureScreen(const RECT& rect);
    static Image LoadBmp(const std::wstring& path);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const {
        return RGB(m_bgr.at(Index(x, y) + 2), m_bgr[Index(x, y) + 1], m_bgr[Index(x, y)]);
    }
    void Set(int x, int y, COLORREF colour) {
        m_bgr.at(Index(x, y) + 2) = GetRValue(colour);
        m_bgr[Index(x, y) + 1] = GetGValue(colour);
        m_bgr[Index(x, y)] = GetBValue(colour);
    }
    void WriteBmp(const std::wstring& path) const;

  private:
    size_t Index(int x, int y) const {
        return x < 0 || x >= m_width ? m_bgr.size() : 3 * (static_cast<size_t>(y) * m_width + x);
    }
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_bgr;
};

// A run of a Windows program; a run still alive when the object goes is ended by force.
class Program {
  public:
    Program(const std::wstring& exe, const std::wstring& arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    HANDLE Handle() const { return m_process.Get(); }
    bool HasExited() const { return WaitForSingleObject(Handle(), 0) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(Handle(), &code);
        return code;
    }
    // Its visible top-level windows of a class ("#32770": dialogs and message boxes).
    std::vector<HWND> Windows(const wchar_t* className) const;

    enum class Boxes { Unexpected, Allowed };
    // Polls `ready` every `poll` until it holds. Fails at once when the program has ended, or
    // shows a dialog that no Dialog object holds unless `boxes` allows it; fails after `timeout`
    // with what `seen` describes of the last state.
    void Wait(std::string_view what, const std::function<bool()>& ready,
              const std::function<std::string()>& seen = {}, milliseconds timeout = kTimeout,
              Boxes boxes = Boxes::Unexpected, milliseconds poll = milliseconds(20));
    void WaitForExit() {
        Wait("the program's process to end", [this] { return HasExited(); });
    }
    // An entry of the probe library run inside the program about the window: its answer.
    std::optional<std::wstring> Probe(const char* entry, HWND hwnd, uint32_t panel = 0) const;
    // The texts of a list view of the program, a row of `columns` texts per item.
    std::vector<std::vector<std::wstring>> ListViewRows(HWND list, int columns) const;

  private:
    friend class Dialog;
    win::ScopedHandle m_process;
    DWORD m_id = 0;
    std::vector<HWND> m_held;  // dialogs the scenario expects to be open
};

std::string Describe(HWND dialog);  // for failure messages

// A dialog or message box of the program, found by the start of its title and held open while
// the object lives; its controls worked through the messages a mouse or keyboard gives them.
class Dialog {
  public:
    Dialog(Program& program, std::wstring_view title, milliseconds timeout = kTimeout);
    ~Dialog() { std::erase(m_program.m_held, m_hwnd); }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    HWND Hwnd() const { return m_hwnd; }
    // The static texts, one a line.
    std::wstring Message() const;
    HWND Item(int id) const;
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    Image Capture(int id) const { return Image::CaptureScreen(ClientRectOnScreen(Item(id))); }
    void Click(int id) const { PostMessageW(Item(id), BM_CLICK, 0, 0); }
    void Key(int id, WPARAM key) const {
        PostMessageW(Item(id), WM_KEYDOWN, key, 1);
        PostMessageW(Item(id), WM_KEYUP, key, 0xC0000001);
    }
    // Alt and a tab's access key typed into the tab control, until `page` shows.
    void ShowPage(int tabBar, wchar_t letter, int page);
    void Wait(std::string_view what, const std::function<bool()>& ready) {
        m_program.Wait(what, ready);
    }
    void WaitUntilGone() {
        Wait(Describe(m_hwnd) + " to close", [&] { return !IsWindow(m_hwnd); });
    }
    // Clicks the button (IDOK, IDYES...) and waits for the dialog to go.
    void Close(int button) {
        Click(button);
        WaitUntilGone();
    }

  private:
    Program& m_program;
    HWND m_hwnd = nullptr;
};

void Answer(Program& program, std::wstring_view title, std::wstring_view question, int button);

// The board

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;
inline constexpr int kColumns = 10;
inline constexpr int kRows = 5;
inline constexpr int kPairs = 25;

struct Card {
    int x = 0;
    int y = 0;
};
std::string CardName(Card card);
// The k-th place of the dealing order: unshuffled, 2p and 2p + 1 make a pair.
inline Card DealPosition(int k) { return {k / kRows, k % kRows}; }
enum class Look { Back, MarkedBack, Face, Empty, Unclear };

using MenuPath = std::initializer_list<std::wstring_view>;
struct MenuItem {
    std::vector<std::wstring> path;  // captions from the menu bar down
    int id = -1;                     // -1 for a submenu
    UINT state = 0;
    bool Enabled() const { return !(state & (MF_GRAYED | MF_DISABLED)); }
    bool Checked() const { return (state & MF_CHECKED) != 0; }
};
struct Menu {
    std::vector<MenuItem> items;
    std::optional<MenuItem> Find(MenuPath path) const;
    MenuItem Get(MenuPath path) const;  // fails when absent
    std::string Describe() const;
};

class Quillon : public Program {
  public:
    Quillon(const std::wstring& exe, const std::wstring& arguments);
    std::wstring Caption() const { return WindowText(m_board); }
    HWND Board() const { return m_board; }

    Menu ReadMenu() const;
    // The command, once it and every submenu above it are enabled.
    void Choose(MenuPath path);
    void WaitForMenu(std::string_view what, const std::function<bool(const Menu&)>& ready);

    void Type(std::string_view keys) {
        for (const char key : keys)
            PostMessageW(m_board, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
    }
    // A key pressed and let go on the board.
    void Press(UINT key) {
        PostMessageW(m_board, WM_KEYDOWN, key, 1);
        PostMessageW(m_board, WM_KEYUP, key, 0xC0000001);
    }
    // The pointer onto the card's centre as the board is shown at `Scale`.
    void MoveOnto(Card card) {
        m_pointer = {Scaled(kCardWidth * card.x + kCardWidth / 2),
                     Scaled(kCardHeight * card.y + kCardHeight / 2)};
        PostMessageW(m_board, WM_MOUSEMOVE, 0, MAKELPARAM(m_pointer.x, m_pointer.y));
    }
    // The board's size step, in percent, that card looks and pointer moves are computed for.
    void Scale(int percent) { m_scale = percent; }
    int Scaled(int surface) const { return (surface * m_scale + 99) / 100; }
    void Click() { PostMessageW(m_board, WM_LBUTTONUP, 0, MAKELPARAM(m_pointer.x, m_pointer.y)); }
    void Reveal(Card card) {
        MoveOnto(card);
        Click();
    }

    // Panel 1..3; nothing while the program is too busy to answer.
    std::optional<std::wstring> Panel(int panel) const;
    std::wstring WaitForPanel(int panel, const std::vector<std::wstring>& accepted);

    Image CaptureClient() const { return Image::CaptureScreen(ClientRectOnScreen(m_board)); }
    Look LookOf(const Image& client, Card card) const;
    void WaitForLook(std::initializer_list<Card> cards, Look look);
    // Milliseconds from `since` until the card shows `look`, watching only that card closely.
    double TimeUntilLook(Card card, Look look, Clock::time_point since);
    void WaitForBoard(Look look, std::string_view when);
    std::string DescribeBoard(const Image& client) const;

    // Returns once the board's thread takes messages again (after a pause of the game, say).
    void WaitUntilResponsive() const;

    // File > Quit, and the process ends by itself with exit code 0.
    void Quit();

  private:
    Look LookAt(const Image& image, int left, int top) const;

    HWND m_board = nullptr;
    HWND m_statusBar = nullptr;
    std::wstring m_folder;
    mutable Image m_back;  // the card back the program draws, read from its data folder
    POINT m_pointer{kCardWidth / 2, kCardHeight / 2};
    int m_scale = 100;
};

// The scenario

struct Environment {
    std::wstring program;         // Quillon.exe, in the folder the scenarios are made in
    std::wstring output;          // shots\ go here
    std::wstring defaultProfile;  // the profile file the program writes on a first run
};

// A fresh folder beside the program with a copy of it (so its Data folder starts empty),
// settings cleared, the runs it starts, and its screenshots.
class Scenario {
  public:
    Scenario(const Environment& environment, std::string name);
    std::wstring Folder() const { return m_folder; }
    const Environment& Env() const { return m_environment; }
    Quillon& Start(const std::wstring& arguments = L"");
    // The whole screen, written to shots\<scenario><suffix>.bmp.
    void Screenshot(std::string_view suffix = "") const;
    std::vector<ProfileRecord> Profile() const;  // records 1..103 at [0..102]
    std::vector<ProfileRecord> DefaultProfile() const;
    void WriteProfile(const std::vector<ProfileRecord>& records) const;

  private:
    Environment m_environment;
    std::string m_name;
    std::wstring m_folder;
    std::vector<std::unique_ptr<Quillon>> m_runs;
};

void Store(SettingId id, const RegValue& value);
// Against the registry through the program's names; nothing for "never written".
RegValue Stored(SettingId id);
void CheckStored(SettingId id, const RegValue& expected);
void CheckStoredOption(std::string_view name, int32_t expected);

// How a scenario changed a record of the default profile: games added, and pairs found added
// (every kind but misses).
struct RecordChange {
    int32_t record;  // 1 player, 2 computer, 3 + level the computer at that "AI Memory"
    int32_t won, lost, null, found;
};
// The listed records changed by exactly that; every other record is still the default's.
void CheckProfile(const Scenario& s, const std::vector<RecordChange>& changes);

void WaitForGameType(Quillon& q, text::GameType type);
// The menus of a running game (`running`) or of none.
void WaitForGameCommands(Quillon& q, bool running);
// Types the word that shows the Debug menu and keeps the deck in its dealt order.
void DealUnshuffled(Quillon& q);
// The game type chosen from the menu, then File > New Game.
void StartGame(Quillon& q, text::GameType type);
// A one-player game on the dealt order to its end, findPair finding each pair in turn and
// ending the wait for a click that follows.
void PlayUnshuffledAlone(Quillon& q, const std::function<void(Card, Card)>& findPair);
// Both cards clicked, the second once the first shows its face, then the click that ends the wait.
void FindPairByMouse(Quillon& q, Card a, Card b);
// Waits through a whole game of the computer alone, to every card face up.
void PlayComputerAloneToEnd(Quillon& q);

struct ScenarioEntry {
    const char* name;
    const char* summary;
    void (*run)(Scenario&);
};
const std::vector<ScenarioEntry>& AllScenarios();

// The installer's scenario, which needs a prefix of its own without the library: the exit code.
int RunInstallScenario(const std::wstring& setup, const std::wstring& output);

}  // namespace quillon::e2e

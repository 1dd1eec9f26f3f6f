#include "quillon.h"

#include <algorithm>

#include "resources/resource.h"
#include "status_bar.h"

namespace quillon::e2e {

namespace {

constexpr wchar_t kBoardClass[] = L"QuillonBoard";
constexpr milliseconds kSettleInterval{150};

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

Quillon::Quillon(const std::wstring& exe, const std::wstring& arguments)
    : m_program(exe, arguments), m_folder(exe.substr(0, exe.find_last_of(L"\\/") + 1)) {
    // The pointer rests outside the board, so that only the driver's moves mark cards.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // A command line may ask a question as soon as the window shows; a start-up failure
    // shows a message box instead of the window, which the timeout message then names.
    Poll(
        "the board window",
        [this] {
            m_board = m_program.FindWindowOfClass(kBoardClass);
            return m_board != nullptr;
        },
        [this] {
            std::string boxes = "no board window";
            for (const auto& box : OpenMessageBoxes(m_program.Id())) boxes += "; " + Describe(box);
            return boxes;
        },
        kTimeout, Dialogs::Expected);
    HWND bar = GetDlgItem(m_board, IDC_STATUSBAR);
    Check(bar != nullptr, "the board window has no status bar (control id 201)");
    m_statusBar = std::make_unique<StatusBar>(m_program.Process(), bar);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    Check(Inside(ClientRectOnScreen(m_board), screen),
          "the board window does not lie wholly on the screen");
}

Quillon::~Quillon() = default;

void Quillon::FailIfGone(Dialogs dialogs) const {
    if (m_program.HasExited())
        Fail("the program ended unexpectedly (exit code " + std::to_string(m_program.ExitCode()) +
             ")");
    if (dialogs == Dialogs::Expected) return;
    const auto boxes = OpenMessageBoxes(m_program.Id());
    if (!boxes.empty()) Fail("the program shows an unexpected " + Describe(boxes.front()));
}

void Quillon::Poll(std::string_view what, const std::function<bool()>& ready,
                   const std::function<std::string()>& seen, milliseconds timeout,
                   Dialogs dialogs) {
    WaitUntil(
        what,
        [&] {
            FailIfGone(dialogs);
            return ready();
        },
        seen, timeout);
}

void Quillon::Wait(std::string_view what, const std::function<bool()>& ready,
                   const std::function<std::string()>& seen, milliseconds timeout) {
    Poll(what, ready, seen, timeout, Dialogs::Unexpected);
}

// Menus

Menu Quillon::ReadMenu() const { return Menu::Read(m_program.Process(), m_program.Id(), m_board); }

void Quillon::Choose(MenuPath path) {
    const Menu menu = ReadMenu();
    const MenuItem item = menu.Get(path);
    Check(!item.IsSubmenu(), PathText(path) + " is a submenu, not a command");
    // A person reaches the command through every submenu above it.
    for (const MenuItem& parent : menu.Parents(item))
        Check(parent.IsEnabled(), "submenu " + Quote(parent.path.back()) + " is disabled");
    Check(item.IsEnabled(), "menu item " + PathText(path) + " is disabled");
    PostMessageW(m_board, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
}

void Quillon::WaitForMenu(std::string_view what, const std::function<bool(const Menu&)>& ready) {
    std::string last;
    Wait(
        what,
        [&] {
            const Menu menu = ReadMenu();
            last = menu.Describe();
            return ready(menu);
        },
        [&] { return "\n" + last; });
}

// Keys and mouse

void Quillon::Type(std::string_view keys) {
    for (const char key : keys) {
        // Repeat count 1, key was down, key is going up.
        PostMessageW(m_board, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
    }
}

void Quillon::MoveOnto(Card card) {
    m_pointer = CardCentre(card);
    PostMessageW(m_board, WM_MOUSEMOVE, 0, MAKELPARAM(m_pointer.x, m_pointer.y));
}

void Quillon::Reveal(Card card) {
    MoveOnto(card);
    PostMessageW(m_board, WM_LBUTTONUP, 0, MAKELPARAM(m_pointer.x, m_pointer.y));
}

void Quillon::Click() {
    if (m_pointer.x < 0) m_pointer = CardCentre({0, 0});
    PostMessageW(m_board, WM_LBUTTONUP, 0, MAKELPARAM(m_pointer.x, m_pointer.y));
}

// Status bar

std::optional<std::wstring> Quillon::TryPanel(int panel) const {
    return m_statusBar->TryPanel(panel);
}

std::wstring Quillon::Panel(int panel) {
    std::optional<std::wstring> text;
    Wait("status panel " + std::to_string(panel) + " to answer", [&] {
        text = TryPanel(panel);
        return text.has_value();
    });
    return *text;
}

void Quillon::WaitForPanel(int panel, std::wstring_view expected) {
    WaitForPanelAny(panel, {std::wstring(expected)});
}

std::wstring Quillon::WaitForPanelAny(int panel, const std::vector<std::wstring>& accepted) {
    std::optional<std::wstring> text;
    std::string wanted;
    for (const auto& a : accepted) wanted += (wanted.empty() ? "" : " or ") + Quote(a);
    Wait(
        "status panel " + std::to_string(panel) + " to read " + wanted,
        [&] {
            text = TryPanel(panel);
            return text && std::find(accepted.begin(), accepted.end(), *text) != accepted.end();
        },
        [&] { return text ? Quote(*text) : std::string("no answer"); });
    return *text;
}

// Message boxes

MessageBoxView Quillon::WaitForMessageBox(std::wstring_view title) {
    std::optional<MessageBoxView> found;
    std::string seen = "none";
    Poll(
        "a message box titled " + Quote(title),
        [&] {
            for (const MessageBoxView& box : OpenMessageBoxes(m_program.Id())) {
                seen = Describe(box);
                if (box.title == title) found = box;
            }
            return found.has_value();
        },
        [&] { return seen; }, kTimeout, Dialogs::Expected);
    return *found;
}

void Quillon::Answer(std::wstring_view title, std::wstring_view text, int buttonId) {
    const MessageBoxView box = WaitForMessageBox(title);
    Check(box.text == text, Describe(box) + " does not ask " + Quote(text));
    PressButton(box, buttonId);
    Poll(
        "the " + Describe(box) + " to close", [&] { return !IsWindow(box.hwnd); }, {}, kTimeout,
        Dialogs::Expected);
}

// Pixels

Image Quillon::CaptureClient() const { return Image::CaptureScreen(ClientRectOnScreen(m_board)); }

Image Quillon::CaptureSettled() {
    Image before = CaptureClient();
    Image now;
    Wait("the board to stop changing", [&] {
        Pause(kSettleInterval);
        now = CaptureClient();
        const bool same = now == before;
        before = now;
        return same;
    });
    return now;
}

const CardReader& Quillon::Cards() {
    if (!m_cards)
        m_cards =
            std::make_unique<CardReader>(Image::LoadBmp(m_folder + L"Data\\Backs\\Default.bmp"));
    return *m_cards;
}

CardLook Quillon::Look(const Image& client, Card card) { return Cards().Look(client, card); }

void Quillon::WaitForLook(Card card, CardLook look) {
    CardLook last = CardLook::Unclear;
    Wait(
        "card " + CardName(card) + " to show its " + LookName(look),
        [&] {
            last = Look(CaptureClient(), card);
            return last == look;
        },
        [&] { return std::string(LookName(last)); });
}

std::string Quillon::DescribeBoard(const Image& client) {
    std::string out;
    for (int y = 0; y < kRows; ++y) {
        out += "\n";
        for (int x = 0; x < kColumns; ++x) out += std::string(" ") + LookName(Look(client, {x, y}));
    }
    return out;
}

void Quillon::Quit() {
    Choose({L"&File", L"&Quit"});
    m_program.WaitForExit();
    Check(m_program.ExitCode() == 0,
          "the program ended with exit code " + std::to_string(m_program.ExitCode()));
}

}  // namespace quillon::e2e

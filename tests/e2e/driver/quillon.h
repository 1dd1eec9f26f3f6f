#pragma once
// The program as a person meets it: a window with a menu bar, a board to point at and click,
// a keyboard, message boxes and a status bar; plus what a tester may look at besides: the
// screen's pixels. Every wait also watches for the program ending or showing a message box
// nobody expected.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "check.h"
#include "dialogs.h"
#include "menu.h"
#include "program.h"
#include "screen.h"

namespace quillon::e2e {

class StatusBar;

class Quillon {
  public:
    // Starts the program file `exe` and waits for its board window.
    Quillon(const std::wstring& exe, const std::wstring& arguments);
    ~Quillon();
    Quillon(const Quillon&) = delete;
    Quillon& operator=(const Quillon&) = delete;

    Program& Process() { return m_program; }
    HWND Board() const { return m_board; }
    std::wstring Caption() const { return WindowText(m_board); }

    void Wait(std::string_view what, const std::function<bool()>& ready,
              const std::function<std::string()>& seen = {}, milliseconds timeout = kTimeout);

    // Menus
    Menu ReadMenu() const;
    // Finds the item by its captions, checks that it is there and enabled, and chooses it.
    void Choose(MenuPath path);
    void WaitForMenu(std::string_view what, const std::function<bool(const Menu&)>& ready);

    // Keys typed on the board, released one by one.
    void Type(std::string_view keys);

    // Mouse: moves the pointer onto a card's centre.
    void MoveOnto(Card card);
    // Moves the pointer onto a card, then releases the button there.
    void Reveal(Card card);
    // Releases the button where the pointer is, as a click that ends a wait.
    void Click();

    // Status bar
    std::optional<std::wstring> TryPanel(int panel) const;
    std::wstring Panel(int panel);
    void WaitForPanel(int panel, std::wstring_view expected);
    // Waits until panel 1 reads any text of `accepted` and returns it.
    std::wstring WaitForPanelAny(int panel, const std::vector<std::wstring>& accepted);

    // Message boxes
    MessageBoxView WaitForMessageBox(std::wstring_view title);
    void Answer(std::wstring_view title, std::wstring_view text, int buttonId);

    // Pixels of the client area, read from the screen.
    Image CaptureClient() const;
    // A capture that stayed the same across a short interval: nothing is still being drawn.
    Image CaptureSettled();
    CardLook Look(const Image& client, Card card);
    void WaitForLook(Card card, CardLook look);
    std::string DescribeBoard(const Image& client);

    // File > Quit; the process must end on its own with exit code 0.
    void Quit();

  private:
    enum class Dialogs { Unexpected, Expected };
    void Poll(std::string_view what, const std::function<bool()>& ready,
              const std::function<std::string()>& seen, milliseconds timeout, Dialogs dialogs);
    void FailIfGone(Dialogs dialogs) const;
    const CardReader& Cards();

    Program m_program;
    std::wstring m_folder;
    HWND m_board = nullptr;
    std::unique_ptr<StatusBar> m_statusBar;
    std::unique_ptr<CardReader> m_cards;
    POINT m_pointer{-1, -1};
};

}  // namespace quillon::e2e

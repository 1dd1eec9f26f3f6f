// The board without a mouse, and the board at its size steps: the keys and the scaled window
// reach the real game. Wrapping, the steps' arithmetic and the mark's rules are the native
// tests' business.

#include "board/board_view.h"
#include "driver.h"

namespace quillon::e2e {

using namespace text;

namespace {

// The mark walked along the row, then along the column: no arrow has to wrap.
Card WalkTo(Quillon& q, Card from, Card to) {
    for (int x = from.x; x < to.x; ++x) q.Press(VK_RIGHT);
    for (int x = from.x; x > to.x; --x) q.Press(VK_LEFT);
    for (int y = from.y; y < to.y; ++y) q.Press(VK_DOWN);
    for (int y = from.y; y > to.y; --y) q.Press(VK_UP);
    return to;
}

// The screen's scale as Wine's display settings hold it, put back however the scenario ends.
class ScreenScale {
  public:
    explicit ScreenScale(DWORD dpi) {
        Check(RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key,
                              nullptr) == ERROR_SUCCESS,
              "cannot open the display settings");
        DWORD size = sizeof m_old;
        m_hadOld = RegQueryValueExW(m_key, kValue, nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(&m_old), &size) == ERROR_SUCCESS;
        Set(dpi);
    }
    ~ScreenScale() {
        if (m_hadOld)
            Set(m_old);
        else
            RegDeleteValueW(m_key, kValue);
        RegCloseKey(m_key);
    }
    ScreenScale(const ScreenScale&) = delete;
    ScreenScale& operator=(const ScreenScale&) = delete;

  private:
    static constexpr wchar_t kValue[] = L"LogPixels";
    void Set(DWORD dpi) const {
        RegSetValueExW(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_hadOld = false;
};

// The client holds the whole board at the step, the step is checked in the View menu, and the
// program has drawn it at that size.
void CheckShownAt(Quillon& q, int step, int percent) {
    q.Scale(percent);
    q.WaitForMenu("the View menu to check " + std::to_string(percent) + " %",
                  [step](const Menu& m) {
                      return m.Get({kView, kSizes[step]}).Checked();
                  });
    RECT client{};
    GetClientRect(q.Board(), &client);
    Check(client.right == q.Scaled(kColumns * kCardWidth) &&
              client.bottom > q.Scaled(kRows * kCardHeight),
          "at " + std::to_string(percent) + " % the client is " + std::to_string(client.right) +
              " x " + std::to_string(client.bottom));
}

}  // namespace

// A one-player game played with the arrows, Enter, Space and Escape alone: the mouse never
// moves, yet the first arrow shows the mark, and the arrows go round the board's edges.
void KeyboardGame(Scenario& s) {
    Store(SettingClock, 1);
    Quillon& q = s.Start();
    bool bFirst = true;
    Card at{0, 0};
    PlayUnshuffledAlone(q, [&](Card a, Card b) {
        if (bFirst) {
            bFirst = false;
            q.Press(VK_DOWN);
            q.WaitForLook({{0, 0}}, Look::MarkedBack);
            q.Press(VK_LEFT);
            q.WaitForLook({{kColumns - 1, kRows - 1}}, Look::MarkedBack);
            q.WaitForLook({{0, 0}}, Look::Back);
            q.Press(VK_RIGHT);
        }
        at = WalkTo(q, at, a);
        q.Press(VK_RETURN);
        q.WaitForLook({a}, Look::Face);
        at = WalkTo(q, at, b);
        q.Press(VK_SPACE);
        q.WaitForPanel(1, {kWaiting});
        q.Press(VK_ESCAPE);
    });
    s.Screenshot();
    q.Quit();
    CheckProfile(s, {{1, 0, 0, 1, kPairs}});
}

// On a screen at 150 % a first start shows the board at 150 %, a card hit at its centre; the
// player's 200 % is kept and a whole game is played with the mouse on the scaled cards; back at 100
// % the board is whole.
void BigBoard(Scenario& s) {
    Store(SettingClock, 1);
    {
        const ScreenScale screen(144);
        Quillon& q = s.Start();
        CheckShownAt(q, 1, 150);
        StartGame(q, OnePlayer);
        q.WaitForBoard(Look::Back, "after the deal at 150 %");
        q.Reveal({3, 2});
        q.WaitForLook({{3, 2}}, Look::Face);
        s.Screenshot("-150");
        q.Choose({kFile, kAbandon});
        Answer(q, kAbandonTitle, kAbandonQuestion, IDYES);
        q.Quit();
    }
    Quillon& q = s.Start();
    CheckShownAt(q, 0, 100);
    q.Choose({kView, kSizes[2]});
    CheckShownAt(q, 2, 200);
    CheckStoredOption(kBoardSizeValue, 200);
    PlayUnshuffledAlone(q, [&q](Card a, Card b) { FindPairByMouse(q, a, b); });
    s.Screenshot("-200");
    q.Choose({kView, kSizes[0]});
    CheckShownAt(q, 0, 100);
    q.WaitForBoard(Look::Face, "back at 100 %");
    s.Screenshot("-100");
    q.Quit();
    CheckProfile(s, {{1, 0, 0, 1, kPairs}});
}

}  // namespace quillon::e2e

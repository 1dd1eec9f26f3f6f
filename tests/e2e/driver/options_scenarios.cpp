#include "options_scenarios.h"

#include <windows.h>
// The common controls' messages need the definitions above.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "options/win/frmOptions_resource.h"
#include "registry.h"
#include "remote.h"
#include "resources/resource.h"

namespace quillon::e2e {

namespace {

namespace fs = std::filesystem;

constexpr COLORREF kBlack = RGB(0, 0, 0);
const std::wstring kTools = L"&Tools";
const std::wstring kOptions = L"&Options...";
enum Page { PageGeneral, PageCards, PageAI, PageOther };
constexpr wchar_t kPageLetters[] = {L'g', L'd', L'a', L'h'};

// The pictures the scenarios put into the data folders: one colour per card, so that a
// preview or the board tells which card it shows.
constexpr COLORREF kNightSky = RGB(200, 30, 60);
COLORREF AnimalFace(int n) { return RGB(4 * n + 20, 250 - 4 * n, 100); }

void WriteBmp(const fs::path& path, int width, int height,
              const std::function<COLORREF(int x)>& colour) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<char> row(stride, 0);
    for (int x = 0; x < width; ++x) {
        const COLORREF c = colour(x);
        row[3 * x] = static_cast<char>(GetBValue(c));
        row[3 * x + 1] = static_cast<char>(GetGValue(c));
        row[3 * x + 2] = static_cast<char>(GetRValue(c));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = 0; y < height; ++y) out.write(row.data(), stride);
    Check(out.good(), "cannot write " + path.string());
}

// A second back and a second card set beside the defaults, named in mixed case.
void AddPictures(const Scenario& s) {
    const fs::path data = fs::path(s.Folder()) / "Data";
    WriteBmp(data / "Backs" / "night SKY.bmp", kCardWidth, kCardHeight,
             [](int) { return kNightSky; });
    // The platform's loader reads a bitmap whatever the file's extension.
    WriteBmp(data / "Cards" / "ANIMALS.jpg", kCardWidth * 25, kCardHeight,
             [](int x) { return AnimalFace(x / kCardWidth); });
}

std::string Hex(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Waits for the program's failure report naming `procedure` and answers it with OK.
void AnswerFailureReport(Quillon& q, std::wstring_view procedure) {
    MessageBoxView report;
    WaitUntil("a failure report naming " + Quote(procedure), [&] {
        Check(!q.Process().HasExited(), "the program ended");
        for (const MessageBoxView& box : OpenMessageBoxes(q.Process().Id()))
            if (box.title.rfind(L"Error n", 0) == 0) report = box;
        return report.hwnd != nullptr;
    });
    Check(report.text.find(procedure) != std::wstring::npos,
          Describe(report) + " does not name " + Quote(procedure));
    PressButton(report, IDOK);
    WaitUntil("the failure report to close", [&] { return !IsWindow(report.hwnd); });
}

// The options dialog as a person meets it: found among the program's windows, its controls
// worked through the messages a mouse or keyboard would give them.
class OptionsDialog {
  public:
    // Chooses Tools > Options... and waits for the dialog. A failure report that opening is
    // expected to show first must name errorProcedure; it is answered with OK.
    explicit OptionsDialog(Quillon& q, std::wstring_view errorProcedure = {}) : m_q(q) {
        q.Choose({kTools, kOptions});
        if (!errorProcedure.empty()) AnswerFailureReport(q, errorProcedure);
        Watch("the options dialog", [this] {
            for (const MessageBoxView& box : OpenMessageBoxes(m_q.Process().Id()))
                if (box.title == L"Options") m_hwnd = box.hwnd;
            return m_hwnd != nullptr;
        });
    }

    HWND Item(int id) const {
        const HWND hwnd = GetDlgItem(m_hwnd, id);
        Check(hwnd != nullptr, "the options dialog has no control " + std::to_string(id));
        return hwnd;
    }
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)); }
    bool Shown(int id) const { return IsWindowVisible(Item(id)); }
    bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // Polls like the driver, failing when the program ends or shows a dialog of its own.
    void Watch(std::string_view what, const std::function<bool()>& ready,
               const std::function<std::string()>& seen = {}) {
        WaitUntil(
            what,
            [&] {
                if (m_q.Process().HasExited()) Fail("the program ended with the options dialog");
                for (const MessageBoxView& box : OpenMessageBoxes(m_q.Process().Id()))
                    if (box.hwnd != m_hwnd && !(m_hwnd == nullptr && box.title == L"Options"))
                        Fail("unexpected " + Describe(box));
                return ready();
            },
            seen);
    }

    // Alt with a page's letter.
    void ShowPage(Page page) {
        PostMessageW(Item(IDC_OPT_TABBAR), WM_SYSCHAR, kPageLetters[page], LPARAM{1} << 29);
        Watch("page " + std::to_string(page) + " of the options dialog",
              [&] { return SendMessageW(Item(IDC_OPT_TABBAR), TCM_GETCURSEL, 0, 0) == page; });
    }

    void Click(int id) { PostMessageW(Item(id), BM_CLICK, 0, 0); }
    void ClickAndWait(int id, const std::function<bool()>& done, std::string_view what) {
        Click(id);
        Watch(what, done);
    }
    void Key(int id, WPARAM key) {
        PostMessageW(Item(id), WM_KEYDOWN, key, 1);
        PostMessageW(Item(id), WM_KEYUP, key, 0xC0000001);
    }
    int Slider(int id) const { return static_cast<int>(SendMessageW(Item(id), TBM_GETPOS, 0, 0)); }

    // The thumb dragged to `value`, as the slider reports a drag to its dialog.
    void DragReveal(int value) {
        const HWND slider = Item(IDC_OPT_SLDREVEAL);
        SendMessageW(slider, TBM_SETPOS, TRUE, value);
        SendMessageW(m_hwnd, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, value),
                     reinterpret_cast<LPARAM>(slider));
        SendMessageW(m_hwnd, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                     reinterpret_cast<LPARAM>(slider));
    }

    void Type(int id, const std::wstring& text) {
        SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    std::vector<std::wstring> Entries(int id) const {
        std::vector<std::wstring> out;
        const int count = static_cast<int>(SendMessageW(Item(id), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) out.push_back(Entry(id, i));
        return out;
    }
    std::wstring Selected(int id) const {
        const int i = static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
        return i < 0 ? L"" : Entry(id, i);
    }
    // Arrow keys on the closed list until the entry is the selected one.
    void Choose(int id, const std::wstring& entry) {
        const std::vector<std::wstring> entries = Entries(id);
        const auto it = std::find(entries.begin(), entries.end(), entry);
        Check(it != entries.end(), "the list offers no " + Quote(entry));
        const int target = static_cast<int>(it - entries.begin());
        for (int step = 0; step < static_cast<int>(entries.size()) + 1; ++step) {
            const int now = static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
            if (now == target) return;
            Key(id, now < target ? VK_DOWN : VK_UP);
            Watch("the list to move",
                  [&] { return SendMessageW(Item(id), CB_GETCURSEL, 0, 0) != now; });
        }
        Fail("the arrow keys never reached " + Quote(entry));
    }

    // A click on the right (up) or left (down) arrow of the set preview's buttons.
    void PressPreviewButton(bool up) {
        const HWND buttons = Item(IDC_OPT_UPDNCARDSET);
        RECT rc{};
        GetClientRect(buttons, &rc);
        const LPARAM at = MAKELPARAM(up ? rc.right * 3 / 4 : rc.right / 4, rc.bottom / 2);
        PostMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(buttons, WM_LBUTTONUP, 0, at);
    }

    Image Capture(int id) const { return Image::CaptureScreen(ClientRectOnScreen(Item(id))); }

    // The set preview shows `first` and the card after it, masked and outlined.
    void WaitForSetPreview(int first) {
        std::string seen;
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        Watch(
            "the set preview to show cards " + std::to_string(first) + " and " +
                std::to_string(first + 1),
            [&] {
                const Image p = Capture(IDC_OPT_PICCARDSET);
                if (p.Width() != 2 * kCardWidth || p.Height() != kCardHeight)
                    Fail("the set preview is not 142 x 96 pixels");
                seen = Hex(p.At(35, 48)) + " " + Hex(p.At(106, 48)) + " corner " +
                       Hex(p.At(71, 0)) + " outline " + Hex(p.At(35, 0));
                return p.At(35, 48) == AnimalFace(first) &&
                       p.At(106, 48) == AnimalFace(first + 1) && p.At(0, 0) == face &&
                       p.At(71, 0) == face && p.At(35, 0) == kBlack && p.At(106, 95) == kBlack;
            },
            [&] { return seen; });
    }

    struct TreeItem {
        HTREEITEM handle;
        std::wstring caption;
        int checkImage;  // 0 none, 1 unchecked, 2 checked
    };
    // The options tree from the top down, the folder's items after it.
    std::vector<TreeItem> Tree() const {
        const HWND tree = Item(IDC_OPT_SUIOPTIONS);
        std::vector<TreeItem> items;
        const auto next = [&](HTREEITEM from, WPARAM how) {
            return reinterpret_cast<HTREEITEM>(
                SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
        };
        for (HTREEITEM h = next(nullptr, TVGN_ROOT); h; h = next(h, TVGN_NEXT)) {
            items.push_back(ReadItem(h));
            for (HTREEITEM c = next(h, TVGN_CHILD); c; c = next(c, TVGN_NEXT))
                items.push_back(ReadItem(c));
        }
        return items;
    }
    // Selects the item and presses the space bar on it.
    void ToggleCheck(const std::wstring& caption) {
        const HWND tree = Item(IDC_OPT_SUIOPTIONS);
        const TreeItem item = Find(caption);
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item.handle));
        Key(IDC_OPT_SUIOPTIONS, VK_SPACE);
        Watch("the check box of " + Quote(caption) + " to change",
              [&] { return Find(caption).checkImage == 3 - item.checkImage; });
    }
    TreeItem Find(const std::wstring& caption) const {
        for (const TreeItem& item : Tree())
            if (item.caption == caption) return item;
        Fail("the options tree has no item " + Quote(caption));
    }

    enum class Way { OkButton, CancelButton, CloseBox, Escape };
    void Close(Way way) {
        if (way == Way::OkButton || way == Way::CancelButton)
            Click(way == Way::OkButton ? IDOK : IDCANCEL);
        else if (way == Way::CloseBox)
            PostMessageW(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            Key(IDC_OPT_TABBAR, VK_ESCAPE);
        Watch("the options dialog to close", [this] { return !IsWindow(m_hwnd); });
    }

  private:
    // The system carries a list box's text across processes, as it does a window's text.
    std::wstring Entry(int id, int index) const {
        const auto length = SendMessageW(Item(id), CB_GETLBTEXTLEN, index, 0);
        if (length <= 0) return {};
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(Item(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(wcslen(text.c_str()));
        return text;
    }
    // A tree view's items are not carried across processes: the question and the answer are
    // written and read in the program's memory.
    TreeItem ReadItem(HTREEITEM h) const {
        RemoteBuffer remote(m_q.Process().Process(), sizeof(TVITEMW) + 512);
        TVITEMW item{};
        item.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
        item.hItem = h;
        item.stateMask = TVIS_STATEIMAGEMASK;
        item.pszText =
            reinterpret_cast<wchar_t*>(static_cast<uint8_t*>(remote.Address()) + sizeof(TVITEMW));
        item.cchTextMax = 255;
        remote.Write(&item, sizeof item);
        remote.Write(L"", sizeof(wchar_t), sizeof(TVITEMW));
        Check(SendMessageW(Item(IDC_OPT_SUIOPTIONS), TVM_GETITEMW, 0,
                           reinterpret_cast<LPARAM>(remote.Address())) != 0,
              "the options tree does not describe an item");
        const std::vector<uint8_t> bytes = remote.Read(remote.Size());
        TVITEMW answer{};
        std::copy_n(bytes.begin(), sizeof answer, reinterpret_cast<uint8_t*>(&answer));
        const auto* text = reinterpret_cast<const wchar_t*>(bytes.data() + sizeof(TVITEMW));
        return {h, text, static_cast<int>((answer.state & TVIS_STATEIMAGEMASK) >> 12)};
    }

    Quillon& m_q;
    HWND m_hwnd = nullptr;
};

// The first names the program draws from, read from its own string table.
std::vector<std::wstring> FirstNames(const Scenario& s) {
    const HMODULE module =
        LoadLibraryExW((s.Folder() + L"Quillon.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    Check(module != nullptr, "cannot read the program's strings");
    std::vector<std::wstring> names;
    for (int i = 0; i < IDS_NAME_COUNT; ++i) {
        const wchar_t* text = nullptr;
        const int len = LoadStringW(module, IDS_FIRST_NAME + i, reinterpret_cast<LPWSTR>(&text), 0);
        names.emplace_back(text, len > 0 ? len : 0);
    }
    FreeLibrary(module);
    return names;
}

void CheckDword(const wchar_t* key, const wchar_t* name, std::optional<DWORD> expected) {
    const std::optional<DWORD> stored = GetDword(key, name);
    const auto text = [](std::optional<DWORD> v) {
        return v ? std::to_string(*v) : std::string("nothing");
    };
    Check(stored == expected, "the registry holds " + text(stored) + " in " + Narrow(name) +
                                  " instead of " + text(expected));
}

void CheckString(const wchar_t* name, const std::wstring& expected) {
    const std::optional<std::wstring> stored = GetString(kOptionsKey, name);
    Check(stored == expected, "the registry holds " + (stored ? Quote(*stored) : "nothing") +
                                  " in " + Narrow(name) + " instead of " + Quote(expected));
}

void CheckOptions(DWORD autocheck, DWORD flash, DWORD hand, DWORD selection) {
    CheckDword(kOptionsKey, L"OPTION_AUTOCHECK", autocheck);
    CheckDword(kOptionsKey, L"OPTION_FLASH", flash);
    CheckDword(kOptionsKey, L"OPTION_HANDCURSOR", hand);
    CheckDword(kOptionsKey, L"OPTION_SELECTION", selection);
}

const std::wstring kAutoCheck = L"Check for updates automatically";
const std::wstring kFlash = L"Flash cards when revealing them";
const std::wstring kHand = L"Show a hand cursor";
const std::wstring kSelection = L"Invert card selection";

void NewOnePlayerGame(Quillon& q) {
    q.Choose({L"&File", L"&Settings", L"1 Player\tCtrl+F1"});
    q.WaitForMenu("\"1 Player\" to be checked", [](const Menu& m) {
        return m.Get({L"&File", L"&Settings", L"1 Player\tCtrl+F1"}).IsChecked();
    });
    q.Choose({L"&File", L"&New Game\tCtrl+N"});
    q.WaitForMenu("the menus of a running game", [](const Menu& m) {
        return m.Get({L"&File", L"&Abandon Game"}).IsEnabled();
    });
}

}  // namespace

void OptionsOk(Scenario& s) {
    Quillon& q = s.Start();
    AddPictures(s);
    const std::vector<std::wstring> names = FirstNames(s);
    OptionsDialog d(q);

    // General; the captions are seen on the screenshots.
    Check(d.Checked(IDC_OPT_CHKWAITFORCLICK) && !d.Enabled(IDC_OPT_SLDREVEAL) &&
              !d.Shown(IDC_OPT_LBLREVEAL),
          "a clean machine waits for a click, with the delay slider off and its value hidden");
    d.ClickAndWait(
        IDC_OPT_CHKWAITFORCLICK, [&] { return d.Shown(IDC_OPT_LBLREVEAL); },
        "the delay's value to show");
    Check(d.Text(IDC_OPT_LBLREVEAL) == L"1.50 s",
          "the default delay reads " + Quote(d.Text(IDC_OPT_LBLREVEAL)));
    d.DragReveal(333);
    Check(d.Slider(IDC_OPT_SLDREVEAL) == 330, "a drag to 333 is not snapped to 330");
    Check(d.Text(IDC_OPT_LBLREVEAL) == L"3.30 s",
          "the dragged delay reads " + Quote(d.Text(IDC_OPT_LBLREVEAL)));
    d.Key(IDC_OPT_SLDREVEAL, VK_RIGHT);
    d.Watch("a key to add 0.25 s", [&] { return d.Text(IDC_OPT_LBLREVEAL) == L"3.55 s"; });
    d.ClickAndWait(
        IDC_OPT_CHKWAITFORCLICK, [&] { return !d.Shown(IDC_OPT_LBLREVEAL); },
        "the delay's value to hide");
    Check(!d.Enabled(IDC_OPT_SLDREVEAL), "the slider stays usable while waiting for a click");
    d.Type(IDC_OPT_TXTPLAYERNAME0, L"Ann Typed");
    d.ClickAndWait(
        IDC_OPT_CMDRANDOM1,
        [&] {
            return std::find(names.begin(), names.end(), d.Text(IDC_OPT_TXTPLAYERNAME1)) !=
                   names.end();
        },
        "a first name of the program's list for player 2");
    const std::wstring player2 = d.Text(IDC_OPT_TXTPLAYERNAME1);
    s.Screenshot("-general");

    // Cards: both folders listed by display name, previews masked and outlined.
    d.ShowPage(PageCards);
    std::vector<std::wstring> backs = d.Entries(IDC_OPT_CMBCARDBACKS);
    std::sort(backs.begin(), backs.end());
    std::string listed;
    for (const std::wstring& back : backs) listed += " " + Quote(back);
    Check(backs == std::vector<std::wstring>{L"Default", L"Night Sky"},
          "the card backs are listed as" + listed + ", not as Default and Night Sky");
    Check(d.Selected(IDC_OPT_CMBCARDSET) == L"Default", "the Default set is not selected");
    d.Choose(IDC_OPT_CMBCARDSET, L"Animals");
    d.WaitForSetPreview(0);
    d.PressPreviewButton(false);
    d.PressPreviewButton(true);
    d.PressPreviewButton(true);
    d.WaitForSetPreview(2);
    d.Choose(IDC_OPT_CMBCARDBACKS, L"Night Sky");
    d.Watch("the back preview", [&] {
        const Image back = d.Capture(IDC_OPT_PICCARDBACK);
        return back.Width() == kCardWidth && back.At(35, 48) == kNightSky &&
               back.At(0, 0) == GetSysColor(COLOR_BTNFACE) && back.At(70, 50) == kBlack;
    });
    s.Screenshot("-cards");

    // A.I. && Stats: the memory level by keys.
    d.ShowPage(PageAI);
    Check(d.Text(IDC_OPT_LBLMEMORY) == L"50 %",
          "the memory level reads " + Quote(d.Text(IDC_OPT_LBLMEMORY)));
    Check(!d.Enabled(IDC_OPT_CMDCLEARPROFILES), "Clear is usable before a box is checked");
    d.Key(IDC_OPT_SLDMEMORY, VK_RIGHT);
    d.Key(IDC_OPT_SLDMEMORY, VK_NEXT);
    d.Watch("the memory level to read 65 %", [&] { return d.Text(IDC_OPT_LBLMEMORY) == L"65 %"; });
    s.Screenshot("-ai");

    // Other: the tree of options, its folder without a check box.
    d.ShowPage(PageOther);
    const std::vector<OptionsDialog::TreeItem> tree = d.Tree();
    const std::vector<std::pair<std::wstring, int>> expected = {{kAutoCheck, 2},
                                                                {L"Advanced Playing Options", 0},
                                                                {kFlash, 2},
                                                                {kHand, 2},
                                                                {kSelection, 2}};
    Check(tree.size() == expected.size(), "the options tree does not hold five items");
    for (size_t i = 0; i < expected.size(); ++i)
        Check(tree[i].caption == expected[i].first && tree[i].checkImage == expected[i].second,
              "options tree item " + std::to_string(i) + " is " + Quote(tree[i].caption) +
                  " with check image " + std::to_string(tree[i].checkImage));
    d.ToggleCheck(kFlash);
    d.ToggleCheck(kHand);
    s.Screenshot("-other");
    d.Close(OptionsDialog::Way::OkButton);

    CheckDword(kOptionsKey, L"Clock", 355);
    CheckDword(kOptionsKey, L"Wait for click", 1);
    CheckDword(kComputerKey, L"AI Memory", 65);
    CheckString(L"Card Set", L"Animals");
    CheckString(L"Card Backs", L"Night Sky");
    CheckString(L"Player 1 Name", L"Ann Typed");
    CheckString(L"Player 2 Name", player2);
    CheckOptions(1, 0, 0, 1);

    // The chosen back reaches the board with the next game.
    NewOnePlayerGame(q);
    const Image board = q.CaptureSettled();
    for (int x = 0; x < kColumns; ++x)
        for (int y = 0; y < kRows; ++y)
            Check(board.At(kCardWidth * x + 35, kCardHeight * y + 48) == kNightSky,
                  "card " + CardName({x, y}) + " does not show the Night Sky back");
    s.Screenshot("-board");
}

void OptionsCancel(Scenario& s) {
    Quillon& q = s.Start();
    const std::optional<std::wstring> player1 = GetString(kOptionsKey, L"Player 1 Name");
    {
        OptionsDialog d(q);
        d.ShowPage(PageOther);
        d.ToggleCheck(kFlash);
        d.ShowPage(PageGeneral);
        d.Type(IDC_OPT_TXTPLAYERNAME0, L"Not Kept");
        d.ShowPage(PageAI);
        d.Key(IDC_OPT_SLDMEMORY, VK_NEXT);
        d.Close(OptionsDialog::Way::CancelButton);
    }
    CheckOptions(1, 0, 1, 1);
    Check(GetString(kOptionsKey, L"Player 1 Name") == player1, "Cancel stored the typed name");
    CheckDword(kComputerKey, L"AI Memory", std::nullopt);
    CheckDword(kOptionsKey, L"Clock", std::nullopt);
    {
        OptionsDialog d(q);
        d.ShowPage(PageOther);
        Check(d.Find(kFlash).checkImage == 1, "the stored flash option does not show unchecked");
        d.ToggleCheck(kFlash);
        d.ToggleCheck(kSelection);
        d.Close(OptionsDialog::Way::CloseBox);
    }
    CheckOptions(1, 1, 1, 0);
    {
        OptionsDialog d(q);
        d.ShowPage(PageOther);
        d.ToggleCheck(kAutoCheck);
        d.Close(OptionsDialog::Way::Escape);
    }
    CheckOptions(0, 1, 1, 0);
    CheckDword(kOptionsKey, L"Wait for click", std::nullopt);
}

void OptionsClear(Scenario& s) {
    Quillon& q = s.Start();
    // Results in the player's, the computer's and one per-level record.
    const std::wstring path = s.Folder() + L"Data\\profiles.dat";
    std::vector<uint8_t> bytes = s.Profile().Bytes();
    const auto setWon = [&](int record, int32_t won) {
        std::copy_n(reinterpret_cast<const uint8_t*>(&won), sizeof won,
                    bytes.begin() + kRecordSize * (record - 1));
    };
    setWon(1, 7);
    setWon(2, 9);
    setWon(3 + 50, 4);
    {
        std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        Check(out.good(), "cannot write the profile file");
    }

    OptionsDialog d(q);
    d.ShowPage(PageAI);
    d.ClickAndWait(
        IDC_OPT_CHKCLEAR1, [&] { return d.Enabled(IDC_OPT_CMDCLEARPROFILES); },
        "Clear to become usable");
    s.Screenshot("-ai");
    d.Click(IDC_OPT_CMDCLEARPROFILES);
    q.Answer(L"Clear ?", L"Are you sure ?", IDNO);
    Check(s.Profile().Bytes() == bytes, "No changed the profile file");
    d.Click(IDC_OPT_CMDCLEARPROFILES);
    q.Answer(L"Clear ?", L"Are you sure ?", IDYES);
    d.Watch("the computer's record to be cleared", [&] { return s.Profile().Computer().won == 0; });
    const ProfileFile cleared = s.Profile();
    const std::vector<uint8_t>& after = cleared.Bytes();
    Check(std::all_of(after.begin() + kRecordSize, after.begin() + 2 * kRecordSize,
                      [](uint8_t b) { return b == 0; }),
          "the computer's record is not all zero: " + Describe(cleared.Computer()));
    Check(cleared.Player().won == 7, "the player's record changed: " + Describe(cleared.Player()));
    Check(cleared.Level(50).won == 4, "the per-level record changed");
    d.ClickAndWait(
        IDC_OPT_CHKCLEAR1, [&] { return !d.Enabled(IDC_OPT_CMDCLEARPROFILES); },
        "Clear to be disabled again");
    d.Close(OptionsDialog::Way::CancelButton);
    Check(s.Profile().Computer().won == 0, "Cancel brought the statistics back");
}

void OptionsBrokenPictures(Scenario& s) {
    SetString(kOptionsKey, L"Card Set", L"Gone");
    SetString(kOptionsKey, L"Card Backs", L"Broken");
    const fs::path backs = fs::path(s.Folder()) / "Data" / "Backs";
    fs::create_directories(backs);
    std::ofstream(backs / "Broken.bmp") << "not a picture";
    Quillon& q = s.Start();
    // The board meets the broken back first, when it loads its pictures.
    AnswerFailureReport(q, L"frmMain::LoadPictureSets");

    OptionsDialog d(q, L"frmOptions::cmbCardBacks_Click");
    d.ShowPage(PageCards);
    Check(d.Selected(IDC_OPT_CMBCARDSET).empty(), "a set without its file is selected");
    Check(d.Selected(IDC_OPT_CMBCARDBACKS) == L"Broken", "the broken back is not selected");
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int id : {IDC_OPT_PICCARDSET, IDC_OPT_PICCARDBACK}) {
        const Image preview = d.Capture(id);
        for (int y = 0; y < preview.Height(); ++y)
            for (int x = 0; x < preview.Width(); ++x)
                if (preview.At(x, y) != face)
                    Fail("preview " + std::to_string(id) + " is not empty at (" +
                         std::to_string(x) + ", " + std::to_string(y) + ")");
    }
    s.Screenshot("-cards");
    d.Close(OptionsDialog::Way::OkButton);
    CheckString(L"Card Set", L"");
    CheckString(L"Card Backs", L"Broken");
}

void OptionsInGame(Scenario& s) {
    Quillon& q = s.Start();
    NewOnePlayerGame(q);
    OptionsDialog d(q);
    for (int id : {IDC_OPT_CMBCARDSET, IDC_OPT_CMBCARDBACKS, IDC_OPT_UPDNCARDSET, IDC_OPT_SLDMEMORY,
                   IDC_OPT_CHKCLEAR0, IDC_OPT_CHKCLEAR1, IDC_OPT_CMDCLEARPROFILES})
        Check(!d.Enabled(id), "control " + std::to_string(id) + " can change during a game");
    for (int id : {IDC_OPT_CHKWAITFORCLICK, IDC_OPT_TXTPLAYERNAME0, IDC_OPT_CMDRANDOM1,
                   IDC_OPT_SUIOPTIONS, IDOK, IDCANCEL})
        Check(d.Enabled(id), "control " + std::to_string(id) + " is unusable during a game");
    d.ShowPage(PageCards);
    s.Screenshot("-cards");
    d.ShowPage(PageAI);
    s.Screenshot("-ai");
    d.ShowPage(PageOther);
    d.ToggleCheck(kSelection);
    d.Close(OptionsDialog::Way::OkButton);
    CheckOptions(1, 1, 1, 0);
    q.WaitForMenu("the game to go on", [](const Menu& m) {
        return m.Get({L"&File", L"&Abandon Game"}).IsEnabled();
    });
}

}  // namespace quillon::e2e

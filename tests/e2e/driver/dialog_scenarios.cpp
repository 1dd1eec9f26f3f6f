// The options dialog of the real program: what it stores reaches the registry and the next game,
// what it clears the profile file. Its own rules (labels, snapping, lists) are pinned natively.

#include "driver.h"
// After windows.h, which driver.h brings and this needs.
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "options/win/frmNewCardSet_resource.h"
#include "options/win/frmOptions_resource.h"

namespace quillon::e2e {

using namespace text;

namespace {

enum OptionsPage { PageGeneral, PageCards, PageAI, PageOther };
constexpr wchar_t kPageLetters[] = {L'g', L'd', L'a', L'h'};
// The options tree from the top: its folder's items follow the folder.
enum TreeItem { TreeAutoCheck, TreeFolder, TreeFlash, TreeHandCursor, TreeSelection };

// The pictures added beside the defaults: one colour per card, so a preview or the board tells
// which card it shows.
constexpr COLORREF kNightSky = RGB(200, 30, 60);
constexpr COLORREF kShapeRed = RGB(255, 0, 0);
COLORREF AnimalFace(int n) { return RGB(4 * n + 20, 250 - 4 * n, 100); }
bool IsAnimal(COLORREF c) {
    for (int n = 0; n < kPairs; ++n)
        if (c == AnimalFace(n)) return true;
    return false;
}

void AddPictures(const Scenario& s) {
    Image back(kCardWidth, kCardHeight), set(kPairs * kCardWidth, kCardHeight);
    for (int y = 0; y < kCardHeight; ++y) {
        for (int x = 0; x < kCardWidth; ++x) back.Set(x, y, kNightSky);
        for (int x = 0; x < set.Width(); ++x) set.Set(x, y, AnimalFace(x / kCardWidth));
    }
    // Named in mixed case; the platform's loader reads a bitmap whatever its extension.
    back.WriteBmp(s.Folder() + L"Data\\Backs\\night SKY.bmp");
    set.WriteBmp(s.Folder() + L"Data\\Cards\\ANIMALS.jpg");
}

class OptionsDialog : public Dialog {
  public:
    explicit OptionsDialog(Quillon& q) : Dialog(q, kOptionsTitle) {}

    void Page(OptionsPage page) { ShowPage(IDC_OPT_TABBAR, kPageLetters[page], page); }

    // Arrow keys on the closed list until `entry` is the one selected.
    void Select(int id, const std::wstring& entry) {
        // The system carries the text across processes, as it does a window's.
        const auto target = SendMessageW(Item(id), CB_FINDSTRINGEXACT, WPARAM(-1),
                                         reinterpret_cast<LPARAM>(entry.c_str()));
        Check(target >= 0, "the list offers no " + Quote(entry));
        for (auto now = SendMessageW(Item(id), CB_GETCURSEL, 0, 0); now != target;) {
            Key(id, now < target ? VK_DOWN : VK_UP);
            Wait("the list to move",
                 [&] { return SendMessageW(Item(id), CB_GETCURSEL, 0, 0) != now; });
            now = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
        }
    }

    void Type(int id, const std::wstring& text) {
        SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    // Selects the tree item and presses the space bar on it.
    void Toggle(TreeItem n) {
        const HWND tree = Item(IDC_OPT_SUIOPTIONS);
        const auto next = [&](HTREEITEM from, WPARAM how) {
            return reinterpret_cast<HTREEITEM>(
                SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
        };
        std::vector<HTREEITEM> items;
        for (HTREEITEM h = next(nullptr, TVGN_ROOT); h; h = next(h, TVGN_NEXT)) {
            items.push_back(h);
            for (HTREEITEM c = next(h, TVGN_CHILD); c; c = next(c, TVGN_NEXT)) items.push_back(c);
        }
        Check(items.size() == 5, "the options tree does not hold five items");
        const auto state = [&] {
            return SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(items[n]),
                                TVIS_STATEIMAGEMASK);
        };
        const auto before = state();
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items[n]));
        Key(IDC_OPT_SUIOPTIONS, VK_SPACE);
        Wait("options tree item " + std::to_string(n) + " to change",
             [&] { return state() != before; });
    }
};

// The player's own pictures: two sizes, one colour each, apart by more than what JPEG moves
// a colour, so that a face tells its picture.
COLORREF OwnPicture(int n) { return RGB(20 + 9 * n, 240 - 9 * n, n % 2 ? 40 : 200); }
// The strip is a JPEG: a plain colour comes back within a few steps.
bool NearColour(COLORREF a, COLORREF b) {
    const auto off = [](int x, int y) { return x > y ? x - y : y - x; };
    return off(GetRValue(a), GetRValue(b)) <= 12 && off(GetGValue(a), GetGValue(b)) <= 12 &&
           off(GetBValue(a), GetBValue(b)) <= 12;
}

// The standard open dialog as a person uses it: the folder typed into the file name box and
// opened, then the names typed there in quotes, one after the other, and opened.
void ChooseFiles(Quillon& q, const std::wstring& title, const std::wstring& folder,
                 const std::vector<std::wstring>& names) {
    Dialog open(q, title);
    const auto nameBox = [&] {
        // The file name box is a combo box on newer systems and an edit box on older ones.
        for (const int id : {0x47c /* cmb13 */, 0x480 /* edt1 */})
            if (const HWND box = GetDlgItem(open.Hwnd(), id); box && IsWindowVisible(box))
                return box;
        Fail(Describe(open.Hwnd()) + " has no file name box");
    };
    const auto type = [&](const std::wstring& text) {
        SendMessageW(nameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        open.Click(IDOK);
    };
    type(folder);
    open.Wait("the open dialog to go into " + Narrow(folder),
              [&] { return WindowText(nameBox()).empty(); });
    std::wstring list;
    for (const std::wstring& name : names) list += L"\"" + name + L"\" ";
    type(list);
    open.WaitUntilGone();
}

void AnswerFailureReport(Quillon& q, std::wstring_view procedure) {
    Dialog report(q, kErrorTitle);
    Check(report.Message().find(procedure) != std::wstring::npos,
          Describe(report.Hwnd()) + " does not name " + Quote(procedure));
    report.Close(IDOK);
}

}  // namespace

// Every page worked, then OK: the registry holds the choices, Clear empties the computer's
// record only, and the next game shows the new back, the new set and the selection shape.
// During that game Cancel, the close box and Escape store the options tree and nothing else.
void OptionsScenario(Scenario& s) {
    Quillon& q = s.Start();
    AddPictures(s);
    std::vector<ProfileRecord> records = s.Profile();
    records[0].Games_Won = 7;
    records[1].Games_Won = 9;
    records[2 + 50].Games_Won += 4;
    s.WriteProfile(records);
    q.Choose({kTools, kOptions});
    {
        OptionsDialog d(q);
        d.Click(IDC_OPT_CHKWAITFORCLICK);
        d.Key(IDC_OPT_SLDREVEAL, VK_END);
        d.Type(IDC_OPT_TXTPLAYERNAME0, L"Ann Typed");

        d.Page(PageCards);
        d.Select(IDC_OPT_CMBCARDSET, L"Animals");
        d.Wait("the set preview to show the first two animals", [&] {
            const Image preview = d.Capture(IDC_OPT_PICCARDSET);
            return preview.At(35, 48) == AnimalFace(0) && preview.At(106, 48) == AnimalFace(1);
        });
        d.Select(IDC_OPT_CMBCARDBACKS, L"Night Sky");
        s.Screenshot("-cards");

        d.Page(PageAI);
        d.Key(IDC_OPT_SLDMEMORY, VK_RIGHT);
        d.Wait("the memory level to read 55 %",
               [&] { return d.Text(IDC_OPT_LBLMEMORY) == L"55 %"; });
        d.Click(IDC_OPT_CHKCLEAR1);
        d.Wait("Clear to be usable", [&] { return d.Enabled(IDC_OPT_CMDCLEARPROFILES); });
        d.Click(IDC_OPT_CMDCLEARPROFILES);
        Answer(q, kClearTitle, kClearQuestion, IDYES);
        records[1] = ProfileRecord{};
        d.Wait("the computer's record alone to be cleared", [&] { return s.Profile() == records; });
        s.Screenshot("-ai");

        d.Page(PageOther);
        d.Toggle(TreeSelection);
        d.Close(IDOK);
    }
    CheckStored(SettingClock, 1000);
    CheckStored(SettingWaitForClick, 0);
    CheckStored(SettingAIMemory, 55);
    CheckStored(SettingCardSet, std::string("Animals"));
    CheckStored(SettingCardBacks, std::string("Night Sky"));
    CheckStored(SettingPlayer1Name, std::string("Ann Typed"));
    CheckStoredOption(OPTION_SELECTION, 0);
    CheckStoredOption(OPTION_FLASH, 1);

    StartGame(q, OnePlayer);
    q.Wait("every card to show the night sky back", [&] {
        const Image board = q.CaptureClient();
        for (int k = 0; k < 2 * kPairs; ++k) {
            const Card c = DealPosition(k);
            if (board.At(kCardWidth * c.x + 35, kCardHeight * c.y + 48) != kNightSky) return false;
        }
        return true;
    });
    const Card card{3, 2};
    const int left = kCardWidth * card.x, top = kCardHeight * card.y;
    q.MoveOnto(card);
    q.Wait("the selection shape over card " + CardName(card), [&] {
        const Image client = q.CaptureClient();
        return client.At(left + 2, top + kCardHeight / 2) == kShapeRed &&
               client.At(left + kCardWidth - 3, top + kCardHeight / 2) == kShapeRed;
    });
    q.Reveal(card);
    q.Wait("the card to show an animal",
           [&] { return IsAnimal(q.CaptureClient().At(left + 35, top + 48)); });
    s.Screenshot("-board");

    // Cancel, the close box and Escape, each after a name typed and "Flash" switched over.
    const std::function<void(OptionsDialog&)> closings[] = {
        [](OptionsDialog& d) { d.Click(IDCANCEL); },
        [](OptionsDialog& d) { PostMessageW(d.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },
        [](OptionsDialog& d) { d.Key(IDC_OPT_TABBAR, VK_ESCAPE); }};
    for (int flash = 1; const auto& close : closings) {
        q.Choose({kTools, kOptions});
        OptionsDialog d(q);
        Check(!d.Enabled(IDC_OPT_CMBCARDSET) && !d.Enabled(IDC_OPT_SLDMEMORY),
              "the cards and the computer can be changed during a game");
        d.Type(IDC_OPT_TXTPLAYERNAME0, L"Not Kept");
        d.Page(PageOther);
        d.Toggle(TreeFlash);
        close(d);
        d.WaitUntilGone();
        CheckStored(SettingPlayer1Name, std::string("Ann Typed"));
        CheckStoredOption(OPTION_FLASH, flash = 1 - flash);
    }
    WaitForGameCommands(q, true);
    q.Quit();
}

// A set made of 25 pictures of the player's from the cards page: the open dialog takes them all
// at once, the new set is chosen, and a game is played with it to the end.
void NewCardSetScenario(Scenario& s) {
    Store(SettingClock, 1);
    const std::wstring folder = s.Folder() + L"My pictures";
    std::filesystem::create_directories(folder);
    std::vector<std::wstring> names;
    for (int n = 0; n < kPairs; ++n) {
        Image picture = n % 2 ? Image(300, 200) : Image(2 * kCardWidth, 2 * kCardHeight);
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) picture.Set(x, y, OwnPicture(n));
        names.push_back(L"picture " + std::to_wstring(100 + n) + L".bmp");
        picture.WriteBmp(folder + L"\\" + names.back());
    }
    Quillon& q = s.Start();
    q.Choose({kTools, kOptions});
    {
        OptionsDialog d(q);
        d.Page(PageCards);
        d.Click(IDC_OPT_CMDNEWSET);
        {
            Dialog made(q, L"New Card Set");
            Check(!made.Enabled(IDOK), "Create can be pressed before there are pictures");
            SendMessageW(made.Item(IDC_NCS_TXTNAME), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(L"holiday snaps"));
            made.Click(IDC_NCS_CMDADD);
            ChooseFiles(q, L"Add Pictures", folder, names);
            made.Wait("Create to be usable once 25 pictures are listed", [&] {
                return made.Enabled(IDOK) &&
                       SendMessageW(made.Item(IDC_NCS_LSTPICTURES), LB_GETCOUNT, 0, 0) == kPairs;
            });
            made.Wait("the preview to show the first pictures", [&] {
                const Image preview = made.Capture(IDC_NCS_PICPREVIEW);
                return preview.At(35, 48) == OwnPicture(0) &&
                       preview.At(kCardWidth + 35, 48) == OwnPicture(1);
            });
            s.Screenshot("-dialog");
            made.Close(IDOK);
        }
        d.Wait("the new set to be chosen, its first two faces shown", [&] {
            const Image preview = d.Capture(IDC_OPT_PICCARDSET);
            return d.Text(IDC_OPT_CMBCARDSET) == L"Holiday Snaps" &&
                   NearColour(preview.At(35, 48), OwnPicture(0)) &&
                   NearColour(preview.At(kCardWidth + 35, 48), OwnPicture(1));
        });
        s.Screenshot("-options");
        d.Close(IDOK);
    }
    CheckStored(SettingCardSet, std::string("Holiday Snaps"));
    Check(std::filesystem::exists(s.Folder() + L"Data\\Cards\\holiday snaps.jpg"),
          "the set is not in the card-set folder under its name");

    DealUnshuffled(q);
    StartGame(q, OnePlayer);
    q.WaitForBoard(Look::Back, "after the deal");
    for (int pair = 0; pair < kPairs; ++pair) {
        const Card a = DealPosition(2 * pair), b = DealPosition(2 * pair + 1);
        q.Reveal(a);
        q.WaitForLook({a}, Look::Face);
        q.Reveal(b);
        q.WaitForPanel(1, {kWaiting});
        q.Click();
        q.WaitForPanel(1, {pair + 1 < kPairs ? kSingle : kGameOver});
    }
    // Each pair shows one of the player's pictures, and every picture is there.
    const Image board = q.CaptureClient();
    std::vector<bool> seen(kPairs);
    for (int k = 0; k < 2 * kPairs; ++k) {
        const Card c = DealPosition(k);
        const COLORREF face = board.At(kCardWidth * c.x + 35, kCardHeight * c.y + 48);
        int n = 0;
        while (n < kPairs && !NearColour(face, OwnPicture(n))) ++n;
        Check(n < kPairs, CardName(c) + " shows none of the player's pictures");
        seen[n] = true;
    }
    Check(std::find(seen.begin(), seen.end(), false) == seen.end(),
          "a picture of the set never showed");
    s.Screenshot("-board");
    q.Quit();
}

// A stored set whose file is gone and a back that is no picture: the board and the options
// dialog each report the failure, and the program goes on.
void BrokenPictures(Scenario& s) {
    Store(SettingCardSet, std::string("Gone"));
    Store(SettingCardBacks, std::string("Broken"));
    std::filesystem::create_directories(std::filesystem::path(s.Folder()) / "Data" / "Backs");
    WriteBytes(s.Folder() + L"Data\\Backs\\Broken.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'B', 'M'});
    Quillon& q = s.Start();
    AnswerFailureReport(q, L"frmMain::LoadPictureSets");
    q.Choose({kTools, kOptions});
    AnswerFailureReport(q, L"frmOptions::cmbCardBacks_Click");
    {
        OptionsDialog d(q);
        d.Page(PageCards);
        s.Screenshot("-cards");
        d.Close(IDCANCEL);
    }
    q.Quit();
}

}  // namespace quillon::e2e

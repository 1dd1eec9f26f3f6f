// The About box under Wine: loaded, given the game's rows and shown over a window of the test's
// own, read while it waits for input, and closed with OK.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "VyxIUpdate_h.h"
#include "iupdate/win/frmAbout_resource.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/library_windows.h"
#include "iupdate/win/license_text.h"
#include "iupdate/win/module.h"
#include "library_under_test.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "support/run_dialog.h"
#include "support/temp_folder.h"
#include "ui/win/dialog_base.h"

namespace quillon::test {
namespace {

struct ListedRow {
    std::string sTitle;
    std::string sVersion;
    int lImage;
};

std::vector<ListedRow> ListedRows(HWND hList) {
    std::vector<ListedRow> rows;
    for (int i = 0; i < ListView_GetItemCount(hList); ++i) {
        wchar_t title[128] = {}, version[32] = {};
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = title;
        item.cchTextMax = 128;
        ListView_GetItem(hList, &item);
        ListView_GetItemText(hList, i, 1, version, 32);
        rows.push_back({win::Narrow(title), win::Narrow(version), item.iImage});
    }
    return rows;
}

// Pixels of the logo's square on the window that differ from the background where the mask is
// white and from the logo where it is black.
int LogoMismatches(HWND hDialog) {
    const auto load = [](const wchar_t* szName) {
        return win::ScopedGdiObject(LoadImageW(iupdate::Module(), szName, IMAGE_BITMAP, 0, 0, 0));
    };
    const win::ScopedGdiObject logo = load(L"LOGO"), mask = load(L"LOGO_MASK");
    const win::ScopedGdiObject background(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    const win::ScopedGetDC screen(hDialog);
    const win::ScopedMemoryDC logoDc(CreateCompatibleDC(screen.Get()));
    const win::ScopedMemoryDC maskDc(CreateCompatibleDC(screen.Get()));
    const win::ScopedSelect logoIn(logoDc.Get(), logo.Get()), maskIn(maskDc.Get(), mask.Get());
    int lMismatches = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool bBehind = GetPixel(maskDc.Get(), x, y) == RGB(255, 255, 255);
            const COLORREF expected =
                bBehind ? GetSysColor(COLOR_BTNFACE) : GetPixel(logoDc.Get(), x, y);
            if (GetPixel(screen.Get(), 5 + x, 5 + y) != expected) ++lMismatches;
        }
    }
    return lMismatches;
}

bool IsLink(HWND hEdit, const wchar_t* szText) {
    FINDTEXTEXW find{{0, -1}, szText, {0, 0}};
    if (SendMessageW(hEdit, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(&find)) < 0)
        return false;
    SendMessageW(hEdit, EM_SETSEL, find.chrgText.cpMin + 1, find.chrgText.cpMin + 2);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(hEdit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwEffects & CFE_LINK) != 0;
}

class AboutBox : public LinkedLibrary {};

TEST_F(AboutBox, ShowsTheProductTheLogoTheLicenseAndEachComponentWithItsFileVersion) {
    iupdate::LibraryState& state = iupdate::State();
    state.sAppTitle = "Quillon";
    state.lAppMajor = 1, state.lAppMinor = 2, state.lAppRev = 3;
    state.sVersionExtra.clear();
    state.sAdodbVersion.clear();
    // Braces and a backslash would break the document's groups if they went in unescaped.
    state.sCopyright = "Copyright \xC2\xA9 2026 {Veltrane} \\ Games";

    const TempFolder temp;
    iupdate::AboutLoad();
    iupdate::AboutAddItem(LibraryPath(), "VYX Internet Update", ICON_DLL);
    iupdate::AboutAddItem(win::Narrow((temp.path / "gone.exe").wstring()), "Gone Part", ICON_EXE);
    iupdate::AboutAddItem("", "gone part", ICON_OCX);  // the same key: ignored

    std::vector<ListedRow> rows;
    std::string sCaption, sTitle, sVersion, sLicense;
    bool bAdodbShown = true, bLink = false;
    int lLogoMismatches = -1, lIcons = 0;
    ASSERT_TRUE(RunDialog(
        [](HWND hOwner) { iupdate::AboutShow(hOwner); },
        [&](HWND hDialog) {
            const auto text = [&](int lId) {
                return win::Narrow(win::WindowText(GetDlgItem(hDialog, lId)));
            };
            const HWND hList = GetDlgItem(hDialog, IDC_ABOUT_LST);
            rows = ListedRows(hList);
            lIcons = ImageList_GetImageCount(ListView_GetImageList(hList, LVSIL_SMALL));
            sCaption = win::Narrow(win::WindowText(hDialog));
            sTitle = text(IDC_ABOUT_LBLTITLE);
            sVersion = text(IDC_ABOUT_LBLVERSION);
            bAdodbShown = IsWindowVisible(GetDlgItem(hDialog, IDC_ABOUT_LBLADODBVER));
            sLicense = text(IDC_ABOUT_RCHEDIT);
            bLink = IsLink(GetDlgItem(hDialog, IDC_ABOUT_RCHEDIT), L"http://www.veltrane.example/");
            lLogoMismatches = LogoMismatches(hDialog);
            return IDOK;
        }));
    EXPECT_EQ(sCaption, "About Quillon");
    EXPECT_EQ(sTitle, "Quillon");
    EXPECT_EQ(sVersion, "Version 1.2.3");
    EXPECT_FALSE(bAdodbShown);
    EXPECT_EQ(lLogoMismatches, 0) << "the logo over the window's background";
    EXPECT_NE(sLicense.find(state.sCopyright), std::string::npos) << sLicense;
    EXPECT_EQ(sLicense.find("%Copyright%"), std::string::npos);
    EXPECT_TRUE(bLink) << "the maker's address is a link";

    // The game's rows first, then the library's own; files that are missing or carry no
    // version show none. Other tests may have left rows before them.
    EXPECT_EQ(lIcons, 4);
    const auto at = [&](const std::string& sRowTitle) {
        return std::find_if(rows.begin(), rows.end(),
                            [&](const ListedRow& row) { return row.sTitle == sRowTitle; });
    };
    const auto ours = at("VYX Internet Update");
    ASSERT_NE(ours, rows.end());
    ASSERT_GE(rows.end() - ours, 6) << "two of the game's rows and four of the library's";
    const struct {
        const char* szTitle;
        bool bVersioned;
        int lImage;
    } expected[] = {
        {"VYX Internet Update", true, ICON_DLL - 1},
        {"Gone Part", false, ICON_EXE - 1},
        {"Sax ActiveX SmartUI", false, ICON_OCX - 1},
        {"Orlent RichText Control", false, ICON_OCX - 1},
        {"zLib Compression Library", false, ICON_DLL - 1},
        {"Rich Edit Control", true, ICON_DLL - 1},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        const ListedRow& row = ours[static_cast<ptrdiff_t>(i)];
        EXPECT_EQ(row.sTitle, expected[i].szTitle);
        EXPECT_EQ(!row.sVersion.empty(), expected[i].bVersioned) << row.sTitle << row.sVersion;
        EXPECT_EQ(row.lImage, expected[i].lImage) << row.sTitle;
    }
    EXPECT_EQ(ours->sVersion, "2.01.0000") << "the built library's 2.1.0.0";

    // Closed means unloaded: no rows are left and the library may go.
    EXPECT_TRUE(iupdate::AboutRows().empty());
    EXPECT_TRUE(iupdate::CanUnload());
    EXPECT_TRUE(m_reports.empty()) << m_reports[0].sMessage;
}

TEST(AboutLicense, EveryPlaceholderTakesTheCopyrightAsTextAndTheDocumentStaysSevenBit) {
    EXPECT_EQ(iupdate::FillLicense(L"{\\b %Copyright%\\par}%Copyright%", L"A {b}\\c\r\nd"),
              L"{\\b A \\{b\\}\\\\c\\line d\\par}A \\{b\\}\\\\c\\line d");
    EXPECT_EQ(iupdate::FillLicense(L"{\\b %Copyright%\\par}", L""), L"{\\b \\par}")
        << "an empty copyright leaves an empty bold line";
    EXPECT_EQ(iupdate::RtfBytes(L"\u00A9 \u20AC\uFFFDx"), "\\u169? \\u8364?\\u-3?x");
}

}  // namespace
}  // namespace quillon::test

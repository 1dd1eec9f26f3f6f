#pragma once
// Works the update wizard as a person would, from an owner window of the test's own: a click
// each time the wizard waits for input, and a look every few milliseconds in between, which
// also runs inside the transfers (their message processing serves the owner's timer) and
// inside the wizard's message boxes, which it answers.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "iupdate/win/frmInternetUpdate_resource.h"
#include "shell/win/text.h"
#include "ui/win/dialog_base.h"

namespace quillon::test {

// A message box the wizard showed.
struct SeenMessage {
    std::string sTitle;
    std::string sText;
};

class WizardDriver {
  public:
    // Called each time the wizard waits for input (often: after every message it handled); it
    // looks at the wizard's state and posts the click that the state calls for, if any.
    using OnIdle = std::function<void(HWND hWizard)>;
    // Called every tick while the wizard is shown, during transfers too.
    using OnTick = std::function<void(HWND hWizard)>;

    // lMessageAnswer is the button that answers every message box (IDOK, IDYES, IDNO).
    explicit WizardDriver(OnIdle onIdle, OnTick onTick = {}, int lMessageAnswer = IDOK)
        : m_onIdle(std::move(onIdle)), m_onTick(std::move(onTick)), m_lAnswer(lMessageAnswer) {}

    // Calls show(hOwner), which returns when the wizard has closed.
    void Run(const std::function<void(HWND)>& show) {
        const HWND hOwner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 120, 80, 500,
                                            400, nullptr, nullptr, nullptr, 0);
        ASSERT_TRUE(hOwner) << "no owner window";
        SetWindowSubclass(hOwner, &OwnerProc, 1, reinterpret_cast<DWORD_PTR>(this));
        SetTimer(hOwner, 1, 20, nullptr);
        show(hOwner);
        KillTimer(hOwner, 1);
        DestroyWindow(hOwner);
    }

    const std::vector<SeenMessage>& Messages() const { return m_messages; }

  private:
    static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR refData) {
        auto& self = *reinterpret_cast<WizardDriver*>(refData);
        if (msg == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
            self.m_hWizard = reinterpret_cast<HWND>(lParam);
            if (self.m_onIdle) self.m_onIdle(self.m_hWizard);
        } else if (msg == WM_TIMER && wParam == 1) {
            self.Tick();
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }

    void Tick() {
        // Nothing to look at before the wizard's first wait for input.
        if (!m_hWizard || !IsWindow(m_hWizard)) return;
        AnswerMessageBox();
        if (m_onTick) m_onTick(m_hWizard);
    }

    // A message box owned by the wizard: read, then answered.
    void AnswerMessageBox() {
        for (HWND h = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); h;
             h = FindWindowExW(nullptr, h, L"#32770", nullptr)) {
            if (GetWindow(h, GW_OWNER) != m_hWizard || !IsWindowVisible(h)) continue;
            // The message is the box's static text with the id 0xFFFF.
            m_messages.push_back({win::Narrow(win::WindowText(h)),
                                  win::Narrow(win::WindowText(GetDlgItem(h, 0xFFFF)))});
            PostMessageW(h, WM_COMMAND, static_cast<WPARAM>(m_lAnswer), 0);
            return;
        }
    }

    OnIdle m_onIdle;
    OnTick m_onTick;
    int m_lAnswer;
    HWND m_hWizard = nullptr;
    std::vector<SeenMessage> m_messages;
};

// The log's lines, newest first.
inline std::vector<std::string> LogLines(HWND hWizard) {
    std::vector<std::string> lines;
    std::istringstream text(win::Narrow(win::WindowText(GetDlgItem(hWizard, IDC_UPD_TXTSTATUS))));
    for (std::string sLine; std::getline(text, sLine);) {
        if (!sLine.empty() && sLine.back() == '\r') sLine.pop_back();
        lines.push_back(sLine);
    }
    return lines;
}

// A row of the wizard's list as it shows: its columns, its check box (0 none, 1 unchecked,
// 2 checked), its indentation and icon.
struct ShownRow {
    std::string sCaption, sDescription, sRequired;
    UINT lCheck = 0;
    int lIndent = 0, lImage = 0;
    bool operator==(const ShownRow&) const = default;
};

inline void PrintTo(const ShownRow& row, std::ostream* os) {
    *os << "{" << row.sCaption << " | " << row.sDescription << " | " << row.sRequired << " | check "
        << row.lCheck << " indent " << row.lIndent << " image " << row.lImage << "}";
}

inline std::vector<ShownRow> ListRows(HWND hWizard) {
    const HWND hList = GetDlgItem(hWizard, IDC_UPD_LST);
    std::vector<ShownRow> rows;
    for (int i = 0; i < ListView_GetItemCount(hList); ++i) {
        wchar_t text[3][128] = {};
        for (int lColumn = 0; lColumn < 3; ++lColumn) {
            ListView_GetItemText(hList, i, lColumn, text[lColumn], 128);
        }
        LVITEMW item{};
        item.mask = LVIF_INDENT | LVIF_IMAGE | LVIF_STATE;
        item.iItem = i;
        item.stateMask = LVIS_STATEIMAGEMASK;
        ListView_GetItem(hList, &item);
        rows.push_back({win::Narrow(text[0]), win::Narrow(text[1]), win::Narrow(text[2]),
                        (item.state & LVIS_STATEIMAGEMASK) >> 12, item.iIndent, item.iImage});
    }
    return rows;
}

inline bool Shown(HWND hWizard, int lId) { return IsWindowVisible(GetDlgItem(hWizard, lId)); }
inline bool Usable(HWND hWizard, int lId) {
    return Shown(hWizard, lId) && IsWindowEnabled(GetDlgItem(hWizard, lId));
}
// A click as the button gives it: its command to the wizard.
inline void Click(HWND hWizard, int lId) {
    PostMessageW(hWizard, WM_COMMAND, MAKEWPARAM(lId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hWizard, lId)));
}

}  // namespace quillon::test

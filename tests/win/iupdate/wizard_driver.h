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

// A message box the wizard showed, and the button that answered it.
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
        m_hOwner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 120, 80, 500, 400,
                                   nullptr, nullptr, nullptr, 0);
        ASSERT_TRUE(m_hOwner) << "no owner window";
        SetWindowSubclass(m_hOwner, &OwnerProc, 1, reinterpret_cast<DWORD_PTR>(this));
        SetTimer(m_hOwner, 1, 20, nullptr);
        show(m_hOwner);
        KillTimer(m_hOwner, 1);
        DestroyWindow(m_hOwner);
    }

    HWND Wizard() const { return m_hWizard; }
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
        if (!m_hWizard) m_hWizard = FindWizard();
        if (!m_hWizard || !IsWindow(m_hWizard)) return;
        AnswerMessageBox();
        if (m_onTick) m_onTick(m_hWizard);
    }

    // The wizard before its first wait: the thread's visible dialog owned by our window.
    HWND FindWizard() const {
        for (HWND h = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); h;
             h = FindWindowExW(nullptr, h, L"#32770", nullptr)) {
            if (GetWindow(h, GW_OWNER) == m_hOwner && GetDlgItem(h, IDC_UPD_TXTSTATUS)) return h;
        }
        return nullptr;
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
    HWND m_hOwner = nullptr;
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

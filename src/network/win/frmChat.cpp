#include "network/win/frmChat.h"

#include "network/lan_message.h"
#include "network/win/network_resource.h"
#include "shell/program_values.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

// The conversation keeps its last lines: a long session cannot fill the edit control.
constexpr int kMaxConversation = 30000;

}  // namespace

frmChat::frmChat(HINSTANCE hInstance, ProgramValues& values, IChatLink& link)
    : m_hInstance(hInstance), m_values(values), m_link(link) {}

frmChat::~frmChat() { Unload(); }

bool frmChat::Show(HWND hOwner) {
    if (Hwnd() == nullptr && !CreateModeless(m_hInstance, IDD_CHAT, hOwner)) return false;
    m_values.g_bChatLoaded = true;
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

void frmChat::Unload() {
    Destroy();
    m_values.g_bChatLoaded = false;
}

void frmChat::Message_Add(const std::string& sText) {
    const HWND hBox = Item(IDC_CHAT_TXTMESSAGE);
    if (hBox == nullptr) return;
    const std::wstring sLine = Widen(sText) + L"\r\n";
    int lLength = GetWindowTextLengthW(hBox);
    if (lLength + static_cast<int>(sLine.size()) > kMaxConversation) {
        // Drop whole lines from the top until the new one fits.
        const std::wstring sAll = WindowText(hBox);
        size_t lCut = sAll.size() + sLine.size() - kMaxConversation;
        lCut = sAll.find(L'\n', lCut);
        lCut = lCut == std::wstring::npos ? sAll.size() : lCut + 1;
        SendMessageW(hBox, EM_SETSEL, 0, static_cast<LPARAM>(lCut));
        SendMessageW(hBox, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        lLength = GetWindowTextLengthW(hBox);
    }
    SendMessageW(hBox, EM_SETSEL, static_cast<WPARAM>(lLength), static_cast<LPARAM>(lLength));
    SendMessageW(hBox, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(sLine.c_str()));
    SendMessageW(hBox, EM_SCROLLCARET, 0, 0);
}

void frmChat::Message_Send() {
    const HWND hInput = Item(IDC_CHAT_TXTSEND);
    const std::string sText = Narrow(WindowText(hInput));
    if (sText.find_first_not_of(' ') == std::string::npos) return;
    // A failed send is reported by the network dialog; the line still shows here.
    m_link.SendData(LanChatMessage(Utf8ToAnsi(sText)));
    std::string sLine = "<";
    sLine += m_link.Nickname();
    sLine += "> ";
    sLine += sText;
    Message_Add(sLine);
    SetWindowTextW(hInput, L"");
}

INT_PTR frmChat::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            SendMessageW(Item(IDC_CHAT_TXTSEND), EM_LIMITTEXT, kMaxChatLine, 0);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_CHAT_CMDSEND:  // the button, or Enter in the input box
                    Message_Send();
                    return TRUE;
                case IDCANCEL:  // Escape empties the input box; the window stays
                    SetWindowTextW(Item(IDC_CHAT_TXTSEND), L"");
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_CLOSE:
            // Closing only hides it: the next network game shows it again.
            ShowWindow(Hwnd(), SW_HIDE);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace quillon::win

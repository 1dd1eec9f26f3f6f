#include "network/win/frmLan.h"

#include <commctrl.h>

#include <array>

#include "network/lan_message.h"
#include "network/win/modLan.h"
#include "network/win/network_resource.h"
#include "shell/program_values.h"
#include "shell/settings.h"
#include "shell/win/text.h"
#include "ui/win/string_table.h"

namespace quillon::win {

namespace {

constexpr UINT kSocketMessage = WM_APP + 1;
// Bytes that arrive while the engine is inside a call wait for it on this timer.
constexpr UINT_PTR kReadLaterTimer = 1;
constexpr UINT kReadLaterMs = 50;

constexpr std::array<int, 4> kHostBoxes = {IDC_LAN_TXTHOST0, IDC_LAN_TXTHOST1, IDC_LAN_TXTHOST2,
                                           IDC_LAN_TXTHOST3};
constexpr int kNicknameLength = 20;
constexpr int kPortLength = 4;
constexpr int kHostBoxLength = 3;
enum Page { PageHost, PageClient };

uint16_t PortNumber(const std::string& sText) {
    int lPort = 0;
    for (const char c : sText)
        if (c >= '0' && c <= '9') lPort = lPort * 10 + (c - '0');
    return static_cast<uint16_t>(lPort);
}

}  // namespace

frmLan::frmLan(const AppContext& context, ILanBoard& board) : m_context(context), m_board(board) {}

frmLan::~frmLan() { Unload(); }

bool frmLan::Load(HWND hOwner) {
    if (Loaded()) return true;
    if (!CreateModeless(m_context.hInstance, IDD_LAN, hOwner)) return false;
    Form_Load();
    return true;
}

void frmLan::Form_Load() {
    const HCURSOR hOld = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    m_socket.emplace(m_hwnd, kSocketMessage);
    m_context.values.g_bLanGame = true;
    m_board.Lan_EnablePing();

    m_tabs.Create(
        m_hwnd, IDC_LAN_TABS, m_context.hInstance,
        {{IDS_LAN_TAB_HOST,
          {IDC_LAN_FRALOCAL, IDC_LAN_LBLIP, IDC_LAN_LSTIP, IDC_LAN_LBLNICKNAME, IDC_LAN_TXTNICKNAME,
           IDC_LAN_LBLLOCALPORT, IDC_LAN_TXTLOCALPORT, IDC_LAN_CHKISHOST}},
         {IDS_LAN_TAB_CLIENT,
          {IDC_LAN_FRADIRECT, IDC_LAN_LBLHOST, IDC_LAN_TXTHOST0, IDC_LAN_TXTHOST1, IDC_LAN_TXTHOST2,
           IDC_LAN_TXTHOST3, IDC_LAN_LBLREMOTEPORT, IDC_LAN_TXTREMOTEPORT, IDC_LAN_CMDCONNECT}}},
        {IDC_LAN_CANCEL}, [this](int) { UpdateControls(); });

    SendMessageW(Item(IDC_LAN_TXTNICKNAME), EM_LIMITTEXT, kNicknameLength, 0);
    SendMessageW(Item(IDC_LAN_TXTLOCALPORT), EM_LIMITTEXT, kPortLength, 0);
    SendMessageW(Item(IDC_LAN_TXTREMOTEPORT), EM_LIMITTEXT, kPortLength, 0);
    for (const int lId : kHostBoxes) SendMessageW(Item(lId), EM_LIMITTEXT, kHostBoxLength, 0);

    SetWindowTextW(Item(IDC_LAN_TXTNICKNAME),
                   Widen(m_context.settings.GetSettingText(SettingPlayerLanName)).c_str());
    const HWND hList = Item(IDC_LAN_LSTIP);
    for (const std::string& sIp : GetLocalIp())
        SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(sIp).c_str()));
    const LRESULT lCount = SendMessageW(hList, LB_GETCOUNT, 0, 0);
    if (lCount > 0) SendMessageW(hList, LB_SETCURSEL, static_cast<WPARAM>(lCount - 1), 0);

    m_hTip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                             m_hwnd, nullptr, m_context.hInstance, nullptr);
    std::wstring sTip = LoadText(m_context.hInstance, IDS_LAN_IP_TIP);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hList);
    tool.lpszText = sTip.data();
    SendMessageW(m_hTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

    for (const int lId : kHostBoxes) SetNumericStyle(lId, true);
    SetNumericStyle(IDC_LAN_TXTLOCALPORT, true);
    SetNumericStyle(IDC_LAN_TXTREMOTEPORT, true);
    const std::wstring sPort = std::to_wstring(kDefaultLanPort);
    SetWindowTextW(Item(IDC_LAN_TXTLOCALPORT), sPort.c_str());
    SetWindowTextW(Item(IDC_LAN_TXTREMOTEPORT), sPort.c_str());

    // A hand-edited address of fewer parts fills the boxes it has; extra parts are dropped.
    const std::string sLastIp = m_context.settings.GetSettingText(SettingLastIP);
    size_t lStart = 0;
    for (const int lId : kHostBoxes) {
        const size_t lEnd = std::min(sLastIp.find('.', lStart), sLastIp.size());
        const std::string sPart =
            lStart <= sLastIp.size() ? sLastIp.substr(lStart, lEnd - lStart) : std::string();
        SetWindowTextW(Item(lId), Widen(sPart.substr(0, kHostBoxLength)).c_str());
        lStart = lEnd + 1;
    }
    UpdateControls();
    SetCursor(hOld);
}

void frmLan::ShowModal() {
    if (!Loaded()) return;
    const HWND hOwner = GetWindow(m_hwnd, GW_OWNER);
    CentreOverOwner(m_hwnd);
    m_tabs.Select(PageHost);
    UpdateControls();
    ShowWindow(m_hwnd, SW_SHOW);
    SetFocus(Item(IDC_LAN_CANCEL));
    EnableWindow(hOwner, FALSE);
    MSG msg;
    while (Loaded() && IsWindowVisible(m_hwnd)) {
        const BOOL bGot = GetMessageW(&msg, nullptr, 0, 0);
        if (bGot <= 0) {
            if (bGot == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (Loaded() && IsDialogMessageW(m_hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    EnableWindow(hOwner, TRUE);
    SetActiveWindow(hOwner);
}

void frmLan::Unload() {
    if (!Loaded()) return;
    const std::string sNickname = Nickname();
    if (!sNickname.empty()) m_context.settings.SaveSetting(SettingPlayerLanName, sNickname);
    if (m_socket && m_socket->GetState() == LanSocket::State::Connected &&
        m_context.values.g_bGameRunning) {
        try {
            m_socket->Send(kLanDisconnect);  // the one message without its terminator
        } catch (const QuillonError&) {
            // The peer is gone already; there is nobody left to tell.
        }
    }
    m_socket.reset();
    m_context.values.g_bLanGame = false;
    m_context.settings.SaveSetting(SettingLastIP, HostAddress());
    const HWND hOwner = GetWindow(m_hwnd, GW_OWNER);
    if (hOwner) EnableWindow(hOwner, TRUE);
    Destroy();
}

void frmLan::Start_Game(const std::string& sName) {
    Handled("Start_Game", [&] {
        if (!sName.empty()) m_link.SetOpponentName(sName);
        // The status bar names the local player by the stored nickname: store the one typed now,
        // not at the end of the session.
        const std::string sNickname = Nickname();
        if (!sNickname.empty()) m_context.settings.SaveSetting(SettingPlayerLanName, sNickname);
        ShowWindow(m_hwnd, SW_HIDE);
        m_board.Lan_ShowChat();
        m_board.Lan_NewGame();
    });
}

void frmLan::Ping(uint32_t lTick, bool bMayEndGame) {
    if (m_board.Lan_CurrentGame() == nullptr) return;
    if (bMayEndGame && m_link.CheckSilence(lTick)) return;
    SendData(std::string(kLanOk));
}

// ---------------------------------------------------------------------------------------------
// Controls

std::string frmLan::HostAddress() const {
    std::string sHost;
    for (const int lId : kHostBoxes) {
        if (lId != IDC_LAN_TXTHOST0) sHost += '.';
        sHost += ItemText(lId);
    }
    return sHost;
}

bool frmLan::Handled(const char* sProcedure, const std::function<void()>& body) {
    return quillon::Handled(m_context.reporter, "frmLan", sProcedure, false, body);
}

bool frmLan::IsChecked(int lId) const { return IsDlgButtonChecked(m_hwnd, lId) == BST_CHECKED; }

void frmLan::SetNumericStyle(int lId, bool bNumeric) {
    const HWND hBox = Item(lId);
    LONG_PTR lStyle = GetWindowLongPtrW(hBox, GWL_STYLE);
    lStyle = bNumeric ? (lStyle | ES_NUMBER) : (lStyle & ~static_cast<LONG_PTR>(ES_NUMBER));
    SetWindowLongPtrW(hBox, GWL_STYLE, lStyle);
    InvalidateRect(hBox, nullptr, TRUE);
}

void frmLan::UpdateControls() {
    const bool bNickname = !ItemText(IDC_LAN_TXTNICKNAME).empty();
    const bool bHosting = IsChecked(IDC_LAN_CHKISHOST);
    const bool bClient = bNickname && !bHosting;
    for (const int lId : m_tabs.Controls(PageClient))
        EnableWindow(Item(lId), bClient && (lId != IDC_LAN_CMDCONNECT || m_bConnectAllowed));
    EnableWindow(Item(IDC_LAN_TXTNICKNAME), !bHosting);
    EnableWindow(Item(IDC_LAN_TXTLOCALPORT), bNickname && !bHosting);
    EnableWindow(Item(IDC_LAN_CHKISHOST), bNickname);
}

void frmLan::AllowConnect(bool bAllowed) {
    m_bConnectAllowed = bAllowed;
    EnableWindow(Item(IDC_LAN_CMDCONNECT),
                 bAllowed && IsWindowEnabled(Item(IDC_LAN_TXTREMOTEPORT)));
}

void frmLan::txtHost_Change(int lIndex) {
    Handled("txtHost_Change", [&] {
        const std::string sText = ItemText(kHostBoxes[lIndex]);
        AllowConnect(!sText.empty());
        if (static_cast<int>(sText.size()) >= kHostBoxLength && lIndex + 1 < 4) {
            const HWND hNext = Item(kHostBoxes[lIndex + 1]);
            SetFocus(hNext);
            SendMessageW(hNext, EM_SETSEL, 0, -1);
        }
    });
}

void frmLan::chkIsHost_Click() {
    if (m_bGuard) return;
    if (IsChecked(IDC_LAN_CHKISHOST)) {
        Socket_Listen();
    } else {
        m_socket->Close();
        m_link.Reset(LanPhase::Closed, false);
    }
    UpdateControls();
}

void frmLan::cmdConnect_Click() { Socket_Connect(HostAddress()); }

INT_PTR frmLan::OnCommand(int lId, int lCode) {
    switch (lId) {
        case IDC_LAN_TXTNICKNAME:
            if (lCode == EN_CHANGE) UpdateControls();
            return TRUE;
        case IDC_LAN_TXTLOCALPORT:
            if (lCode == EN_CHANGE)
                EnableWindow(Item(IDC_LAN_CHKISHOST), !ItemText(IDC_LAN_TXTLOCALPORT).empty());
            return TRUE;
        case IDC_LAN_TXTREMOTEPORT:
            if (lCode == EN_CHANGE) AllowConnect(!ItemText(IDC_LAN_TXTREMOTEPORT).empty());
            return TRUE;
        case IDC_LAN_TXTHOST0:
        case IDC_LAN_TXTHOST1:
        case IDC_LAN_TXTHOST2:
        case IDC_LAN_TXTHOST3:
            if (lCode == EN_CHANGE) txtHost_Change(lId - IDC_LAN_TXTHOST0);
            return TRUE;
        case IDC_LAN_CHKISHOST:
            if (lCode == BN_CLICKED) chkIsHost_Click();
            return TRUE;
        case IDC_LAN_CMDCONNECT:
            cmdConnect_Click();
            return TRUE;
        case IDC_LAN_CANCEL:
        case IDCANCEL:
            Unload();
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR frmLan::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            return FALSE;  // Form_Load sets the focus
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            return m_tabs.OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CLOSE:
            Unload();
            return TRUE;
        case WM_TIMER:
            if (wParam == kReadLaterTimer) DataArrival();
            return TRUE;
        case kSocketMessage:
            OnSocket(wParam, lParam);
            return TRUE;
        default:
            return FALSE;
    }
}

// ---------------------------------------------------------------------------------------------
// The socket

void frmLan::Socket_Listen() {
    const bool bListening = Handled("Socket_Listen", [&] {
        m_link.Reset(LanPhase::Closed, true);
        m_socket->Listen(PortNumber(ItemText(IDC_LAN_TXTLOCALPORT)));
        m_link.Reset(LanPhase::Listening, true);
        UpdateControls();
    });
    if (!bListening) {
        m_bGuard = true;
        CheckDlgButton(m_hwnd, IDC_LAN_CHKISHOST, BST_UNCHECKED);
        m_bGuard = false;
        UpdateControls();
    }
}

void frmLan::Socket_Connect(const std::string& sHost) {
    try {
        AllowConnect(false);
        m_link.Reset(LanPhase::Connecting, false);
        m_socket->Connect(sHost, PortNumber(ItemText(IDC_LAN_TXTREMOTEPORT)));
    } catch (const QuillonError& error) {
        sckTransfer_Error(error.Number());
    } catch (...) {
        ReportCurrentException(m_context.reporter, "frmLan", "Socket_Connect", false);
    }
}

void frmLan::OnSocket(WPARAM socket, LPARAM lParam) {
    // Events of a socket closed since they were posted are stale.
    if (!m_socket || !m_socket->Owns(socket)) return;
    const int lError = WSAGETSELECTERROR(lParam);
    switch (WSAGETSELECTEVENT(lParam)) {
        case FD_ACCEPT:
            Handled("sckTransfer_ConnectionRequest", [&] {
                m_socket->Accept();
                m_link.Reset(LanPhase::AwaitingHello, true);
                SendData(std::string(kLanOk));
            });
            break;
        case FD_CONNECT: {
            if (lError != 0) {
                sckTransfer_Error(lError);
                break;
            }
            m_socket->Connected();
            m_link.Reset(LanPhase::HelloSent, false);
            const HWND hList = Item(IDC_LAN_LSTIP);
            const LRESULT lSel = SendMessageW(hList, LB_GETCURSEL, 0, 0);
            std::wstring sIp;
            if (lSel != LB_ERR) {
                sIp.resize(static_cast<size_t>(SendMessageW(hList, LB_GETTEXTLEN, lSel, 0)) + 1);
                sIp.resize(static_cast<size_t>(
                    SendMessageW(hList, LB_GETTEXT, lSel, reinterpret_cast<LPARAM>(sIp.data()))));
            }
            SendData(LanHelloMessage(Narrow(sIp), Lan_Nickname()));
            break;
        }
        case FD_READ:
            DataArrival();
            break;
        case FD_WRITE:
            Handled("SendData", [&] { m_socket->Flush(); });
            break;
        case FD_CLOSE:
            DataArrival();
            if (m_socket && m_socket->Owns(socket)) {
                m_socket->Close();
                m_link.ConnectionClosed();
            }
            break;
        default:
            break;
    }
}

void frmLan::DataArrival() {
    if (m_board.Lan_EngineBusy()) {
        SetTimer(m_hwnd, kReadLaterTimer, kReadLaterMs, nullptr);
        return;
    }
    KillTimer(m_hwnd, kReadLaterTimer);
    if (!m_socket) return;
    const std::string sBytes = m_socket->Receive();
    if (!sBytes.empty()) m_link.DataArrival(sBytes, GetTickCount());
}

void frmLan::sckTransfer_Error(int lNumber) {
    const std::wstring sTitle =
        LoadText(m_context.hInstance, IDS_LAN_ERROR_TITLE) + std::to_wstring(lNumber);
    if (lNumber == WSAECONNREFUSED) {
        MessageBoxW(m_hwnd, LoadText(m_context.hInstance, IDS_LAN_CONNECTION_REFUSED).c_str(),
                    sTitle.c_str(), MB_OK | MB_ICONEXCLAMATION);
        m_socket->Close();
        m_link.Reset(LanPhase::Closed, false);
        AllowConnect(true);
        return;
    }
    MessageBoxW(m_hwnd, Widen(SocketErrorText(lNumber)).c_str(), sTitle.c_str(),
                MB_OK | MB_ICONSTOP);
}

// ---------------------------------------------------------------------------------------------
// What the engine, the chat and the link reach

bool frmLan::IsHost() const { return IsChecked(IDC_LAN_CHKISHOST); }

void frmLan::SendData(const std::string& sData) {
    try {
        if (!m_socket) throw QuillonError(ErrConnectionLost, "");
        std::string sMessage = sData;
        sMessage += '\0';
        m_socket->Send(sMessage);
    } catch (const QuillonError& error) {
        ReportCurrentException(m_context.reporter, "frmLan", "SendData", false);
        if (error.Number() == ErrConnectionLost && m_context.values.g_bGameRunning)
            m_board.Lan_AbandonGame();
    }
}

std::string frmLan::OpponentName() const { return AnsiToUtf8(m_link.OpponentName()); }

std::string frmLan::Nickname() const { return ItemText(IDC_LAN_TXTNICKNAME); }

std::string frmLan::Lan_Nickname() const { return Utf8ToAnsi(Nickname()); }

bool frmLan::Lan_AskAccept(const std::string& sName, const std::string& sIp) {
    const std::wstring sText = FillInserts(LoadText(m_context.hInstance, IDS_LAN_ASK),
                                           {Widen(AnsiToUtf8(sName)), Widen(AnsiToUtf8(sIp))});
    return MessageBoxW(m_hwnd, sText.c_str(),
                       LoadText(m_context.hInstance, IDS_LAN_ASK_TITLE).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void frmLan::Lan_Notice(LanNotice eNotice) {
    const HWND hOwner = IsWindowVisible(m_hwnd) ? m_hwnd : GetWindow(m_hwnd, GW_OWNER);
    switch (eNotice) {
        case LanNotice::Accepted:
            ShowMessage(hOwner, m_context.hInstance, IDS_LAN_ACCEPTED, IDS_LAN_ACCEPTED_TITLE,
                        MB_OK | MB_ICONINFORMATION);
            break;
        case LanNotice::Refused:
            ShowMessage(hOwner, m_context.hInstance, IDS_LAN_REFUSED, IDS_LAN_REFUSED_TITLE,
                        MB_OK | MB_ICONINFORMATION);
            break;
        case LanNotice::Disconnected:
            ShowMessage(hOwner, m_context.hInstance, IDS_LAN_DISCONNECTED,
                        IDS_LAN_DISCONNECTED_TITLE, MB_OK | MB_ICONINFORMATION);
            break;
        case LanNotice::InvalidMove:
            ShowMessage(hOwner, m_context.hInstance, IDS_LAN_INVALID_MOVE,
                        IDS_LAN_DISCONNECTED_TITLE, MB_OK | MB_ICONEXCLAMATION);
            break;
        case LanNotice::TooLong:
            ShowMessage(hOwner, m_context.hInstance, IDS_LAN_TOO_LONG, IDS_LAN_DISCONNECTED_TITLE,
                        MB_OK | MB_ICONEXCLAMATION);
            break;
        case LanNotice::ConnectionLost:
            m_context.reporter.ReportError("frmMain::tmrPing_Timer", ErrConnectionLost, "", false);
            break;
    }
}

void frmLan::Lan_CloseSocket() {
    if (m_socket) m_socket->Close();
}

void frmLan::Lan_ChatAdd(const std::string& sLine) { m_board.Lan_ChatAdd(AnsiToUtf8(sLine)); }

void frmLan::Lan_Report(const QuillonError& error) {
    m_context.reporter.ReportError("frmLan::sckTransfer_DataArrival", error.Number(), error.what(),
                                   false);
}

}  // namespace quillon::win

#include "network/win/lan_socket.h"

#include <ws2tcpip.h>

#include "shell/error_report.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

// The outgoing queue of a peer that stops reading cannot grow without end.
constexpr size_t kMaxOutgoing = 256 * 1024;

[[noreturn]] void FailSocket(int lError) { throw QuillonError(lError, SocketErrorText(lError)); }

}  // namespace

ScopedWinsock::ScopedWinsock() {
    WSADATA data{};
    m_bStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

ScopedWinsock::~ScopedWinsock() {
    if (m_bStarted) WSACleanup();
}

std::string SocketErrorText(int lError) {
    const std::string sText = SystemMessage(static_cast<unsigned long>(lError));
    return sText.empty() ? "Socket error " + std::to_string(lError) + "." : sText;
}

void LanSocket::Select(long lEvents) {
    if (WSAAsyncSelect(m_socket, m_hwnd, m_msg, lEvents) == SOCKET_ERROR) {
        const int lError = WSAGetLastError();
        Close();
        FailSocket(lError);
    }
}

void LanSocket::SendAtOnce() const {
    // A reveal is a dozen bytes that the other board waits for: held back until the peer
    // acknowledges the previous one, it would come 40 ms late (the peer's delayed ACK).
    const BOOL bNoDelay = TRUE;
    setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&bNoDelay),
               sizeof bNoDelay);
}

void LanSocket::Listen(uint16_t lPort) {
    Close();
    m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_socket == INVALID_SOCKET) FailSocket(WSAGetLastError());
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(lPort);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
            SOCKET_ERROR ||
        listen(m_socket, 1) == SOCKET_ERROR) {
        const int lError = WSAGetLastError();
        Close();
        FailSocket(lError);
    }
    Select(FD_ACCEPT);
    m_eState = State::Listening;
}

void LanSocket::Connect(const std::string& sHost, uint16_t lPort) {
    Close();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(lPort);
    if (inet_pton(AF_INET, sHost.c_str(), &address.sin_addr) != 1) FailSocket(WSAEINVAL);
    m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_socket == INVALID_SOCKET) FailSocket(WSAGetLastError());
    SendAtOnce();
    Select(FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE);
    if (connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
            SOCKET_ERROR &&
        WSAGetLastError() != WSAEWOULDBLOCK) {
        const int lError = WSAGetLastError();
        Close();
        FailSocket(lError);
    }
    m_eState = State::Connecting;
}

void LanSocket::Accept() {
    const SOCKET accepted = accept(m_socket, nullptr, nullptr);
    if (accepted == INVALID_SOCKET) FailSocket(WSAGetLastError());
    Close();
    m_socket = accepted;
    SendAtOnce();
    Select(FD_READ | FD_WRITE | FD_CLOSE);
    m_eState = State::Connected;
}

void LanSocket::Send(std::string_view sBytes) {
    if (m_eState != State::Connected)
        throw QuillonError(ErrConnectionLost, "Connection seems to have been lost.");
    if (m_sOutgoing.size() + sBytes.size() > kMaxOutgoing)
        throw QuillonError(ErrConnectionLost, "Connection seems to have been lost.");
    m_sOutgoing += sBytes;
    Flush();
}

void LanSocket::Flush() {
    while (!m_sOutgoing.empty() && m_eState == State::Connected) {
        const int lSent =
            send(m_socket, m_sOutgoing.data(), static_cast<int>(m_sOutgoing.size()), 0);
        if (lSent == SOCKET_ERROR) {
            const int lError = WSAGetLastError();
            if (lError == WSAEWOULDBLOCK) return;  // FD_WRITE brings the rest
            Close();
            throw QuillonError(ErrConnectionLost, "Connection seems to have been lost.");
        }
        m_sOutgoing.erase(0, static_cast<size_t>(lSent));
    }
}

std::string LanSocket::Receive() {
    std::string sBytes;
    char buffer[4096];
    // Bounded per event: a peer that floods cannot keep the thread here; another FD_READ follows.
    for (int lChunk = 0; lChunk < 16 && m_eState == State::Connected; ++lChunk) {
        const int lRead = recv(m_socket, buffer, sizeof buffer, 0);
        if (lRead <= 0) break;
        sBytes.append(buffer, static_cast<size_t>(lRead));
    }
    return sBytes;
}

void LanSocket::Close() {
    if (m_socket != INVALID_SOCKET) {
        WSAAsyncSelect(m_socket, m_hwnd, 0, 0);
        closesocket(m_socket);
    }
    m_socket = INVALID_SOCKET;
    m_eState = State::Closed;
    m_sOutgoing.clear();
}

}  // namespace quillon::win

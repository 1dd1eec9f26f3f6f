#pragma once
// One TCP connection at a time over ws2_32, with its events (accept, connect, read, write,
// close) posted to a window by WSAAsyncSelect, so they are handled on the user-interface thread
// like any other window message. A listening socket is replaced by the connection it accepts.

#include <winsock2.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::win {

// Winsock started for as long as the object lives.
class ScopedWinsock {
  public:
    ScopedWinsock();
    ~ScopedWinsock();
    ScopedWinsock(const ScopedWinsock&) = delete;
    ScopedWinsock& operator=(const ScopedWinsock&) = delete;
    bool Started() const { return m_bStarted; }

  private:
    bool m_bStarted = false;
};

class LanSocket {
  public:
    enum class State { Closed, Listening, Connecting, Connected };

    // Socket events arrive at hwnd as message msg (wParam: the socket, lParam: WSAGETSELECTEVENT
    // and WSAGETSELECTERROR).
    LanSocket(HWND hwnd, UINT msg) : m_hwnd(hwnd), m_msg(msg) {}
    ~LanSocket() { Close(); }
    LanSocket(const LanSocket&) = delete;
    LanSocket& operator=(const LanSocket&) = delete;

    State GetState() const { return m_eState; }
    bool Owns(WPARAM socket) const { return static_cast<SOCKET>(socket) == m_socket; }

    // These throw QuillonError with the socket error's number (10048: address in use).
    void Listen(uint16_t lPort);
    void Connect(const std::string& sHost, uint16_t lPort);
    // On FD_ACCEPT: the pending connection replaces the listening socket.
    void Accept();
    // On FD_CONNECT without an error.
    void Connected() { m_eState = State::Connected; }
    // Queues the bytes and writes what the connection takes now; the rest goes on FD_WRITE.
    // Throws QuillonError 40006 when there is no connection.
    void Send(std::string_view sBytes);
    void Flush();
    // Everything that can be read now, empty when nothing is waiting.
    std::string Receive();
    void Close();

  private:
    void Select(long lEvents);
    void SendAtOnce() const;

    HWND m_hwnd;
    UINT m_msg;
    SOCKET m_socket = INVALID_SOCKET;
    State m_eState = State::Closed;
    std::string m_sOutgoing;
};

// The words the system gives a socket error, for the messages that show one.
std::string SocketErrorText(int lError);

}  // namespace quillon::win

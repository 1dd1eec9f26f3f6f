// The network dialog's socket over loopback: listening, connecting, refusing a second client and
// bytes both ways, with the events arriving as window messages as they do in the dialog. The
// port in use and nobody listening are followed through the dialog in lan_dialog_test.cpp.

#include <gtest/gtest.h>
#include <winsock2.h>

#include <chrono>
#include <functional>
#include <string>

#include "network/win/lan_socket.h"
#include "shell/error_report.h"

namespace quillon::win {
namespace {

constexpr UINT kEvent = WM_APP + 7;
constexpr uint16_t kPort = 3917;

// A message-only window that records which socket events arrived for which socket.
class EventWindow {
  public:
    EventWindow() {
        m_hwnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr);
    }
    ~EventWindow() { DestroyWindow(m_hwnd); }
    HWND Hwnd() const { return m_hwnd; }

    // Pumps until `socket` gets `event`; its error code, or -1 on a timeout.
    int WaitFor(const LanSocket& socket, long event) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        MSG msg;
        while (std::chrono::steady_clock::now() < end) {
            while (PeekMessageW(&msg, m_hwnd, kEvent, kEvent, PM_REMOVE))
                if (socket.Owns(msg.wParam) && WSAGETSELECTEVENT(msg.lParam) == event)
                    return WSAGETSELECTERROR(msg.lParam);
            Sleep(5);
        }
        return -1;
    }

  private:
    HWND m_hwnd = nullptr;
};

class LanSocketTest : public ::testing::Test {
  protected:
    ScopedWinsock winsock;
    EventWindow window;
};

TEST_F(LanSocketTest, HostAcceptsOneClientAndBytesCrossBothWays) {
    ASSERT_TRUE(winsock.Started());
    LanSocket host(window.Hwnd(), kEvent), client(window.Hwnd(), kEvent);
    host.Listen(kPort);
    EXPECT_EQ(host.GetState(), LanSocket::State::Listening);
    client.Connect("127.0.0.1", kPort);
    ASSERT_EQ(window.WaitFor(host, FD_ACCEPT), 0);
    host.Accept();
    ASSERT_EQ(window.WaitFor(client, FD_CONNECT), 0);
    client.Connected();

    LanSocket second(window.Hwnd(), kEvent);
    second.Connect("127.0.0.1", kPort);
    EXPECT_EQ(window.WaitFor(second, FD_CONNECT), WSAECONNREFUSED)
        << "the listening socket went with the accepted connection";

    client.Send(std::string("+HELLO+IP=127.0.0.1+NAME=Ann\0", 29));
    ASSERT_EQ(window.WaitFor(host, FD_READ), 0);
    EXPECT_EQ(host.Receive(), std::string("+HELLO+IP=127.0.0.1+NAME=Ann\0", 29));
    const std::string big(100000, 'x');  // more than one write takes: the rest goes on FD_WRITE
    host.Send(big);
    std::string received;
    while (received.size() < big.size() && window.WaitFor(client, FD_READ) == 0) {
        received += client.Receive();
        host.Flush();
    }
    EXPECT_EQ(received, big);

    host.Close();
    EXPECT_EQ(window.WaitFor(client, FD_CLOSE), 0);
    EXPECT_THROW(host.Send("+OK"), QuillonError) << "no connection: the lost-connection error";
    EXPECT_THROW(client.Connect("not an address", kPort), QuillonError);
}

}  // namespace
}  // namespace quillon::win

#include "services.h"

#include <ws2tcpip.h>

namespace quillon::e2e {

Services::Services() {
    WSADATA data{};
    m_bStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    Check(m_bStarted, "WSAStartup failed");
    m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    Check(m_socket != INVALID_SOCKET, "no socket for the control connection");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kServicesPort);
    inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    Check(connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0,
          "services.py does not listen on its control port " + std::to_string(kServicesPort) +
              " (run_e2e.sh starts it)");
}

Services::~Services() {
    if (m_socket != INVALID_SOCKET) closesocket(m_socket);
    if (m_bStarted) WSACleanup();
}

void Services::Say(std::string_view line) {
    const std::string text = std::string(line) + "\n";
    Check(send(m_socket, text.data(), static_cast<int>(text.size()), 0) ==
              static_cast<int>(text.size()),
          "cannot tell services.py " + std::string(line));
}

std::string Services::Hear(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const size_t end = m_received.find('\n');
        if (end != std::string::npos) {
            std::string line = m_received.substr(0, end);
            m_received.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        Check(left > 0,
              "services.py said nothing for " + std::to_string(timeout.count() / 1000) + " s");
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_socket, &readable);
        timeval wait{static_cast<long>(left / 1000), static_cast<long>(left % 1000 * 1000)};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
        char buffer[512];
        const int got = recv(m_socket, buffer, sizeof buffer, 0);
        Check(got > 0, "services.py closed its control connection");
        m_received.append(buffer, static_cast<size_t>(got));
    }
}

void Services::Expect(std::string_view prefix, milliseconds timeout) {
    const std::string line = Hear(timeout);
    Check(line.starts_with(prefix),
          "services.py said " + line + ", not " + std::string(prefix) + "...");
}

}  // namespace quillon::e2e

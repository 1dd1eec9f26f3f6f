#pragma once
// The driver's end of the control connection to the scripted hostile peer (hostile_peer.py),
// which run_e2e.sh starts beside the scenarios: one command a line out, one answer a line back.

#include <winsock2.h>

#include <string>
#include <string_view>

#include "driver.h"

namespace quillon::e2e {

inline constexpr uint16_t kPeerControlPort = 3990;

class PeerControl {
  public:
    PeerControl();
    ~PeerControl();
    PeerControl(const PeerControl&) = delete;
    PeerControl& operator=(const PeerControl&) = delete;

    void Say(std::string_view line);
    // The next line the peer says, without its line end; fails after `timeout`.
    std::string Hear(milliseconds timeout = kTimeout);
    // Fails unless the next line starts with `prefix`.
    void Expect(std::string_view prefix, milliseconds timeout = kTimeout);

  private:
    bool m_bStarted = false;
    SOCKET m_socket = INVALID_SOCKET;
    std::string m_received;
};

}  // namespace quillon::e2e

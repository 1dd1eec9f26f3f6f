#pragma once
// The driver's end of the control connection to the Linux side of the scenarios (services.py,
// which run_e2e.sh starts beside them): the scripted hostile peer and the maker's server. One
// command a line out, one answer a line back.

#include <winsock2.h>

#include <string>
#include <string_view>

#include "driver.h"

namespace quillon::e2e {

inline constexpr uint16_t kServicesPort = 3990;

class Services {
  public:
    Services();
    ~Services();
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

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

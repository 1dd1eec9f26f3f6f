#pragma once
// The machine's own IPv4 addresses, as the network dialog offers them to the player.

#include <string>
#include <vector>

namespace quillon::win {

// In the order the host entry gives them; empty when the host name cannot be resolved.
// Needs Winsock started.
std::vector<std::string> GetLocalIp();

}  // namespace quillon::win

#include "network/win/modLan.h"

#include <winsock2.h>

namespace quillon::win {

std::vector<std::string> GetLocalIp() {
    std::vector<std::string> addresses;
    char sName[256] = {};
    if (gethostname(sName, sizeof sName - 1) != 0) return addresses;
    const hostent* pHost = gethostbyname(sName);
    if (pHost == nullptr || pHost->h_addrtype != AF_INET || pHost->h_length != 4) return addresses;
    for (char** pp = pHost->h_addr_list; *pp != nullptr; ++pp) {
        const auto* p = reinterpret_cast<const unsigned char*>(*pp);
        addresses.push_back(std::to_string(p[0]) + "." + std::to_string(p[1]) + "." +
                            std::to_string(p[2]) + "." + std::to_string(p[3]));
    }
    return addresses;
}

}  // namespace quillon::win

#include "network/lan_framing.h"

namespace quillon {

bool LanFramer::Append(std::string_view sPart) {
    if (m_sTail.size() + sPart.size() > kMaxLanTail) {
        m_bOverflowed = true;
        m_sTail.clear();
        return false;
    }
    m_sTail += sPart;
    return true;
}

std::vector<std::string> LanFramer::Feed(std::string_view sBytes) {
    std::vector<std::string> pieces;
    size_t lStart = 0;
    for (size_t lEnd = sBytes.find('\0'); !m_bOverflowed; lEnd = sBytes.find('\0', lStart)) {
        if (lEnd == std::string_view::npos) {
            Append(sBytes.substr(lStart));
            break;
        }
        if (!Append(sBytes.substr(lStart, lEnd - lStart))) break;
        if (!m_sTail.empty()) pieces.push_back(std::move(m_sTail));
        m_sTail.clear();
        lStart = lEnd + 1;
    }
    return pieces;
}

std::vector<std::string> LanFramer::Close() {
    std::vector<std::string> pieces;
    if (!m_sTail.empty()) pieces.push_back(std::move(m_sTail));
    m_sTail.clear();
    return pieces;
}

void LanFramer::Reset() {
    m_sTail.clear();
    m_bOverflowed = false;
}

}  // namespace quillon

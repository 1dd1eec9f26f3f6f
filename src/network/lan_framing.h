#pragma once
// Cuts the byte stream of a connection into pieces at the 0x00 terminators. TCP may deliver a
// message in several receives or several messages in one, so an unterminated tail is kept until
// its terminator or the end of the connection arrives. The tail is bounded: a peer that never
// terminates cannot make the program hold more than kMaxLanTail bytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

inline constexpr size_t kMaxLanTail = 64 * 1024;

class LanFramer {
  public:
    // Appends received bytes; returns the non-empty pieces they complete, in order. After an
    // overflow it returns nothing more: the connection is to be closed.
    std::vector<std::string> Feed(std::string_view sBytes);
    // The connection ended: the tail, if any, is the last piece ("+DISCONNECT" is written without
    // a terminator just before the peer closes).
    std::vector<std::string> Close();
    bool Overflowed() const { return m_bOverflowed; }
    void Reset();

  private:
    bool Append(std::string_view sPart);

    std::string m_sTail;
    bool m_bOverflowed = false;
};

}  // namespace quillon

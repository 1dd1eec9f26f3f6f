#pragma once
// The file version of a Windows program or library, read on Linux from its bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace quillon::publish {

// The four 16-bit parts of the fixed file version (major, minor, build, revision) of the
// version resource the bytes hold: a program, a library or a compiled resource file. Nothing
// when they hold none.
std::optional<std::array<uint16_t, 4>> FileVersionOf(std::span<const uint8_t> bytes);

}  // namespace quillon::publish

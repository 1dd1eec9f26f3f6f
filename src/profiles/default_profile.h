#pragma once
#include <cstdint>
#include <vector>

namespace quillon {

// The 4944 bytes of the default profile file: empty player and computer records and the
// reference results of the computer at a few "AI Memory" levels.
std::vector<uint8_t> BuildDefaultProfile();

}  // namespace quillon

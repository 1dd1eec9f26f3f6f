#pragma once
// The compressed form in which the update wizard downloads every file.

#include <cstdint>
#include <span>
#include <vector>

namespace quillon::publish {

// A zlib stream (RFC 1950, best compression) of the content followed by the content's size,
// 32-bit little-endian. Throws PublishError for a content above 512 MiB, which the library
// refuses to decompress.
std::vector<uint8_t> MakeContainer(std::span<const uint8_t> content);

}  // namespace quillon::publish

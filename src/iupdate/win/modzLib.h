#pragma once
// The update library's decompression of downloaded files, through zlib's one-shot "uncompress"
// taken at run time from the zlib library shipped beside VyxIUpdate.dll.

#include <string_view>

namespace quillon::iupdate {

// The file name zlib is shipped under, in the library's own folder: the name the About box
// lists. It is loaded for one decompression and freed after it, so that an update can replace
// it like any other file.
inline constexpr wchar_t kZlibFileName[] = L"zLib.dll";

// Decompresses one downloaded file: a zlib stream followed by its uncompressed size (32-bit,
// little-endian). True when zlib accepts the stream and it holds exactly the stated size; the
// destination then holds the content, written beside it and moved over it in one step.
// False, with the destination untouched and nothing left behind, for anything else: a file
// shorter than 5 bytes, a stated size below 0, above 1032 times the stream or above 512 MiB
// (refused before any memory is taken), a stream zlib rejects, a destination held by another
// process. Failures to read the source, to load zlib or to write beside the destination are
// reported as "modzLib::zLib_Decompress".
bool zLib_Decompress(std::string_view sSource, std::string_view sDestination);

}  // namespace quillon::iupdate

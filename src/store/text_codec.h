#pragma once
// UTF-8 <-> UTF-16LE at the file boundary. The core keeps text as UTF-8.

#include <string>
#include <string_view>

namespace kov {

inline constexpr std::string_view kUtf16Bom = "\xFF\xFE";

// UTF-8 text to UTF-16LE bytes (no byte-order mark). Invalid sequences become U+FFFD.
std::string Utf8ToUtf16Le(std::string_view utf8);

// UTF-16LE bytes to UTF-8. An odd trailing byte is dropped; unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);

// True when bytes start with the UTF-16LE byte-order mark FF FE.
bool HasUtf16Bom(std::string_view bytes);

}  // namespace kov

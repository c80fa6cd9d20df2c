#pragma once

#include <string>
#include <string_view>

namespace narrix {

// Turns the bytes of a page or file into UTF-8, the program's text encoding:
// - a byte-order mark (UTF-8, UTF-16) decides first;
// - bytes that are valid UTF-8 are kept as they are, unless a 16- or 32-bit charset or a 7-bit
//   stateful one (ISO-2022-*, UTF-7, HZ) is declared;
// - otherwise the charset is `declaredCharset` (e.g. the charset parameter of an HTTP Content-Type),
//   else the HTML <meta> charset near the start of the bytes, else Windows-1252.
// A label that names no known charset is ignored. Bytes that do not fit the charset become U+FFFD.
std::string decodeToUtf8(std::string_view bytes, std::string_view declaredCharset = {});

// The same without looking for an HTML <meta>: for text files that are not HTML (profile files,
// plain-text documents). Byte-order mark, else UTF-8 if valid, else Windows-1252.
std::string decodeUnlabelledToUtf8(std::string_view bytes);

// The same line by line (lines end at CR, LF or CR LF): a line that is valid UTF-8 stays UTF-8 and
// only a line that is not is read as Windows-1252, so one stray byte does not re-encode a whole file.
std::string decodeUnlabelledLinesToUtf8(std::string_view bytes);

// Strict UTF-8 check: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes) noexcept;

// The charset named by the first <meta charset=...> or <meta ... content="...; charset=...">
// within the first few kilobytes of an HTML page, or an empty string.
std::string findMetaCharset(std::string_view html);

std::string windows1252ToUtf8(std::string_view bytes);

} // namespace narrix

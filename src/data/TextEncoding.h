#pragma once

#include <string>
#include <string_view>

// Stored text is UTF-8; diaries carried over from older Windows programs hold text in
// the Polish Windows code page (Windows-1250) instead.
namespace TextEncoding {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Windows-1250 bytes as UTF-8. The five bytes the code page leaves undefined become the
// control characters of the same number, as Windows reads them.
std::string Windows1250ToUtf8(std::string_view bytes);

// Stored text as UTF-8: the bytes themselves when they are UTF-8, else their conversion
// from Windows-1250, kept in converted. Read as UTF-8, such text would show replacement
// characters and be written back as them.
std::string_view AsUtf8(std::string_view bytes, std::string &converted);

} // namespace TextEncoding

#pragma once
// Text in the Windows ANSI code page (1252), as programs, metafiles and the
// tray record store it, and UTF-8, as the rest of the suite holds text.
#include <string>
#include <string_view>

namespace velmaro {

// Appends one code point in UTF-8.
void ajouterUtf8(std::string& s, char32_t c);

// Code page 1252 to UTF-8; the five unassigned bytes become the control
// characters of the same value, as Windows converts them.
std::string ansiVersUtf8(std::string_view ansi);

// UTF-8 to code page 1252; a character the page lacks, or a byte that is not
// valid UTF-8, becomes '?'. The five control characters above turn back into
// their bytes, so that every byte goes both ways.
std::string utf8VersAnsi(std::string_view utf8);

} // namespace velmaro

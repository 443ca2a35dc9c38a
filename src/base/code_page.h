// The single-byte code page uisettings.ini is stored in. The handheld and
// the skins made for it use the Windows "ANSI" code page; this build always
// uses Windows-1252 for both directions, with its five unassigned bytes
// mapped to the C1 control characters of the same number, so every byte
// sequence survives a read followed by a write unchanged (skins written on a
// Chinese or Cyrillic system included).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Bytes in Windows-1252 to UTF-8 text. Never fails: every byte has a
// character.
std::string cp1252ToUtf8(std::string_view bytes);

// UTF-8 text to Windows-1252 bytes. A character the code page cannot hold,
// and every byte of malformed UTF-8, becomes "?".
std::string utf8ToCp1252(std::string_view text);

// Appends `c` (at most U+10FFFF) to `out` as UTF-8.
void appendUtf8(std::string& out, char32_t c);

// Decodes the UTF-8 sequence at `pos` (which must be inside `text`) into
// `out`. Returns its length, or 0 when the bytes there do not start a
// well-formed sequence (overlong forms, surrogates, values above U+10FFFF
// and sequences cut off by the end included).
std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t& out);

// Every letter of UTF-8 `text` upper-cased by Unicode's simple case mapping
// ("skän" and "SKÄN" both give "SKÄN"), the way archive entry names are
// compared. Bytes that are not well-formed UTF-8 are kept as they are.
std::string upperCaseName(std::string_view text);

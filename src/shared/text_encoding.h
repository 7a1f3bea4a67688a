// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one encoding rule of the program's text files (INI files, reports, the manifest).
// Inside the program all text is UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

namespace tallisto {

// Bytes read from a file: taken as UTF-8 when they are valid UTF-8 (a leading byte-order mark is
// dropped), otherwise as Windows-1252, the code page of the Windows version's files.
// Valid UTF-8, nearly every file, is taken over instead of copied.
std::string decodeFileText(std::string bytes);

// Text to be written: as Windows-1252 when every character has a place in it, so that the Windows
// version reads the same letters; otherwise as UTF-8, so that no letter in any script is lost.
// Plain ASCII is taken over instead of copied.
std::string encodeFileText(std::string utf8);

// Whether every byte is ASCII: such bytes decode and encode to themselves.
bool isAscii(std::string_view text);

// Length in characters (code points) of UTF-8 text.
std::size_t characterCount(std::string_view utf8);

// The first `count` characters of UTF-8 text, never cutting a character in two.
std::string leftCharacters(std::string_view utf8, std::size_t count);

} // namespace tallisto

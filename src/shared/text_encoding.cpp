// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace tallisto {

namespace {

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves undefined stand for the
// control characters of the same number, as Windows itself maps them.
constexpr std::array<char32_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes the character at pos and moves past it; nothing for a malformed, overlong or
// surrogate sequence.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos) {
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    std::uint8_t lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return char32_t{lead};
    }
    int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || pos + length > text.size()) return std::nullopt;
    char32_t c = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    pos += length;
    return c;
}

// Whether the eight bytes at pos are all ASCII.
bool asciiWord(std::string_view text, std::size_t pos) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + pos, 8);
    return (word & 0x8080808080808080ull) == 0;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        // Plain ASCII, nearly all of any file, needs no decoding: the working file is megabytes
        // of it, read again at every undo that brings back another.
        if (pos + 8 <= text.size() && asciiWord(text, pos)) {
            pos += 8;
            continue;
        }
        if (static_cast<std::uint8_t>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        if (!nextCodePoint(text, pos)) return false;
    }
    return true;
}

std::optional<char> cp1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < cp1252High.size(); ++i)
        if (cp1252High[i] == c) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

std::optional<std::string> toCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        auto c = nextCodePoint(utf8, pos);
        if (!c) return std::nullopt;
        auto b = cp1252Byte(*c);
        if (!b) return std::nullopt;
        out += *b;
    }
    return out;
}

bool isContinuation(char c) {
    return (static_cast<std::uint8_t>(c) & 0xC0) == 0x80;
}

} // namespace

std::string decodeFileText(std::string bytes) {
    if (isValidUtf8(bytes)) {
        if (std::string_view(bytes).starts_with(byteOrderMark))
            bytes.erase(0, byteOrderMark.size());
        return bytes;
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char b : bytes) {
        auto byte = static_cast<std::uint8_t>(b);
        appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? cp1252High[byte - 0x80] : char32_t{byte});
    }
    return out;
}

bool isAscii(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8)
        if (!asciiWord(text, i)) return false;
    for (; i < text.size(); ++i)
        if (static_cast<std::uint8_t>(text[i]) >= 0x80) return false;
    return true;
}

std::string encodeFileText(std::string utf8) {
    if (isAscii(utf8)) return utf8;
    auto narrow = toCp1252(utf8);
    // Windows-1252 bytes that happen to form valid UTF-8 (such as "Ã©") would read back as
    // other letters, so such text is kept in UTF-8 too.
    bool readsBackAlike = narrow && (*narrow == utf8 || !isValidUtf8(*narrow));
    return readsBackAlike ? *narrow : utf8;
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8)
        if (!isContinuation(c)) ++count;
    return count;
}

std::string leftCharacters(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t seen = 0; pos < utf8.size(); ++pos) {
        if (!isContinuation(utf8[pos]) && seen++ == count) break;
    }
    return std::string(utf8.substr(0, pos));
}

} // namespace tallisto

// Text inside the program is UTF-8; files and fixed-width fields of the old program
// count and store GBK bytes.  These helpers convert between the two and measure texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace taiyi {

// UTF-8 -> GBK.  A character that GBK cannot hold becomes '?'; invalid UTF-8 bytes too.
std::string Utf8ToGbk(std::string_view utf8);

// GBK -> UTF-8.  A byte sequence that is not GBK becomes U+FFFD, one per bad byte.
std::string GbkToUtf8(std::string_view gbk);

// True when the bytes are well-formed UTF-8 (ASCII included).
bool IsValidUtf8(std::string_view bytes);

// The text with every byte that is not part of a well-formed UTF-8 character replaced by
// U+FFFD; well-formed text comes back unchanged.
std::string RepairUtf8(std::string_view bytes);

// Whether text of unknown encoding (a file that may be GBK or UTF-8) is UTF-8.  Short GBK
// text can happen to be well-formed UTF-8 (值 is D6 B5, also the UTF-8 of U+05B5), but only
// as two-byte sequences; Chinese in UTF-8 takes three.  So: well-formed UTF-8 that has a
// sequence of three or more bytes, or that is not GBK at all.
bool LooksLikeUtf8(std::string_view bytes);

// Number of bytes of the text's GBK form.
std::size_t GbkLength(std::string_view utf8);

// The longest prefix of the text whose GBK form has at most maxBytes bytes; never splits
// a character.
std::string CutToGbkBytes(std::string_view utf8, std::size_t maxBytes);

// Number of UTF-16 code units of the text (a character outside the BMP counts two).
std::size_t Utf16Length(std::string_view utf8);

// Splits UTF-8 text into characters (each a UTF-8 sequence); invalid bytes stand alone.
std::size_t Utf8CharLength(std::string_view utf8, std::size_t pos);

}  // namespace taiyi

// Writes rich text (RTF) in the form a Windows rich-text control on a Chinese system writes
// it: \ansicpg936 with GBK bytes for every character GBK holds, \uN for the others, a font
// table and a colour table, one \par per paragraph.  LibreOffice reads it as well.
#pragma once

#include <string>
#include <string_view>

#include "store/rtf_document.h"

namespace taiyi {

// The comment editor's font: 宋体, 14 pixels high (10.5 points).
inline constexpr char kCommentFontName[] = "宋体";
inline constexpr int kCommentHalfPoints = 21;

// The document as RTF.  A run without a font name is written in kCommentFontName.
std::string WriteRtf(const RtfDocument& doc);

// An RTF document holding the text, one paragraph per line ("\n" or "\r\n" ends a line), in
// the comment editor's font.  Reading it back gives the same plain text.
std::string PlainTextToRtf(std::string_view text);

}  // namespace taiyi

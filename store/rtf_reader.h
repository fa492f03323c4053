// Reads rich text (RTF) into paragraphs of formatted runs and into plain text.  It reads what
// a Windows rich-text control writes (code-page bytes such as GBK under \ansicpg936 or a
// font's \fcharset, \uN with \ucN, font and colour tables, \par \line \tab \pard \plain,
// skipped \* destinations and pictures) and what LibreOffice writes.
#pragma once

#include <string>
#include <string_view>

#include "store/rtf_document.h"

namespace taiyi {

// True when the bytes start (after blanks) with "{\rtf".
bool LooksLikeRtf(std::string_view bytes);

// Reads an RTF document into doc (emptied first).  False when the bytes are no RTF.  A
// damaged document (unbalanced braces, cut off) reads as far as it goes and counts as read.
bool ReadRtf(std::string_view bytes, RtfDocument& doc);

// The plain text of rich text: paragraphs joined by "\n".  Bytes that are no RTF are taken
// as a plain text file: UTF-8 when they are valid UTF-8, else GBK; "\r\n" becomes "\n".
std::string RtfPlainText(std::string_view bytes);

}  // namespace taiyi

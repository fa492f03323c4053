// Carries a finished chart text (the paragraphs the engine appended) out of the program:
// as RTF or HTML with its font, colours and bold, or as terminal text with ANSI colours.
#pragma once

#include <string>
#include <string_view>

#include "platform/rich_text_sink.h"

namespace taiyi::cli {

// Text escaped for HTML; with lineBreaks a line break becomes <br> and a carriage return
// is dropped (text that keeps its breaks inside one paragraph).
std::string HtmlEscape(std::string_view s, bool lineBreaks = false);
// A colour 0x00BBGGRR as CSS "#RRGGBB".
std::string CssColour(Colour c);

// A rich-text document in the recorder's default font (宋体 12 when it has none).
std::string ParagraphsToRtf(const RichTextRecorder& text);
std::string ParagraphsToHtml(const RichTextRecorder& text, const std::string& title);
// True when stdout is a terminal and NO_COLOR is unset or empty.
bool ColoursWanted();
// With colours false the plain text, one line per paragraph.
std::string ParagraphsToTerminal(const RichTextRecorder& text, bool colours);

}  // namespace taiyi::cli

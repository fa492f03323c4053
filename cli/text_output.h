// Carries a finished chart text (the paragraphs the engine appended) out of the program:
// as HTML with its colours and bold, or as terminal text with ANSI colours.
#pragma once

#include <string>

#include "platform/rich_text_sink.h"

namespace taiyi::cli {

std::string ParagraphsToHtml(const RichTextRecorder& text, const std::string& title);
// With colours false the plain text, one line per paragraph.
std::string ParagraphsToTerminal(const RichTextRecorder& text, bool colours);

}  // namespace taiyi::cli

// The rich text of a Qt text editor as the comment files hold it (RTF) and back, and the
// editor's plain comment text with the line breaks as typed.
#pragma once

#include <QTextDocument>
#include <string>
#include <string_view>

namespace taiyi {

// The document's paragraphs, runs and character formats (font, size, bold, italic,
// underline, colour) as RTF.
std::string DocumentToRtf(const QTextDocument& document);

// Replaces the document's content by the rich text; bytes that are no RTF are taken as a
// plain text file (UTF-8 or GBK).
void LoadRtfIntoDocument(std::string_view bytes, QTextDocument& document);

// The document's text, one line per paragraph joined by "\n", every apostrophe removed.
std::string PlainComment(const QTextDocument& document);

}  // namespace taiyi

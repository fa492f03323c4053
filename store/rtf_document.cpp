#include "store/rtf_document.h"

namespace taiyi {

std::string RtfParagraph::PlainText() const {
  std::string text;
  for (const RtfRun& run : runs) text += run.text;
  return text;
}

std::string RtfDocument::PlainText() const {
  std::string text;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) text += '\n';
    for (const RtfRun& run : paragraphs[i].runs) text += run.text;
  }
  return text;
}

void RtfDocument::AppendText(std::string_view text, const RtfCharFormat& format) {
  if (text.empty()) return;
  if (paragraphs.empty()) paragraphs.emplace_back();
  auto& runs = paragraphs.back().runs;
  if (!runs.empty() && runs.back().format == format) {
    runs.back().text += text;
  } else {
    runs.push_back(RtfRun{std::string(text), format});
  }
}

}  // namespace taiyi

#include "platform/rich_text_sink.h"

namespace taiyi {

void RichTextRecorder::Append(std::string_view text) {
  caretAtStart_ = false;
  // As in a rich-text editor's line list: the appended text plus a paragraph end, so every
  // line break inside it, a trailing one too, starts one more paragraph.
  while (true) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    paragraphs_.push_back({std::string(line), colour_, bold_});
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
}

std::string RichTextRecorder::PlainText() const {
  std::string out;
  for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
    if (i) out += '\n';
    out += paragraphs_[i].text;
  }
  return out;
}

}  // namespace taiyi

// The analysis editor as the chart engine's rich-text sink: paragraphs appended to a Qt text
// editor with the current colour and weight, over the editor's default font.
#pragma once

#include <QTextEdit>

#include "platform/rich_text_sink.h"

namespace taiyi {

class RichTextEditorSink final : public RichTextSink {
 public:
  // The editor is not owned and must outlive the sink's use.
  explicit RichTextEditorSink(QTextEdit* editor) : editor_(editor) {}

  void Clear() override;
  // "宋体" and its aliases are shown in the installed Song face.
  void SetDefaultFont(std::string_view name, int pointSize) override;
  void SetColour(Colour colour) override { colour_ = colour; }
  void SetBold(bool bold) override { bold_ = bold; }
  void Append(std::string_view text) override;
  void CaretToStart() override;

 private:
  QTextEdit* editor_;
  Colour colour_ = kDefaultColour;
  bool bold_ = false;
  // True while the document holds nothing appended since it was cleared: the first
  // paragraph then fills the document's one empty block.
  bool empty_ = true;
};

// A QColor as 0x00BBGGRR (the other way is ToQColor of chart/draw/image_plus.h).
Colour FromQColor(const QColor& colour);

}  // namespace taiyi

// Rich text as the comment files hold it: paragraphs of runs, each run a UTF-8 text with one
// character format (font, size, bold, italic, underline, colour).
#pragma once

#include <string>
#include <vector>

#include "platform/rich_text_sink.h"

namespace taiyi {

struct RtfCharFormat {
  std::string font;     // font name, UTF-8; empty when the document names none
  int halfPoints = 24;  // size in half points (\fs)
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Colour colour = kDefaultColour;  // 0x00BBGGRR; the automatic colour reads as black

  friend bool operator==(const RtfCharFormat&, const RtfCharFormat&) = default;
};

struct RtfRun {
  std::string text;  // UTF-8; a line break inside the paragraph is "\n", a tab "\t"
  RtfCharFormat format;

  friend bool operator==(const RtfRun&, const RtfRun&) = default;
};

struct RtfParagraph {
  std::vector<RtfRun> runs;  // consecutive runs differ in format; no run is empty

  std::string PlainText() const;
  friend bool operator==(const RtfParagraph&, const RtfParagraph&) = default;
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;

  // The paragraphs' texts joined by "\n" (no line break after the last one).
  std::string PlainText() const;
  // Appends text to the last paragraph (starting one when there is none), merging it into
  // the last run when the format is the same.
  void AppendText(std::string_view text, const RtfCharFormat& format);
  friend bool operator==(const RtfDocument&, const RtfDocument&) = default;
};

}  // namespace taiyi

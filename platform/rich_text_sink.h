// The rich-text editor the chart engine writes its summary and analysis into.  Text is
// appended in whole paragraphs, each taking the current colour and weight.  Implementations:
// the window's editor, the recorder below (tests), and the RTF, HTML and terminal writers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace taiyi {

// 0x00BBGGRR, red in the lowest byte.
using Colour = std::uint32_t;
inline constexpr Colour kDefaultColour = 0x00000000;

class RichTextSink {
 public:
  virtual ~RichTextSink() = default;
  virtual void Clear() = 0;
  // The editor's default font for everything appended from now on, regular style.
  virtual void SetDefaultFont(std::string_view name, int pointSize) = 0;
  virtual void SetColour(Colour colour) = 0;
  virtual void SetBold(bool bold) = 0;
  // Appends the text and ends the paragraph.  Every "\r\n" (or "\n") inside the text,
  // a trailing one too, starts a further paragraph with the same attributes.
  virtual void Append(std::string_view text) = 0;
  virtual void CaretToStart() = 0;
};

// Keeps every appended paragraph with its attributes: for tests and for the writers that
// turn a finished text into RTF, HTML or terminal output.
class RichTextRecorder final : public RichTextSink {
 public:
  struct Paragraph {
    std::string text;
    Colour colour = kDefaultColour;
    bool bold = false;
    bool operator==(const Paragraph&) const = default;
  };

  void Clear() override { paragraphs_.clear(); }
  void SetDefaultFont(std::string_view name, int pointSize) override {
    fontName_ = name;
    fontSize_ = pointSize;
    colour_ = kDefaultColour;
    bold_ = false;
  }
  void SetColour(Colour colour) override { colour_ = colour; }
  void SetBold(bool bold) override { bold_ = bold; }
  void Append(std::string_view text) override;
  void CaretToStart() override { caretAtStart_ = true; }

  const std::vector<Paragraph>& Paragraphs() const { return paragraphs_; }
  // All paragraphs joined with "\n".
  std::string PlainText() const;
  const std::string& FontName() const { return fontName_; }
  int FontSize() const { return fontSize_; }
  bool CaretAtStart() const { return caretAtStart_; }

 private:
  std::vector<Paragraph> paragraphs_;
  std::string fontName_;
  int fontSize_ = 0;
  Colour colour_ = kDefaultColour;
  bool bold_ = false;
  bool caretAtStart_ = false;
};

}  // namespace taiyi

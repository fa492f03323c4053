#include "store/rtf_writer.h"

#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/gbk.h"

namespace taiyi {

namespace {

// Writes characters as RTF text; keeps one UTF-8 -> GBK descriptor for the document.
class TextEncoder {
 public:
  TextEncoder() : cd_(iconv_open("GBK", "UTF-8")) {}
  ~TextEncoder() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  TextEncoder(const TextEncoder&) = delete;
  TextEncoder& operator=(const TextEncoder&) = delete;

  void Write(std::string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t n = Utf8CharLength(text, i);
      const std::string_view ch = text.substr(i, n);
      i += n;
      const auto c = static_cast<unsigned char>(ch[0]);
      if (n == 1 && c < 0x80) {
        if (c == '\\' || c == '{' || c == '}') {
          out += '\\';
          out += static_cast<char>(c);
        } else if (c == '\t') {
          out += "\\tab ";
        } else if (c == '\n') {
          out += "\\line ";
        } else if (c >= 0x20 && c < 0x7F) {
          out += static_cast<char>(c);
        }
        continue;
      }
      if (n == 1) continue;  // a byte that is no UTF-8
      std::string gbk;
      if (ToGbk(ch, gbk)) {
        for (unsigned char b : gbk) AppendHex(b, out);
      } else {
        WriteUnicode(CodePoint(ch), out);
      }
    }
  }

 private:
  bool ToGbk(std::string_view ch, std::string& gbk) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    char buf[8];
    char* src = const_cast<char*>(ch.data());
    std::size_t srcLeft = ch.size();
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
        srcLeft != 0)
      return false;
    gbk.assign(buf, static_cast<std::size_t>(dst - buf));
    // A character must come out as one GBK double-byte code.
    return gbk.size() == 2 && static_cast<unsigned char>(gbk[0]) >= 0x81;
  }

  static std::uint32_t CodePoint(std::string_view ch) {
    const auto c = static_cast<unsigned char>(ch[0]);
    std::uint32_t cp = ch.size() == 2 ? c & 0x1F : ch.size() == 3 ? c & 0x0F : c & 0x07;
    for (std::size_t i = 1; i < ch.size(); ++i) cp = (cp << 6) | (ch[i] & 0x3F);
    return cp;
  }

  static void AppendHex(unsigned char b, std::string& out) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\'";
    out += kHex[b >> 4];
    out += kHex[b & 0xF];
  }

  // \uN with a question mark for readers without Unicode; N is a signed 16-bit number.
  static void WriteUnicode(std::uint32_t cp, std::string& out) {
    auto unit = [&out](std::uint32_t u) {
      out += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(u))) +
             "?";
    };
    if (cp >= 0x10000) {
      cp -= 0x10000;
      unit(0xD800 + (cp >> 10));
      unit(0xDC00 + (cp & 0x3FF));
    } else {
      unit(cp);
    }
  }

  iconv_t cd_;
};

std::string FontOf(const RtfRun& run) {
  return run.format.font.empty() ? std::string(kCommentFontName) : run.format.font;
}

}  // namespace

std::string WriteRtf(const RtfDocument& doc) {
  std::vector<std::string> fonts;
  std::vector<Colour> colours;
  for (const RtfParagraph& p : doc.paragraphs) {
    for (const RtfRun& run : p.runs) {
      const std::string font = FontOf(run);
      if (std::find(fonts.begin(), fonts.end(), font) == fonts.end()) fonts.push_back(font);
      const Colour c = run.format.colour & 0xFFFFFF;
      if (c != kDefaultColour && std::find(colours.begin(), colours.end(), c) == colours.end())
        colours.push_back(c);
    }
  }
  if (fonts.empty()) fonts.emplace_back(kCommentFontName);

  TextEncoder encoder;
  std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl";
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset134 ";
    encoder.Write(fonts[i], out);
    out += ";}";
  }
  out += "}\r\n{\\colortbl ;";
  for (Colour c : colours) {
    out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) +
           "\\blue" + std::to_string((c >> 16) & 0xFF) + ";";
  }
  out += "}\r\n\\viewkind4\\uc1\\pard\\lang2052";

  // The format in force; the first run writes every property.
  int font = -1, halfPoints = -1, colour = -1;
  bool bold = false, italic = false, underline = false;
  bool first = true;
  const std::string initial = "\\f0\\fs" + std::to_string(kCommentHalfPoints) + " ";
  for (const RtfParagraph& p : doc.paragraphs) {
    for (const RtfRun& run : p.runs) {
      if (run.text.empty()) continue;
      const RtfCharFormat& f = run.format;
      const int fontIndex = static_cast<int>(
          std::find(fonts.begin(), fonts.end(), FontOf(run)) - fonts.begin());
      const Colour c = f.colour & 0xFFFFFF;
      const int colourIndex =
          c == kDefaultColour
              ? 0
              : static_cast<int>(std::find(colours.begin(), colours.end(), c) - colours.begin()) +
                    1;
      std::string words;
      if (fontIndex != font) words += "\\f" + std::to_string(fontIndex);
      if (f.halfPoints != halfPoints) words += "\\fs" + std::to_string(f.halfPoints);
      if (colourIndex != colour && !(first && colourIndex == 0))
        words += "\\cf" + std::to_string(colourIndex);
      if (f.bold != bold) words += f.bold ? "\\b" : "\\b0";
      if (f.italic != italic) words += f.italic ? "\\i" : "\\i0";
      if (f.underline != underline) words += f.underline ? "\\ul" : "\\ulnone";
      if (!words.empty()) out += words + " ";
      font = fontIndex;
      halfPoints = f.halfPoints;
      colour = colourIndex;
      bold = f.bold;
      italic = f.italic;
      underline = f.underline;
      first = false;
      encoder.Write(run.text, out);
    }
    if (first) {
      out += initial;  // an empty first paragraph still carries the font
      font = 0;
      halfPoints = kCommentHalfPoints;
      colour = 0;
      first = false;
    }
    out += "\\par\r\n";
  }
  out += "}\r\n";
  return out;
}

std::string PlainTextToRtf(std::string_view text) {
  RtfDocument doc;
  RtfCharFormat format;
  format.font = kCommentFontName;
  format.halfPoints = kCommentHalfPoints;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    doc.paragraphs.emplace_back();
    doc.AppendText(line, format);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return WriteRtf(doc);
}

}  // namespace taiyi

#include "cli/text_output.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "store/rtf_writer.h"

namespace taiyi::cli {
namespace {

std::string FontName(const RichTextRecorder& text) {
  return text.FontName().empty() ? std::string("宋体") : text.FontName();
}

int FontSize(const RichTextRecorder& text) {
  return text.FontSize() > 0 ? text.FontSize() : 12;
}

}  // namespace

std::string HtmlEscape(std::string_view s, bool lineBreaks) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\n':
        out += lineBreaks ? "<br>" : "\n";
        break;
      case '\r':
        if (!lineBreaks) out += c;
        break;
      default:
        out += c;
    }
  }
  return out;
}

// 0x00BBGGRR -> "#RRGGBB".
std::string CssColour(Colour c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

std::string ParagraphsToRtf(const RichTextRecorder& text) {
  RtfDocument doc;
  RtfCharFormat format;
  format.font = FontName(text);
  format.halfPoints = 2 * FontSize(text);
  for (const auto& p : text.Paragraphs()) {
    doc.paragraphs.emplace_back();
    format.colour = p.colour;
    format.bold = p.bold;
    doc.AppendText(p.text, format);
  }
  return WriteRtf(doc);
}

std::string ParagraphsToHtml(const RichTextRecorder& text, const std::string& title) {
  const std::string font = FontName(text);
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
      HtmlEscape(title) + "</title>\n<style>body{font-family:\"" + HtmlEscape(font) +
      "\",\"Noto Serif CJK SC\",serif;font-size:" + std::to_string(FontSize(text)) +
      "pt}p{margin:0;white-space:pre-wrap}</style>\n</head>\n<body>\n";
  for (const auto& p : text.Paragraphs()) {
    std::string style;
    if (p.colour != kDefaultColour) style += "color:" + CssColour(p.colour) + ";";
    if (p.bold) style += "font-weight:bold;";
    out += style.empty() ? "<p>" : "<p style=\"" + style + "\">";
    out += p.text.empty() ? "&nbsp;" : HtmlEscape(p.text);
    out += "</p>\n";
  }
  out += "</body>\n</html>\n";
  return out;
}

bool ColoursWanted() {
  const char* noColour = std::getenv("NO_COLOR");
  return isatty(STDOUT_FILENO) != 0 && (noColour == nullptr || *noColour == '\0');
}

std::string ParagraphsToTerminal(const RichTextRecorder& text, bool colours) {
  std::string out;
  for (const auto& p : text.Paragraphs()) {
    const bool styled = colours && (p.colour != kDefaultColour || p.bold);
    if (styled) {
      out += "\x1b[";
      if (p.bold) out += "1";
      if (p.colour != kDefaultColour) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s38;2;%u;%u;%u", p.bold ? ";" : "", p.colour & 0xFF,
                      (p.colour >> 8) & 0xFF, (p.colour >> 16) & 0xFF);
        out += buf;
      }
      out += "m";
    }
    out += p.text;
    if (styled) out += "\x1b[0m";
    out += "\n";
  }
  return out;
}

}  // namespace taiyi::cli

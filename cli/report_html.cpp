#include "cli/report_html.h"

#include <cstdio>

#include "chart/draw/image_plus.h"
#include "store/rtf_reader.h"

namespace taiyi::cli {
namespace {

std::string Escape(std::string_view s) {
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
        out += "<br>";
        break;
      case '\r':
        break;
      default:
        out += c;
    }
  }
  return out;
}

// 0x00BBGGRR -> "#RRGGBB".
std::string Css(Colour c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

std::string Paragraph(const std::string& style, const std::string& inner) {
  return (style.empty() ? "<p>" : "<p style=\"" + style + "\">") +
         (inner.empty() ? std::string("&nbsp;") : inner) + "</p>\n";
}

}  // namespace

std::string ReportBodyHtml(const RichTextRecorder& texts, const CaseComment* comment) {
  const std::string family =
      ResolveFontFamily(texts.FontName().empty() ? std::string("宋体") : texts.FontName())
          .toStdString();
  const int size = texts.FontSize() > 0 ? texts.FontSize() : 12;
  std::string html =
      "<html><head><style>p{margin:0;white-space:pre-wrap}</style></head>"
      "<body style=\"font-family:'" +
      Escape(family) + "';font-size:" + std::to_string(size) + "pt\">\n";
  bool leading = true;  // the blank paragraphs the editor's text starts with are left out
  for (const auto& p : texts.Paragraphs()) {
    if (leading && p.text.empty()) continue;
    leading = false;
    std::string style;
    if (p.colour != kDefaultColour) style += "color:" + Css(p.colour) + ";";
    if (p.bold) style += "font-weight:bold;";
    html += Paragraph(style, Escape(p.text));
  }
  if (comment != nullptr) {
    html += Paragraph("", "") + Paragraph("font-weight:bold;", "【案例评语】");
    RtfDocument doc;
    if (comment->isRichText && ReadRtf(comment->text, doc)) {
      for (const RtfParagraph& p : doc.paragraphs) {
        std::string inner;
        for (const RtfRun& run : p.runs) {
          std::string style;
          if (run.format.colour != kDefaultColour) style += "color:" + Css(run.format.colour) + ";";
          if (run.format.bold) style += "font-weight:bold;";
          if (run.format.italic) style += "font-style:italic;";
          if (run.format.underline) style += "text-decoration:underline;";
          inner += style.empty() ? Escape(run.text)
                                 : "<span style=\"" + style + "\">" + Escape(run.text) + "</span>";
        }
        html += Paragraph("", inner);
      }
    } else {
      const std::string plain = comment->isRichText ? RtfPlainText(comment->text) : comment->text;
      html += Paragraph("", Escape(plain));
    }
  }
  return html + "</body></html>\n";
}

}  // namespace taiyi::cli

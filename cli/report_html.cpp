#include "cli/report_html.h"

#include "chart/draw/image_plus.h"
#include "cli/text_output.h"
#include "store/rtf_reader.h"

namespace taiyi::cli {
namespace {

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
      HtmlEscape(family, true) + "';font-size:" + std::to_string(size) + "pt\">\n";
  bool leading = true;  // the blank paragraphs the editor's text starts with are left out
  for (const auto& p : texts.Paragraphs()) {
    if (leading && p.text.empty()) continue;
    leading = false;
    std::string style;
    if (p.colour != kDefaultColour) style += "color:" + CssColour(p.colour) + ";";
    if (p.bold) style += "font-weight:bold;";
    html += Paragraph(style, HtmlEscape(p.text, true));
  }
  if (comment != nullptr) {
    html += Paragraph("", "") + Paragraph("font-weight:bold;", "【案例评语】");
    RtfDocument doc;
    if (comment->isRichText && ReadRtf(comment->text, doc)) {
      for (const RtfParagraph& p : doc.paragraphs) {
        std::string inner;
        for (const RtfRun& run : p.runs) {
          std::string style;
          if (run.format.colour != kDefaultColour)
            style += "color:" + CssColour(run.format.colour) + ";";
          if (run.format.bold) style += "font-weight:bold;";
          if (run.format.italic) style += "font-style:italic;";
          if (run.format.underline) style += "text-decoration:underline;";
          inner += style.empty()
                       ? HtmlEscape(run.text, true)
                       : "<span style=\"" + style + "\">" + HtmlEscape(run.text, true) + "</span>";
        }
        html += Paragraph("", inner);
      }
    } else {
      const std::string plain = comment->isRichText ? RtfPlainText(comment->text) : comment->text;
      html += Paragraph("", HtmlEscape(plain, true));
    }
  }
  return html + "</body></html>\n";
}

}  // namespace taiyi::cli

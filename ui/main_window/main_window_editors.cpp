// The main window's editors and output: the popup menus of the comment and analysis editors
// and of the chart image, the selection's font, importing, saving and printing the texts,
// the chart image copied, saved and printed, and the analysis editor's look.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <array>
#include <cstdio>

#include "calendar/typed_years.h"
#include "chart/draw/chart_image_file.h"
#include "chart/draw/chart_report_pdf.h"
#include "chart/draw/image_plus.h"
#include "platform/file_util.h"
#include "ui/main_window/comment_output.h"
#include "ui/main_window/editor_rtf.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/main_window_parts.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {
using namespace main_window_parts;
namespace {

constexpr char kSaved[] = "已保存！";
constexpr char kSetDone[] = "设置完成";
constexpr char kPrintQuestion[] = "准备开始打印吗?";

// The report's title: the chart kind, the name and the moment as the panel shows it.
std::string ReportTitle(const ChartRequest& r) {
  char moment[48];
  std::snprintf(moment, sizeof moment, "%d-%02d-%02d %02d:%02d", TypedYearOf(r.year), r.month,
                r.day, r.hour, r.minute);
  std::string title(ChartKindTitle(r.kind));
  if (!r.name.empty()) title += "  " + r.name;
  title += "  ";
  title += moment;
  if (r.lunar) title += r.leapMonth ? "（农历闰月）" : "（农历）";
  return title;
}

}  // namespace

// ---------------------------------------------------------------- editors and output

void TFrmMain::buildContextMenus() {
  auto editorMenu = [this](QTextEdit* editor, const char* menuName,
                           const std::array<const char*, 10>& names) {
    auto* menu = new QMenu(editor);
    menu->setObjectName(menuName);
    connect(AddItem(menu, names[0], "撤销"), &QAction::triggered, editor, &QTextEdit::undo);
    menu->addSeparator();
    connect(AddItem(menu, names[1], "复制"), &QAction::triggered, editor, &QTextEdit::copy);
    connect(AddItem(menu, names[2], "粘帖"), &QAction::triggered, editor, &QTextEdit::paste);
    connect(AddItem(menu, names[3], "剪切"), &QAction::triggered, editor, &QTextEdit::cut);
    connect(AddItem(menu, names[4], "删除"), &QAction::triggered, editor,
            [editor] { editor->textCursor().removeSelectedText(); });
    connect(AddItem(menu, names[5], "全选"), &QAction::triggered, editor, &QTextEdit::selectAll);
    menu->addSeparator();
    connect(AddItem(menu, names[6], "设置选中文本"), &QAction::triggered, this,
            [this, editor] { SetSelectionFont(editor); });
    menu->addSeparator();
    if (names[7] != nullptr)
      connect(AddItem(menu, names[7], "导入断语"), &QAction::triggered, this,
              [this] { ImportAnalysis(); });
    connect(AddItem(menu, names[8], "另存为"), &QAction::triggered, this,
            [this, editor] { SaveEditorAs(editor); });
    connect(AddItem(menu, names[9], "打印"), &QAction::triggered, this,
            [this, editor] { PrintEditor(editor); });
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, menu,
            [menu, editor](const QPoint& at) { menu->popup(editor->mapToGlobal(at)); });
  };
  editorMenu(redtPingYu_, "PopPingYu",
             {"MenuItem21", "MenuItem7", "MenuItem8", "MenuItem25", "MenuItem26", "MenuItem27",
              "MenuItem29", nullptr, "MenuItem32", "MenuItem33"});
  editorMenu(redtDuan_, "PopupRdtsend",
             {"psendundo", "psendcopy", "psendpaste", "psendcut", "psenddel", "pRdtselall",
              "psend_setF", "psend_import", "psend_save", "psend_prt"});

  auto* chartMenu = new QMenu(imgTaiYi_);
  chartMenu->setObjectName("PopZhangX");
  connect(AddItem(chartMenu, "MenuItem2", "复制"), &QAction::triggered, this,
          [this] { MenuItem2Click(); });
  connect(AddItem(chartMenu, "MenuItem3", "另存为..."), &QAction::triggered, this,
          [this] { SaveChartImage(); });
  connect(AddItem(chartMenu, "MenuItem4", "打印"), &QAction::triggered, this,
          [this] { PrintChart(); });
  imgTaiYi_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(imgTaiYi_, &QWidget::customContextMenuRequested, chartMenu,
          [this, chartMenu](const QPoint& at) { chartMenu->popup(imgTaiYi_->mapToGlobal(at)); });
}

void TFrmMain::SetSelectionFont(QTextEdit* editor) {
  QTextCursor cursor = editor->textCursor();
  if (!cursor.hasSelection()) return;
  const QTextCharFormat current = cursor.charFormat();
  QFont font = current.font().resolve(editor->document()->defaultFont());
  QColor colour = current.hasProperty(QTextFormat::ForegroundBrush) ? current.foreground().color()
                                                                    : QColor(Qt::black);
  if (!dialogs_->ChooseFont(this, font)) return;
  // Qt's font dialog has no colour: the colour dialog follows it.  Cancelling that one keeps
  // the chosen font and the selection's colour.
  dialogs_->ChooseColour(this, colour);
  QTextCharFormat chosen;
  chosen.setFont(font);
  chosen.setForeground(colour);
  cursor.mergeCharFormat(chosen);
}

void TFrmMain::ImportAnalysis() {
  int filter = 0;
  std::string path;
  if (!dialogs_->OpenFileName(this, "All.rtf|*.rtf|All.txt|*.txt", filter, path)) return;
  std::string bytes;
  if (!ReadFile(path, bytes)) {
    prompter_.Information("重试一次", "导入文件出错,请重试一次");
    return;
  }
  redtDuan_->clear();
  QTextCharFormat plain;
  plain.setFontPointSize(duanFontSize_);
  plain.setForeground(Qt::black);
  redtDuan_->setCurrentCharFormat(plain);
  LoadRtfIntoDocument(bytes, *redtDuan_->document());
}

void TFrmMain::SaveEditorAs(QTextEdit* editor) {
  int filter = 0;
  std::string path;
  if (!dialogs_->SaveFileName(this, "", "Rtf格式|*.rtf|Txt格式|*.txt", filter, path)) return;
  const bool asRtf = filter != 1;
  path += asRtf ? ".rtf" : ".txt";
  std::string error;
  if (!SaveDocumentAs(*editor->document(), path, asRtf, error)) {
    prompter_.Error("错误", error);
    return;
  }
  prompter_.Message(kSaved);
}

void TFrmMain::PrintEditor(QTextEdit* editor) {
  if (!prompter_.Question("打印", kPrintQuestion, true, QuestionIcon::Information)) return;
  QPrinter printer;
  if (!dialogs_->SetUpPrinter(this, printer)) return;
  if (!PrintDocument(*editor->document(), printer))
    prompter_.Error("打印错误", "打印错误，请检查打印设备！");
}

void TFrmMain::MenuItem2Click() {
  QApplication::clipboard()->setImage(chartImage_);
}

void TFrmMain::SaveChartImage() {
  int filter = 1;
  std::string path;
  if (!dialogs_->SaveFileName(this, "另存为Bmp图片", "bmp格式|*.bmp|jpg格式|*.jpg", filter, path))
    return;
  const bool bitmap = filter == 0;
  path += bitmap ? ".bmp" : ".jpg";
  std::string error;
  if (!SaveChartImageAs(chartImage_, path, bitmap ? "bmp" : "jpg", error)) {
    prompter_.Error("错误", error);
    return;
  }
  prompter_.Message(kSaved);
}

void TFrmMain::ExportPdfReport() {
  if (!chartValid_) {
    prompter_.Information("提示", "请先排盘！");
    return;
  }
  int filter = 0;
  std::string path;
  if (!dialogs_->SaveFileName(this, "导出PDF报告", "PDF文件|*.pdf", filter, path)) return;
  if (path.size() < 4 || path.compare(path.size() - 4, 4, ".pdf") != 0) path += ".pdf";

  // The body: the analysis as the editor shows it, then a stored case's comment.
  QTextDocument body;
  body.setDefaultFont(redtDuan_->document()->defaultFont());  // the editor's, not the page's
  QTextCursor cursor(&body);
  cursor.insertFragment(QTextDocumentFragment(redtDuan_->document()));
  if (saveMode_ == SaveMode::StoredCase) {
    cursor.insertBlock();
    cursor.insertHtml(ToQString("<p><b>【案例评语】</b></p>"));
    cursor.insertBlock();
    cursor.insertFragment(QTextDocumentFragment(redtPingYu_->document()));
  }

  ChartReport report;
  report.title = ReportTitle(engine_.Chart().request);
  report.chart = engine_.DrawInput();
  report.fontSize = engine_.FontSize();
  report.bodyHtml = body.toHtml().toStdString();
  std::string pdf;
  std::string error;
  if (!MakeChartReportPdf(report, pdf, error)) {
    prompter_.Error("错误", error);
    return;
  }
  if (!WriteFileAtomic(path, pdf)) {
    prompter_.Error("错误", "无法写入文件：" + path);
    return;
  }
  prompter_.Message(kSaved);
}

void TFrmMain::PrintChart() {
  if (!prompter_.Question("打印", kPrintQuestion, true, QuestionIcon::Information)) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!dialogs_->SetUpPrinter(this, printer)) return;
  if (!PrintChartImage(chartImage_, printer))
    prompter_.Error("打印错误", "请检查打印机能否正常工作！");
}

void TFrmMain::N12Click() {
  SetAnalysisEditorLook("宋体", 12, 12635344);
}

void TFrmMain::N13Click() {
  QFont font = redtDuan_->font();
  if (!dialogs_->ChooseFont(this, font)) return;
  const int size = font.pointSize() > 0 ? font.pointSize() : duanFontSize_;
  SetAnalysisEditorLook(ToStdString(font.family()), size, duanColour_);
  prompter_.Message(kSetDone);
}

void TFrmMain::N14Click() {
  QColor colour = ToQColor(duanColour_);
  if (!dialogs_->ChooseColour(this, colour)) return;
  SetAnalysisEditorLook(duanFontName_, duanFontSize_, FromQColor(colour));
  prompter_.Message(kSetDone);
}

void TFrmMain::SetAnalysisEditorLook(const std::string& fontName, int pointSize,
                                     Colour background) {
  duanFontName_ = fontName;
  duanFontSize_ = pointSize;
  duanColour_ = background;
  QFont font(ResolveFontFamily(fontName));
  font.setPointSize(pointSize);
  redtDuan_->setFont(font);
  redtDuan_->document()->setDefaultFont(font);
  QPalette colours = redtDuan_->palette();
  colours.setColor(QPalette::Base, ToQColor(background));
  redtDuan_->setPalette(colours);
}

}  // namespace taiyi

#include <gtest/gtest.h>

#include "ui/main_window_fixture.h"

namespace taiyi::test {
namespace {

TEST_F(MainWindowTest, EditorsAreSavedWithTheChosenFiltersExtension) {
  auto w = Open();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  auto* comment = Find<QTextEdit>(*w, "RedtPingYu");
  comment->setPlainText(QStringLiteral("第一行\n第二行"));
  const std::string note = dir_.file("note");
  dialogs.files = {{true, 1, note}, {true, 1, note + ".txt"}, {true, 0, note}, {false, 0, ""}};
  w->SaveEditorAs(comment);
  EXPECT_EQ(dialogs.calls.back(), "|Rtf格式|*.rtf|Txt格式|*.txt|0");
  std::string bytes;
  ASSERT_TRUE(ReadFile(note + ".txt", bytes));
  EXPECT_EQ(bytes, "第一行\n第二行");
  EXPECT_EQ(prompter_.LastText(), "已保存！");
  w->SaveEditorAs(comment);
  EXPECT_TRUE(FileExists(note + ".txt.txt"));
  w->SaveEditorAs(comment);
  ASSERT_TRUE(ReadFile(note + ".rtf", bytes));
  EXPECT_TRUE(LooksLikeRtf(bytes));
  EXPECT_EQ(RtfPlainText(bytes), "第一行\n第二行");
  const std::size_t before = Boxes();
  w->SaveEditorAs(comment);  // cancelled
  EXPECT_EQ(Boxes(), before);

  // A file that cannot be written is reported, not announced as saved.
  dialogs.files = {{true, 1, dir_.file("missing/folder/x")}};
  w->SaveEditorAs(comment);
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Error);
}

TEST_F(MainWindowTest, TheChartImageIsSavedAsJpegOrBitmap) {
  auto w = Open();
  FillPanel(*w);
  w->BtnpaiClick();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  dialogs.files = {{true, 1, dir_.file("pan")}, {true, 0, dir_.file("pan")}};
  w->SaveChartImage();
  EXPECT_EQ(dialogs.calls.back(), "另存为Bmp图片|bmp格式|*.bmp|jpg格式|*.jpg|1");
  EXPECT_GT(FileSize(dir_.file("pan.jpg")), 0);
  w->SaveChartImage();
  QImage bitmap(QString::fromStdString(dir_.file("pan.bmp")));
  EXPECT_EQ(bitmap.size(), w->ChartImage().size());
  EXPECT_EQ(prompter_.LastText(), "已保存！");
}

// The pages of a PDF document as QPdfWriter writes them.
std::size_t PdfPages(const std::string& pdf) {
  std::size_t pages = 0;
  for (std::size_t at = 0; (at = pdf.find("/Type /Page\n", at)) != std::string::npos; ++at) ++pages;
  return pages;
}

TEST_F(CurrentCaseTest, PdfReportOfTheChartOnScreenWithAStoredCasesComment) {
  auto w = OpenWithChooser();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  w->ExportPdfReport();  // nothing charted: nothing to report
  EXPECT_EQ(prompter_.LastText(), "请先排盘！");
  EXPECT_TRUE(dialogs.calls.empty());

  // A comment long enough to fill pages of its own.
  std::string comment;
  for (int line = 1; line <= 150; ++line) comment += "评语第" + std::to_string(line) + "行\n";
  FillPanel(*w);
  w->BtnpaiClick();
  SetComment(*w, comment.c_str());
  dialogs.files = {{true, 0, dir_.file("new")}, {true, 0, dir_.file("stored.pdf")}};
  w->ExportPdfReport();  // a new case: the chart and its analysis, no comment
  EXPECT_EQ(dialogs.calls.back(), "导出PDF报告|PDF文件|*.pdf|0");
  EXPECT_EQ(prompter_.LastText(), "已保存！");
  std::string chartOnly;
  ASSERT_TRUE(ReadFile(dir_.file("new.pdf"), chartOnly));
  EXPECT_EQ(chartOnly.rfind("%PDF-", 0), 0u);
  EXPECT_GE(PdfPages(chartOnly), 2u);  // the chart, then the analysis

  SaveNew(*w, "张三", comment.c_str());
  w->ExportPdfReport();
  std::string withComment;
  ASSERT_TRUE(ReadFile(dir_.file("stored.pdf"), withComment));
  EXPECT_GE(PdfPages(withComment), PdfPages(chartOnly) + 2);

  // A file that cannot be written is reported, not announced as saved.
  dialogs.files = {{true, 0, dir_.file("missing/folder/x")}};
  w->ExportPdfReport();
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Error);
}

TEST_F(MainWindowTest, SelectionFontAndImportOfTheAnalysis) {
  auto w = Open();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  auto* comment = Find<QTextEdit>(*w, "RedtPingYu");
  w->SetSelectionFont(comment);  // nothing selected
  EXPECT_TRUE(dialogs.calls.empty());
  comment->selectAll();
  QFont big = comment->font();
  big.setPointSize(20);
  big.setBold(true);
  dialogs.font = big;
  w->SetSelectionFont(comment);
  QTextCursor at(comment->document());
  at.setPosition(2);
  EXPECT_EQ(at.charFormat().fontPointSize(), 20);
  // The colour dialog follows the font dialog.
  EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"font", "colour"}));
  EXPECT_EQ(at.charFormat().foreground().color(), QColor(Qt::red));
  // Cancelling the colour keeps the chosen font and the colour the text had.
  big.setPointSize(24);
  dialogs.font = big;
  dialogs.colour = QColor();
  w->SetSelectionFont(comment);
  EXPECT_EQ(at.charFormat().fontPointSize(), 24);
  EXPECT_EQ(at.charFormat().foreground().color(), QColor(Qt::red));

  const std::string text = dir_.file("duan.txt");
  ASSERT_TRUE(WriteFileAtomic(text, "导入的断语"));
  dialogs.files = {{true, 1, text}, {true, 0, dir_.file("none.rtf")}};
  w->ImportAnalysis();
  EXPECT_EQ(dialogs.calls.back(), "All.rtf|*.rtf|All.txt|*.txt");
  EXPECT_EQ(Find<QTextEdit>(*w, "RedtDuan")->toPlainText(), QStringLiteral("导入的断语"));
  w->ImportAnalysis();
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "重试一次");
  EXPECT_EQ(prompter_.LastText(), "导入文件出错,请重试一次");
  EXPECT_EQ(Find<QTextEdit>(*w, "RedtDuan")->toPlainText(), QStringLiteral("导入的断语"));
}

TEST_F(MainWindowTest, AnalysisEditorLookIsKeptForTheClose) {
  auto w = Open();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  dialogs.colour = QColor(1, 2, 3);
  w->N14Click();
  EXPECT_EQ(prompter_.LastText(), "设置完成");
  auto* duan = Find<QTextEdit>(*w, "RedtDuan");
  EXPECT_EQ(duan->palette().color(QPalette::Base), QColor(1, 2, 3));
  QFont font = duan->font();
  font.setPointSize(17);
  dialogs.font = font;
  w->N13Click();
  EXPECT_EQ(duan->font().pointSize(), 17);
  w->N12Click();
  EXPECT_EQ(duan->font().pointSize(), 12);
  prompter_.AnswerQuestion(true);
  ASSERT_TRUE(w->close());
  const WindowConfig c = ReadWindowConfig(IniFile(folder_.Dat() + "init.ini"));
  EXPECT_EQ(c.fname, "宋体");
  EXPECT_EQ(c.fsize, 12);
  EXPECT_EQ(c.bcolor, 0xC0CCD0u);
}

TEST_F(MainWindowTest, PrintingAsksFirstAndStopsAtACancelledDialog) {
  auto w = Open();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  prompter_.AnswerQuestion(false);
  w->PrintChart();
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "打印");
  EXPECT_EQ(prompter_.LastText(), "准备开始打印吗?");
  EXPECT_EQ(prompter_.ShownBoxes().back().icon, QuestionIcon::Information);
  EXPECT_TRUE(dialogs.calls.empty());
  prompter_.AnswerQuestion(true);
  w->PrintEditor(Find<QTextEdit>(*w, "RedtDuan"));
  EXPECT_EQ(dialogs.calls.back(), "printer");
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Question);

  FillPanel(*w);
  w->BtnpaiClick();
  dialogs.printTo = dir_.file("chart.pdf");
  prompter_.AnswerQuestion(true);
  w->PrintChart();
  EXPECT_GT(FileSize(dialogs.printTo), 1000);
  dialogs.printTo = dir_.file("duan.pdf");
  prompter_.AnswerQuestion(true);
  w->PrintEditor(Find<QTextEdit>(*w, "RedtDuan"));
  EXPECT_GT(FileSize(dialogs.printTo), 1000);
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Question);
}

TEST(ChartPrintRect, NinetyPercentWideCentredDown) {
  EXPECT_EQ(ChartPrintRect(4000, 3000), QRect(200, 211, 3600, 2577));
}

}  // namespace
}  // namespace taiyi::test

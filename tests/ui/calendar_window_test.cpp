#include "ui/tools/calendar_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTextDocument>
#include <memory>

#include "chart/draw/image_plus.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

class CalendarWindowTest : public testing::Test {
 protected:
  void SetUp() override { window_ = std::make_unique<TFrmWnl>(prompter_); }

  template <typename T>
  T* Find(const char* name) {
    T* child = window_->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  std::string Text(const char* name) {
    if (auto* label = window_->findChild<QLabel*>(name)) return ToStdString(label->text());
    if (auto* edit = window_->findChild<QLineEdit*>(name)) return ToStdString(edit->text());
    return ToStdString(Find<QPlainTextEdit>(name)->toPlainText());
  }
  int Index(const char* name) { return Find<QComboBox>(name)->currentIndex(); }
  void Select(const char* name, int index) { Find<QComboBox>(name)->setCurrentIndex(index); }

  ScriptedPrompter prompter_;
  std::unique_ptr<TFrmWnl> window_;
};

TEST_F(CalendarWindowTest, OpenShowsTheMonthOfTheMoment) {
  window_->Open({2024, 2, 4, 16, 27});
  EXPECT_EQ(ToStdString(window_->windowTitle()), "墨衡万年历");
  EXPECT_EQ(Text("EdtYear"), "2024");
  EXPECT_EQ(Find<QSpinBox>("UpYear")->value(), 2024);
  EXPECT_EQ(Find<QComboBox>("CboM")->itemText(0), ToQString("1月"));
  EXPECT_EQ(Find<QComboBox>("CboD")->count(), 31);
  EXPECT_EQ(Find<QComboBox>("CboMinute")->currentText(), ToQString("27分"));
  EXPECT_EQ(Text("LabShow"), "2024年2月");
  EXPECT_EQ(Text("MeoJie"), "立春:\n4日\n16时27分\n\n雨水:\n19日\n12时13分");
  EXPECT_EQ(Text("MeoGanZhi"), "甲辰年\n丙寅月\n戊戌日\n庚申时");
  EXPECT_NE(Text("MeoTitle").find("  【龙年】"), std::string::npos);
  EXPECT_TRUE(prompter_.ShownBoxes().empty());

  // The selected day (Sunday 4th: column 6, row 1) is framed in red.
  const QImage& image = window_->GridImage();
  ASSERT_EQ(image.size(), QSize(450, 330));
  EXPECT_EQ(image.pixelColor(6 * 64 + 32, 47), QColor(255, 0, 0));
  EXPECT_NE(image.pixelColor(5 * 64 + 32, 47), QColor(255, 0, 0));

  // A day that does not exist in the month becomes the 15th.
  window_->Open({2023, 2, 30, 8, 0});
  EXPECT_EQ(Index("CboD"), 14);
  EXPECT_EQ(Text("LabShow"), "2023年2月");
}

TEST_F(CalendarWindowTest, MonthStepsCrossTheYearWithoutYearZero) {
  window_->Open({1, 1, 20, 12, 0});
  window_->BitBtn2Click();
  EXPECT_EQ(Text("EdtYear"), "-1");
  EXPECT_EQ(Text("LabShow"), "-1年12月");
  EXPECT_EQ(Find<QSpinBox>("UpYear")->value(), 0);
  EXPECT_EQ(Index("CboD"), 0);
  window_->BitBtn1Click();
  EXPECT_EQ(Text("LabShow"), "1年1月");

  // Into a new year the month's terms are those of the new year.
  window_->Open({2023, 12, 1, 12, 0});
  window_->BitBtn1Click();
  EXPECT_EQ(Text("LabShow"), "2024年1月");
  EXPECT_EQ(Text("MeoJie"), "小寒:\n6日\n4时49分\n\n大寒:\n20日\n22时7分");
  window_->BitBtn2Click();
  EXPECT_EQ(Text("MeoJie").rfind("大雪:\n7日\n", 0), 0u) << Text("MeoJie");

  // The ends of the range do not move.
  window_->Open({-4713, 1, 1, 0, 0});
  window_->BitBtn2Click();
  EXPECT_EQ(Text("LabShow"), "-4713年1月");
  window_->Open({9999, 12, 1, 0, 0});
  window_->BitBtn1Click();
  EXPECT_EQ(Text("LabShow"), "9999年12月");
  EXPECT_TRUE(prompter_.ShownBoxes().empty());
}

TEST_F(CalendarWindowTest, YearArrowsAndTypedYears) {
  window_->Open({2024, 3, 1, 0, 0});
  Find<QSpinBox>("UpYear")->setValue(0);
  EXPECT_EQ(Text("EdtYear"), "-1");
  EXPECT_EQ(Text("LabShow"), "-1年3月");

  auto* year = Find<QLineEdit>("EdtYear");
  year->setText("1582");
  QTest::keyClick(year, Qt::Key_Return);
  EXPECT_EQ(Text("LabShow"), "1582年3月");
  EXPECT_TRUE(prompter_.ShownBoxes().empty());
}

TEST_F(CalendarWindowTest, BadYearsAndDatesAreReportedAndLeaveTheMonth) {
  window_->Open({2024, 1, 31, 0, 0});
  Select("CboM", 1);  // 2024-02-31
  ASSERT_EQ(prompter_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompter_.ShownBoxes()[0].kind, ScriptedPrompter::Kind::Information);
  EXPECT_EQ(prompter_.ShownBoxes()[0].title, "日期不对");
  EXPECT_EQ(prompter_.LastText(), "不存在这个日期，请重新输入！");
  EXPECT_EQ(Text("LabShow"), "2024年1月");

  Select("CboD", 0);
  Find<QLineEdit>("EdtYear")->setText("0");
  window_->EdtYearEnter();
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "错误");
  EXPECT_EQ(prompter_.LastText(), "年份在-4713 到 9999之间");
  Select("CboH", 5);
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Error);
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "年份不对");
  EXPECT_EQ(prompter_.LastText(), "年份在-4713 到 9999年之间，并且没有公元0年");
  EXPECT_EQ(Text("LabShow"), "2024年2月");

  // A month step from a bad year reports it instead of inventing a neighbour year.
  const size_t shown = prompter_.ShownBoxes().size();
  window_->BitBtn2Click();
  EXPECT_EQ(Text("EdtYear"), "0");
  ASSERT_EQ(prompter_.ShownBoxes().size(), shown + 1);
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "年份不对");
}

TEST_F(CalendarWindowTest, ClickingADaySelectsIt) {
  window_->Open({1582, 10, 1, 9, 0});
  auto* img = Find<QLabel>("Img");
  // Friday of the first week: the 15th, the day after the 4th.
  QTest::mouseClick(img, Qt::LeftButton, {}, QPoint(4 * 64 + 10, 47 + 10));
  EXPECT_EQ(Index("CboD"), 14);
  EXPECT_EQ(Text("MeoGanZhi").substr(0, 9), "壬午年");
  // The header row and cells after the last day select nothing.
  window_->ImgMouseDown(10, 10);
  window_->ImgMouseDown(10, 4 * 47 + 10);
  EXPECT_EQ(Index("CboD"), 14);
  window_->ImgMouseDown(6 * 64 + 10, 3 * 47 + 10);  // the 31st, a Sunday
  EXPECT_EQ(Index("CboD"), 30);
}

// A larger interface font grows the window; the grid is drawn at the image's new size and
// clicks find their day in it.
TEST_F(CalendarWindowTest, ScaledWindowDrawsAndClicksAtItsSize) {
  MUiFont uiFont(3, false);
  TFrmWnl scaled(prompter_, &uiFont);
  EXPECT_GT(scaled.width(), 542);
  scaled.Open({1582, 10, 1, 9, 0});
  auto* img = scaled.findChild<QLabel*>("Img");
  ASSERT_GT(img->width(), 450);
  EXPECT_EQ(scaled.GridImage().size(), img->size());
  const int w = img->width() / 7;
  const int h = img->height() / 7;
  scaled.ImgMouseDown(4 * w + w / 2, h + h / 2);
  EXPECT_EQ(scaled.findChild<QComboBox*>("CboD")->currentIndex(), 14);
  EXPECT_EQ(scaled.GridImage().pixelColor(4 * w + w / 2, h), QColor(255, 0, 0));
}

TEST_F(CalendarWindowTest, NowAndTheHandOff) {
  window_->Open({2000, 6, 1, 0, 0});
  window_->BtoNowClick();
  const QDate today = QDate::currentDate();
  EXPECT_EQ(Text("EdtYear"), std::to_string(today.year()));
  EXPECT_EQ(Index("CboM"), today.month() - 1);

  window_->Open({-120, 5, 6, 13, 45});
  window_->show();
  QString yearText;
  int got[4] = {};
  QObject::connect(window_.get(), &TFrmWnl::ChartMomentChosen,
                   [&](const QString& y, int m, int d, int h, int mi) {
                     yearText = y;
                     got[0] = m, got[1] = d, got[2] = h, got[3] = mi;
                   });
  QTest::mouseClick(Find<QPushButton>("BtnPai"), Qt::LeftButton);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(ToStdString(yearText), "-120");
  EXPECT_EQ(got[0], 5);
  EXPECT_EQ(got[1], 6);
  EXPECT_EQ(got[2], 13);
  EXPECT_EQ(got[3], 45);
}

// At every font step the texts keep to their boxes: a term's moment stays on one line of the
// terms box, whose terms need no scrolling, and a long lunar day such as 闰十一月十二 shrinks
// until it fits its grid cell.
TEST(CalendarWindow, TextsFitTheirBoxesAtEveryFontStep) {
  for (const int step : {0, 3, 6, 10}) {
    ScriptedPrompter prompter;
    MUiFont font(step, false);
    TFrmWnl window(prompter, &font);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.Open({2034, 1, 2, 12, 0});  // 闰十一月十二 of 2033
    auto* jie = window.findChild<QPlainTextEdit*>("MeoJie");
    const QFontMetrics metrics(jie->font());
    const int room = jie->width() - 2 * jie->frameWidth() -
                     2 * static_cast<int>(jie->document()->documentMargin());
    for (const QString& line : jie->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts))
      EXPECT_LE(metrics.horizontalAdvance(line), room) << step << " " << ToStdString(line);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(jie->verticalScrollBar()->maximum(), 0) << step;

    const int cell = window.findChild<QLabel*>("Img")->width() / 7 - 2;
    const QString family = ResolveFontFamily("宋体");
    const int base = FontPointSize(&window);
    for (const char* text : {"闰十一月十二", "闰十二月廿九", "四月初五"}) {
      const int points = CellTextPointSize(family, ToQString(text), base, cell);
      QFont f(family);
      f.setPointSize(points);
      EXPECT_LE(QFontMetrics(f).horizontalAdvance(ToQString(text)), cell) << step << " " << text;
      EXPECT_LE(points, base);
    }
    // A short day text keeps the size of the others.
    EXPECT_EQ(CellTextPointSize(family, ToQString("初五"), base, cell), base) << step;
  }
}

}  // namespace
}  // namespace taiyi

// The 择时 window: a scan from its controls lists what the selection engine finds, with each
// period's chart; bad dates are refused; a long scan can be stopped; a double click charts
// the period in the main window; the conditions editor gives back what it was set to.
#include "ui/tools/select_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "main_window_fixture.h"
#include "ui/widgets/chart_conditions_editor.h"

namespace taiyi {
namespace {

class SelectWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = new TFrmSelect(dir_.path() + "set.ini", prompter_);  // no file: the defaults
    window_->Open(120);
  }
  void TearDown() override { delete window_; }
  template <typename T>
  T* Find(const char* name) {
    T* child = window_->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  void Range(int kind, const char* from, const char* to) {
    Find<QComboBox>("CboKind")->setCurrentIndex(kind - 1);
    Find<QLineEdit>("EdtFrom")->setText(from);
    Find<QLineEdit>("EdtTo")->setText(to);
  }
  bool Finished() {
    return QTest::qWaitFor([this] { return !window_->Running(); }, 20000);
  }

  test::TempDir dir_;
  ScriptedPrompter prompter_;
  TFrmSelect* window_ = nullptr;
};

TEST_F(SelectWindowTest, ListsThePeriodsTheEngineSelects) {
  Range(3, "2024-02-01", "2024-02-29");
  Find<QCheckBox>("ChkJu")->setChecked(true);
  Find<QSpinBox>("SbtoJu1")->setValue(10);
  Find<QSpinBox>("SbtoJu2")->setValue(30);
  Find<QComboBox>("CboCond1")->setCurrentIndex(2);  // without 迫
  window_->BtnStartClick();
  ASSERT_TRUE(Finished());

  PeriodSelection s;
  s.kind = ChartKind::kDay;
  s.from = {2024, 2, 1, 0, 0};
  s.to = {2024, 2, 29, 23, 59};
  s.conditions.ju = {{10, 30}};
  s.conditions.without = {{kCondPo, 0}};
  const SelectionResult want = SelectPeriods(s);
  ASSERT_FALSE(want.periods.empty());
  auto* list = Find<QTreeWidget>("LstResult");
  ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(want.periods.size()));
  const YiDate& first = want.periods[0].start;
  EXPECT_EQ(list->topLevelItem(0)->text(0),
            QString::asprintf("%d-%02d-%02d %02d:%02d", first.year, first.month, first.day,
                              first.hour, first.minute));
  EXPECT_EQ(list->topLevelItem(0)->text(2).right(1), QStringLiteral("局"));
  EXPECT_FALSE(list->topLevelItem(0)->text(7).contains(QStringLiteral("迫")));
  EXPECT_TRUE(Find<QLabel>("LabStatus")
                  ->text()
                  .startsWith(QStringLiteral("找到 %1 个局").arg(want.periods.size())));

  // A double click hands the kind and the moment on.
  QSignalSpy chosen(window_, &TFrmSelect::ChartMomentChosen);
  emit list->itemDoubleClicked(list->topLevelItem(0), 0);
  ASSERT_EQ(chosen.size(), 1);
  EXPECT_EQ(chosen[0][0].toInt(), 3);
  EXPECT_EQ(chosen[0][1].toString(), QString::number(first.year));
  EXPECT_EQ(chosen[0][4].toInt(), first.hour);
}

TEST_F(SelectWindowTest, RefusesBadDatesAndStopsWhenAsked) {
  const struct {
    const char *from, *to, *message;
  } bad[] = {{"2024-2", "2024-03-01", "日期格式应为 YYYY-MM-DD（公元前用负数）"},
             {"2024-02-30", "2024-03-01", "不存在这个日期"},
             {"2024-65537-01", "2024-03-01", "不存在这个日期"},
             {"0-01-01", "2024-03-01", "年份必须在-4713到9999年之间，并且没有公元0年"},
             {"2024-03-01", "2024-02-01", "结束日期不能早于起始日期"}};
  for (const auto& b : bad) {
    Range(4, b.from, b.to);
    window_->BtnStartClick();
    EXPECT_FALSE(window_->Running());
    ASSERT_FALSE(prompter_.ShownBoxes().empty());
    EXPECT_EQ(prompter_.ShownBoxes().back().text, b.message);
  }

  Range(4, "1900-01-01", "2100-12-31");
  window_->BtnStartClick();
  EXPECT_TRUE(window_->Running());
  EXPECT_FALSE(Find<QPushButton>("BtnStart")->isEnabled());
  window_->BtnStopClick();
  ASSERT_TRUE(Finished());
  EXPECT_TRUE(Find<QPushButton>("BtnStart")->isEnabled());
  EXPECT_TRUE(Find<QLabel>("LabStatus")->text().endsWith(QStringLiteral("已停止")));
}

TEST(ChartConditionsEditorTest, GivesBackWhatItWasSet) {
  ChartConditionsEditor editor;
  ChartConditions c;
  c.ju = {{3, 9}};
  c.guest = {{10, 20}};
  c.yang = false;
  c.gates = {1, 6};
  c.with = {{kCondGe, 7}};
  c.without = {{kCondYan, 0}};
  c.patterns = {kUpperHarmony};
  c.noPatterns = {kNoHeaven, kBlockedNoGate};
  c.deities = {{kTaiYi, kPosQian}, {kWenChang, kPosCentre}};
  editor.SetConditions(c);
  EXPECT_EQ(editor.Conditions(), c);
  editor.SetConditions({});
  EXPECT_TRUE(editor.Conditions().Empty());
}

using SelectFromMainWindow = test::MainWindowTest;

TEST_F(SelectFromMainWindow, DoubleClickChartsThePeriodInTheMainWindow) {
  auto w = Open();
  QAction* menu = w->findChild<QAction*>("mnuT_zeshi");
  ASSERT_NE(menu, nullptr);
  menu->trigger();
  TFrmSelect* select = w->findChild<TFrmSelect*>();
  ASSERT_NE(select, nullptr);
  EXPECT_TRUE(select->isVisible());
  menu->trigger();
  EXPECT_EQ(w->findChildren<TFrmSelect*>().size(), 1);
  emit select->ChartMomentChosen(4, "2024", 6, 21, 4, 51);
  ASSERT_TRUE(w->ChartValid()) << prompter_.LastText();
  EXPECT_EQ(w->CurrentRecord().kind, ChartKind::kHour);
  EXPECT_EQ(w->CurrentRecord().year, 2024);
  EXPECT_EQ(w->CurrentRecord().hour, 4);
  EXPECT_EQ(w->CurrentRecord().minute, 51);
}

}  // namespace
}  // namespace taiyi

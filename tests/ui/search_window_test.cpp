// The condition search window over a small store: the conditions shown when it opens, the
// year checks, 清空, and 查找 that keeps the conditions and hands back the found ids.
#include "ui/case_tree/search_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/chart_case_search.h"
#include <QSpinBox>
#include "store/record_base.h"
#include "support/temp_dir.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

class SearchWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirs(dir_.path() + "dat");
    CreateDirs(dir_.path() + "TaiYi_f");
    ASSERT_EQ(store_.Open(CaseDatabasePath(dir_.path()), dir_.path(), false), 0);
  }
  void Add(const std::string& name, int year, bool male) {
    TRecordData r;
    r.name = name;
    r.year = static_cast<std::int16_t>(year);
    r.male = male;
    r.className = "家人";
    r.remarkFile = name;
    ASSERT_GT(store_.AddCase(r), 0);
  }
  template <typename T>
  T* Find(TFrmSearch& w, const char* name) {
    T* control = w.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  test::TempDir dir_;
  MRecordBase store_;
  MUiFont font_{0, false};
  ScriptedPrompter prompter_;
  SearchConditions conditions_;
};

TEST_F(SearchWindowTest, OpensWithThePreviousConditionsInTheUsersNumbering) {
  conditions_.sexOn = true;
  conditions_.male = false;
  conditions_.yearOn = true;
  conditions_.yearFrom = -119;
  conditions_.yearTo = 2000;
  conditions_.provinceIndex = 0;
  conditions_.name = "张";
  conditions_.nameMode = kMatchEquals;
  conditions_.className = "家人";
  conditions_.classMode = kMatchNone;
  TFrmSearch w(store_, conditions_, font_, prompter_);
  w.FormShow();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("查找命例"));
  EXPECT_EQ(Find<RadioGroup>(w, "RdoSex")->ItemIndex(), 2);
  EXPECT_EQ(Find<QLineEdit>(w, "LedtY1")->text(), QStringLiteral("-120"));
  EXPECT_EQ(Find<QLineEdit>(w, "LedtY2")->text(), QStringLiteral("2000"));
  auto* provinces = Find<QComboBox>(w, "CboProv");
  EXPECT_EQ(provinces->count(), 36);
  EXPECT_EQ(provinces->currentText(), QStringLiteral("福建省"));
  EXPECT_EQ(Find<QLineEdit>(w, "EdtName")->text(), QStringLiteral("张"));
  EXPECT_TRUE(Find<QCheckBox>(w, "ChkName")->isChecked());
  EXPECT_EQ(Find<QComboBox>(w, "CboClass")->currentText(), QString());  // classMode 0

  prompter_.AnswerQuestion(true);
  w.BtoAllClick();
  EXPECT_EQ(prompter_.ShownBoxes().back().text, "这将清除所有输入的条件参数，确定吗？");
  EXPECT_EQ(prompter_.ShownBoxes().back().icon, QuestionIcon::Information);
  EXPECT_EQ(Find<RadioGroup>(w, "RdoSex")->ItemIndex(), 0);
  EXPECT_TRUE(Find<QLineEdit>(w, "LedtY1")->text().isEmpty());
  EXPECT_EQ(provinces->currentIndex(), 0);
  EXPECT_FALSE(Find<QCheckBox>(w, "ChkName")->isChecked());
  EXPECT_TRUE(conditions_.yearOn);  // the record changes only with 查找
}

TEST_F(SearchWindowTest, RefusesBadYearsAndAnEmptyStoreAndStaysOpen) {
  struct Case {
    const char* from;
    const char* to;
    const char* message;
  };
  for (const Case& c : {Case{"2000", "1990", kSearchYearOrder}, Case{"0", "1990", kSearchYearRange},
                        Case{"1990", "", kSearchYearRange}, Case{"", "", kSearchEmptyStore}}) {
    ScriptedPrompter prompter;
    TFrmSearch w(store_, conditions_, font_, prompter);
    w.FormShow();
    Find<QLineEdit>(w, "LedtY1")->setText(c.from);
    Find<QLineEdit>(w, "LedtY2")->setText(c.to);
    w.BtnSearchClick();
    EXPECT_EQ(prompter.LastText(), c.message) << c.from << "-" << c.to;
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.Found());
  }
}

TEST_F(SearchWindowTest, FindsTheMatchingCasesAndKeepsTheConditions) {
  Add("张三", 1990, true);
  Add("小张", -119, true);
  Add("张三丰", -110, false);
  TFrmSearch w(store_, conditions_, font_, prompter_);
  w.FormShow();
  Find<QLineEdit>(w, "LedtY1")->setText("-120");
  Find<QLineEdit>(w, "LedtY2")->setText("-100");
  Find<QLineEdit>(w, "EdtName")->setText(QStringLiteral("张三"));
  Find<QCheckBox>(w, "ChkName")->setChecked(true);
  w.BtnSearchClick();
  EXPECT_EQ(prompter_.LastText(), kSearchNothingFound);
  EXPECT_EQ(prompter_.ShownBoxes().back().title, kSearchNothingFoundTitle);
  EXPECT_FALSE(w.Found());

  Find<QCheckBox>(w, "ChkName")->setChecked(false);
  Find<QLineEdit>(w, "EdtName")->setText(QStringLiteral("张"));
  w.BtnSearchClick();
  EXPECT_TRUE(w.Found());
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_EQ(w.FoundIds(), (std::vector<std::int32_t>{2, 3}));
  EXPECT_EQ(conditions_.yearFrom, -119);
  EXPECT_EQ(conditions_.nameMode, kMatchContains);
  EXPECT_TRUE(Find<QPushButton>(w, "BtnSearch")->isEnabled());
}

// The page "星盘条件": the found cases are those whose chart meets the page's conditions and
// the first page's conditions; the conditions are kept for the next opening.
TEST_F(SearchWindowTest, ChartPageSearchesTheStoredCharts) {
  for (int i = 0; i < 12; ++i) Add("例" + std::to_string(i), 1950 + 7 * i, i % 2 == 0);
  ChartConditions hostLow;
  hostLow.host = {{1, 20}};
  std::vector<std::int32_t> charted;
  ASSERT_TRUE(SearchByChart(store_, {}, hostLow, charted));
  ASSERT_FALSE(charted.empty());
  ASSERT_LT(charted.size(), 12u);
  std::vector<std::int32_t> women;
  for (std::int32_t id : charted)
    if (id % 2 == 0) women.push_back(id);  // ids 2, 4 … are the women

  for (const bool female : {false, true}) {
    TFrmSearch w(store_, conditions_, font_, prompter_);
    w.FormShow();
    Find<RadioGroup>(w, "RdoSex")->SetItemIndex(female ? 2 : 0);
    Find<QCheckBox>(w, "ChkHost")->setChecked(true);
    Find<QSpinBox>(w, "SbtoHost1")->setValue(1);
    Find<QSpinBox>(w, "SbtoHost2")->setValue(20);
    w.BtnSearchClick();
    ASSERT_TRUE(w.Found()) << prompter_.LastText();
    EXPECT_EQ(w.FoundIds(), female ? women : charted);
  }
  EXPECT_EQ(conditions_.chart, hostLow);
  TFrmSearch again(store_, conditions_, font_, prompter_);
  again.FormShow();
  EXPECT_TRUE(Find<QCheckBox>(again, "ChkHost")->isChecked());
}

}  // namespace
}  // namespace taiyi

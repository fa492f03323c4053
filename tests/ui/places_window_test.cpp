#include "ui/tools/places_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "platform/file_util.h"
#include "platform/gbk.h"
#include "support/temp_dir.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

constexpr char kPlaces[] =
    "[福建省]\r\n福州市=119:18*26:5\r\n厦门市=118:5*24:29\r\n"
    "[北京市]\r\n东城区=116:25*39:56\r\n空值区=\r\n坏值区=abc\r\n";

class PlacesWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirs(folder_.Dat()));
    ASSERT_TRUE(WriteFileAtomic(Path(), Utf8ToGbk(kPlaces)));
  }
  std::string Path() const { return folder_.Dat() + "dili.ini"; }
  std::string FileText() const {
    std::string bytes;
    EXPECT_TRUE(ReadFile(Path(), bytes));
    return GbkToUtf8(bytes);
  }
  template <typename T>
  T* Find(TFrmDiLi& window, const char* name) {
    T* control = window.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QStringList Edits(TFrmDiLi& window) {
    QStringList texts;
    for (const char* name : {"LedtJingDu", "LedtJingFen", "LedtWeiDu", "LedtWeiFen"})
      texts << Find<QLineEdit>(window, name)->text();
    return texts;
  }
  void Choose(TFrmDiLi& window, const QString& province, const QString& city = {}) {
    auto* provinces = Find<QComboBox>(window, "CboSheng");
    provinces->setCurrentIndex(provinces->findText(province));
    window.CboShengChange();
    if (city.isEmpty()) return;
    auto* cities = Find<QComboBox>(window, "CboShi");
    cities->setCurrentIndex(cities->findText(city));
    window.CboShiChange();
  }

  test::TempDir dir_;
  AppFolder folder_{dir_.path(), ""};
  MUiFont font_{0, false};
  ScriptedPrompter prompter_;
};

TEST_F(PlacesWindowTest, OpensOnTheFirstProvinceAndShowsTheStoredTextsOfACity) {
  TFrmDiLi window(font_, folder_, prompter_);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("经纬度修改"));
  auto* provinces = Find<QComboBox>(window, "CboSheng");
  ASSERT_EQ(provinces->count(), 34);
  EXPECT_EQ(provinces->itemText(0), QStringLiteral("福建省"));
  EXPECT_EQ(provinces->itemText(33), QStringLiteral("澳门"));
  auto* cities = Find<QComboBox>(window, "CboShi");
  ASSERT_EQ(cities->count(), 2);
  EXPECT_EQ(cities->currentText(), QStringLiteral("福州市"));
  EXPECT_EQ(Edits(window), (QStringList{"119", "18", "26", "5"}));

  Choose(window, "北京市", "空值区");  // no value: the default
  EXPECT_EQ(Edits(window), (QStringList{"120", "0", "30", "0"}));
  Choose(window, "北京市", "坏值区");  // a malformed value shows as it is
  EXPECT_EQ(Edits(window), (QStringList{"abc", "", "", ""}));

  // A province without a section lists no city, and 修改 then does nothing.
  Choose(window, "天津市");
  EXPECT_EQ(cities->count(), 0);
  window.BtoEditClick();
  EXPECT_TRUE(prompter_.ShownBoxes().empty());
}

TEST_F(PlacesWindowTest, WritesTheCheckedValueAfterTheQuestion) {
  TFrmDiLi window(font_, folder_, prompter_);
  Choose(window, "北京市", "东城区");
  Find<QLineEdit>(window, "LedtJingDu")->setText("116");
  Find<QLineEdit>(window, "LedtJingFen")->setText("28");
  Find<QLineEdit>(window, "LedtWeiFen")->setText("54");
  prompter_.AnswerQuestion(false);
  window.BtoEditClick();
  EXPECT_EQ(FileText(), kPlaces);

  prompter_.AnswerQuestion(true);
  window.BtoEditClick();
  const auto& shown = prompter_.ShownBoxes();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1].title, "注意了");
  EXPECT_EQ(shown[1].text, "确定要修改：北京市东城区 的经纬度数据吗？");
  EXPECT_EQ(shown[1].icon, QuestionIcon::Warning);
  EXPECT_EQ(shown[2].kind, ScriptedPrompter::Kind::Message);
  EXPECT_EQ(shown[2].text, "完成");
  EXPECT_NE(FileText().find("东城区=116:28*39:54\r\n"), std::string::npos);
  Coordinates c;
  PlaceTable table(Path());
  ASSERT_TRUE(table.CoordinatesOf("北京市", "东城区", c));
  EXPECT_NEAR(c.longitude, 116.4667, 1e-4);
  EXPECT_NEAR(c.latitude, 39.9, 1e-4);
}

TEST_F(PlacesWindowTest, RefusesDegreesAndMinutesOutOfRange) {
  struct Case {
    const char *lonD, *lonM, *latD, *latM;
    const char* error;  // empty when the value is written
    const char* written = "";
  };
  const std::string lon = "经度在-180到180之间，分数在0-60之间";
  const std::string lat = "纬度在-90到90之间，分数在0-60之间";
  const Case cases[] = {
      {"-179", "59", "-89", "59", "", "-179:59*-89:59"},
      {"179", "0", "89", "0", "", "179:0*89:0"},
      {"180", "0", "30", "0", lon.c_str()},
      {"-180", "0", "30", "0", lon.c_str()},
      {"120", "60", "30", "0", lon.c_str()},
      {"东", "0", "30", "0", lon.c_str()},
      {"120", "", "30", "0", lon.c_str()},
      {"120", "0", "90", "0", lat.c_str()},
      {"120", "0", "-90", "0", lat.c_str()},
      {"120", "0", "30", "60", lat.c_str()},
      {"120", "0", "30", "x", lat.c_str()},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteFileAtomic(Path(), Utf8ToGbk(kPlaces)));
    ScriptedPrompter prompter;
    prompter.AnswerQuestion(true);
    TFrmDiLi window(font_, folder_, prompter);
    Find<QLineEdit>(window, "LedtJingDu")->setText(c.lonD);
    Find<QLineEdit>(window, "LedtJingFen")->setText(c.lonM);
    Find<QLineEdit>(window, "LedtWeiDu")->setText(c.latD);
    Find<QLineEdit>(window, "LedtWeiFen")->setText(c.latM);
    window.BtoEditClick();
    const auto& last = prompter.ShownBoxes().back();
    if (*c.error) {
      EXPECT_EQ(last.kind, ScriptedPrompter::Kind::Error) << c.lonD << " " << c.latD;
      EXPECT_EQ(last.title, "输入错误");
      EXPECT_EQ(last.text, c.error) << c.lonD << " " << c.lonM << " " << c.latD << " " << c.latM;
      EXPECT_EQ(FileText(), kPlaces);
    } else {
      EXPECT_EQ(last.text, "完成") << c.lonD;
      EXPECT_NE(FileText().find(std::string("福州市=") + c.written + "\r\n"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace taiyi

#include "ui/widgets/ui_font.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/file_util.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

// A 9-point form of 300 × 200 with a panel holding a button, and a second button beside it.
struct Form {
  QWidget form;
  QWidget* panel;
  QPushButton* inner;
  QPushButton* outer;
  explicit Form(int pointSize = 9) {
    QFont font = form.font();
    font.setPointSize(pointSize);
    form.setFont(font);
    form.resize(300, 200);
    panel = new QWidget(&form);
    panel->setObjectName("panel");
    panel->setGeometry(10, 20, 200, 100);
    inner = new QPushButton("国", panel);
    inner->setObjectName("inner");
    inner->setGeometry(30, 40, 100, 25);
    outer = new QPushButton("国", &form);
    outer->setObjectName("outer");
    outer->setGeometry(220, 150, 60, 30);
  }
};

TEST(UiFont, ReadsTheStepOfTheSetSection) {
  test::TempDir dir;
  AppFolder folder{dir.path(), ""};
  ASSERT_TRUE(CreateDirs(folder.Dat()));
  EXPECT_EQ(MUiFont(folder).Step(), 0);
  ASSERT_TRUE(WriteFileAtomic(folder.Dat() + "set.ini",
                              "[taiyi]\r\niFontSizeVar=7\r\n[set]\r\niFontSizeVar=-3\r\n"
                              "bChangeMenuSize=1\r\n"));
  const MUiFont font(folder);
  EXPECT_EQ(font.Step(), -3);
  EXPECT_TRUE(font.ChangeMenuSize());
}

TEST(UiFont, StepZeroOrAnOutOfRangeSizeLeavesTheFormAlone) {
  struct Case {
    int formSize, step;
  };
  for (const Case c : {Case{9, 0}, Case{4, -2}, Case{9, 92}}) {
    Form f(c.formSize);
    MUiFont font(c.step, false);
    EXPECT_FALSE(font.ScaleForm(&f.form)) << c.formSize << " " << c.step;
    EXPECT_EQ(f.form.size(), QSize(300, 200));
    EXPECT_EQ(f.inner->geometry(), QRect(30, 40, 100, 25));
    EXPECT_EQ(f.inner->font().pointSize(), c.formSize);
  }
}

TEST(UiFont, ScalesSizesPositionsAndFontsByTheMeasuredRatio) {
  Form f;
  MUiFont font(2, false);
  const QSize w9 = font.MeasureText(9), w11 = font.MeasureText(11);
  ASSERT_GT(w11.width(), w9.width());
  const double rx = double(w11.width()) / w9.width(), ry = double(w11.height()) / w9.height();
  const auto x = [rx](int v) { return int(v * rx); };
  const auto y = [ry](int v) { return int(v * ry); };

  ASSERT_TRUE(font.ScaleForm(&f.form, {"outer"}));
  EXPECT_EQ(f.form.size(), QSize(x(300), y(200)));
  EXPECT_EQ(f.inner->width(), int(100 * rx));
  EXPECT_EQ(f.inner->geometry(), QRect(x(30), y(40), x(100), y(25)));
  EXPECT_EQ(f.panel->geometry(), QRect(x(10), y(20), x(200), y(100)));
  EXPECT_EQ(f.inner->font().pointSize(), 11);
  EXPECT_EQ(f.form.font().pointSize(), 11);
  // Left alone by name: size, place and font as designed.
  EXPECT_EQ(f.outer->geometry(), QRect(220, 150, 60, 30));
  EXPECT_EQ(f.outer->font().pointSize(), 9);
}

TEST(UiFont, APanelWithItsOwnFontScalesItsChildrenFromThatSize) {
  Form f;
  QFont big = f.panel->font();
  big.setPointSize(14);
  f.panel->setFont(big);
  MUiFont font(2, false);
  const double rx = double(font.MeasureText(16).width()) / font.MeasureText(14).width();
  ASSERT_TRUE(font.ScaleForm(&f.form));
  EXPECT_EQ(f.inner->width(), int(100 * rx));
  EXPECT_EQ(f.inner->font().pointSize(), 16);
  EXPECT_EQ(f.panel->font().pointSize(), 11);
}

// A window that its layout sizes opens at its layout's size in the new font, not at Qt's
// default size scaled; one that was given a size keeps it scaled.
TEST(UiFont, AWindowSizedByItsLayoutOpensAtThatSize) {
  for (const bool sized : {false, true}) {
    QWidget window;
    QFont f = window.font();
    f.setPointSize(9);
    window.setFont(f);
    auto* column = new QVBoxLayout(&window);
    column->addWidget(new QLabel(QStringLiteral("国国国国国国"), &window));
    column->addWidget(new QPushButton(QStringLiteral("确定"), &window));
    if (sized) window.resize(400, 300);
    MUiFont font(6, false);
    const double rx = double(font.MeasureText(15).width()) / font.MeasureText(9).width();
    ASSERT_TRUE(font.ScaleForm(&window));
    window.show();
    QApplication::processEvents();
    if (sized) {
      EXPECT_EQ(window.width(), int(400 * rx));
    } else {
      EXPECT_EQ(window.size(), window.sizeHint());
    }
  }
}

TEST(UiFont, TheTooltipAndOnRequestTheMenuFontTakeTheNewSize) {
  const QFont tooltip = QToolTip::font(), menu = QApplication::font("QMenu");
  for (const bool menus : {false, true}) {
    Form f;
    MUiFont font(3, menus);
    ASSERT_TRUE(font.ScaleForm(&f.form));
    EXPECT_EQ(QToolTip::font().pointSize(), 12);
    EXPECT_EQ(QApplication::font("QMenu").pointSize() == 12, menus);
    QToolTip::setFont(tooltip);
    QApplication::setFont(menu, "QMenu");
    QApplication::setFont(menu, "QMenuBar");
  }
}

TEST(UiFont, TheMenuBarFollowsTheRuleOfItsMenus) {
  const QFont menu = QApplication::font("QMenu"), bar = QApplication::font("QMenuBar");
  for (const bool menus : {false, true}) {
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("文件"));
    window.setCentralWidget(new QLabel(QStringLiteral("国")));
    const int before = FontPointSize(&window);
    ASSERT_TRUE(MUiFont(3, menus).ScaleForm(&window));
    EXPECT_EQ(window.menuBar()->font().pointSize(), file->font().pointSize()) << menus;
    EXPECT_EQ(window.menuBar()->font().pointSize(), menus ? before + 3 : menu.pointSize());
    QApplication::setFont(menu, "QMenu");
    QApplication::setFont(bar, "QMenuBar");
  }
}

TEST(UiFont, RecommendsTheStepThatSuitsTheScreenWidth) {
  QWidget dialog;
  QFont f = dialog.font();
  f.setPointSize(9);
  dialog.setFont(f);
  MUiFont font(0, false);
  if (font.MeasureText(8).width() < font.MeasureText(9).width()) {
    EXPECT_EQ(font.Recommend(&dialog, 1920), 0);
  }
  EXPECT_GT(font.Recommend(&dialog, 3840), 0);
  EXPECT_LT(font.Recommend(&dialog, 1024), 0);
}

}  // namespace
}  // namespace taiyi

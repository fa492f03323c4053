#include "ui/widgets/qt_translation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "ui/tools/help_window.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

bool HasChinese(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) return true;
  return false;
}

TEST(QtChinese, QtsOwnButtonsAndTheHelpWindowSpeakChinese) {
  QTranslator chinese;  // removed from the application when it goes
  ASSERT_TRUE(LoadQtChinese(chinese));
  ASSERT_TRUE(QApplication::installTranslator(&chinese));

  QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                       QDialogButtonBox::No | QDialogButtonBox::Close);
  for (QAbstractButton* button : box.buttons())
    EXPECT_TRUE(HasChinese(button->text())) << button->text().toStdString();
  EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));

  MUiFont uiFont(0, false);
  TFrmTxtHelp help(uiFont);
  const QList<QPushButton*> buttons = help.findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons[0]->text(), QStringLiteral("关闭"));
}

}  // namespace
}  // namespace taiyi

// The name field's limit in GBK bytes, typed as a user types, and the style's tooltip delay.
#include "ui/widgets/gbk_length_validator.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include "ui/widgets/tool_tip_style.h"

namespace taiyi {
namespace {

TEST(GbkLengthValidator, TypingStopsAtTheLimitInBytes) {
  struct Case {
    const char* typed;
    const char* kept;
  };
  // A Chinese character takes two bytes, a letter or digit one.
  for (const Case& c : {Case{"一二三四五六七八九十百千", "一二三四五六七八九十"},
                        Case{"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst"},
                        Case{"张三abcdefghijklmnopqrst", "张三abcdefghijklmnop"},
                        Case{"abcdefghijklmnopqrs张", "abcdefghijklmnopqrs"}}) {
    QLineEdit edit;
    edit.setValidator(new GbkLengthValidator(kNameFieldBytes, &edit));
    // One character at a time, as typing inserts them.
    for (const QChar ch : QString::fromUtf8(c.typed)) edit.insert(QString(ch));
    EXPECT_EQ(edit.text(), QString::fromUtf8(c.kept)) << c.typed;
  }
}

TEST(ToolTipStyle, TooltipsShowAfterAQuarterSecond) {
  ToolTipStyle style;
  EXPECT_EQ(style.styleHint(QStyle::SH_ToolTip_WakeUpDelay), 250);
  EXPECT_EQ(style.styleHint(QStyle::SH_ToolTip_FallAsleepDelay),
            QProxyStyle().styleHint(QStyle::SH_ToolTip_FallAsleepDelay));
}

}  // namespace
}  // namespace taiyi

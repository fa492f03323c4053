// Qt's own texts in Chinese: the buttons of message boxes and button boxes (确定, 取消, 关闭,
// 是, 否…) and the file, folder, font, colour and print dialogs, from the translation that
// Qt ships (qtbase_zh_CN, Debian package qt6-translations-l10n).
#pragma once

class QTranslator;

namespace taiyi {

// Loads Qt's Chinese translation into the translator; false (and Qt's texts stay English)
// when it is not installed.  The caller installs the translator in the application.
bool LoadQtChinese(QTranslator& translator);

}  // namespace taiyi

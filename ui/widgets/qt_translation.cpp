#include "ui/widgets/qt_translation.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace taiyi {

bool LoadQtChinese(QTranslator& translator) {
  return translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace taiyi

#include "ui/tools/about_window.h"

#include <sqlite3.h>

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPalette>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/widgets/program_title.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

QLabel* Line(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// A link blue that reads on dark backgrounds, as the standard blue reads on light ones.
const QColor kLightLink(0x8e, 0xc5, 0xff);

}  // namespace

TFrmAbout::TFrmAbout(MUiFont& uiFont, const AppFolder& folder, QWidget* parent)
    : QDialog(parent), openFolder_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  setObjectName("FrmAbout");
  setWindowTitle(ToQString("关于"));
  auto* col = new QVBoxLayout(this);

  QLabel* title = Line(this, "LabTitle", ToQString(kProgramTitle));
  QFont big = title->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  title->setFont(big);
  col->addWidget(title);
  col->addWidget(Line(this, "LabQt", ToQString("Qt 版本：") + QString::fromLatin1(qVersion())));
  col->addWidget(Line(this, "LabSqlite",
                      ToQString("SQLite 版本：") + QString::fromLatin1(sqlite3_libversion())));
  const QString root = QDir::toNativeSeparators(ToQString(folder.root));
  col->addWidget(Line(this, "LabFolder", ToQString("程序文件夹：") + root));

  const QUrl url = QUrl::fromLocalFile(ToQString(folder.root));
  auto* link = new QLabel(this);
  link->setObjectName("LabOpenFolder");
  link->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                    .arg(url.toString().toHtmlEscaped(), ToQString("打开程序文件夹")));
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  connect(link, &QLabel::linkActivated, this,
          [this](const QString& href) { openFolder_(QUrl(href)); });
  col->addWidget(link);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  col->addWidget(buttons);
  uiFont.ScaleForm(this);
}

void TFrmAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Light ink means a dark background (a dark skin), where the standard blue cannot be read.
  auto* link = findChild<QLabel*>("LabOpenFolder");
  QPalette colours = link->palette();
  const bool dark = colours.color(QPalette::WindowText).lightness() > 128;
  colours.setColor(QPalette::Link, dark ? kLightLink : QLabel().palette().color(QPalette::Link));
  link->setPalette(colours);
}

}  // namespace taiyi

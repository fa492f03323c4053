#include "ui/tools/places_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 10);
  return edit;
}

int IntegerOf(const QLineEdit* edit, int unreadable) {
  int value = 0;
  return ParseIniInteger(ToStdString(edit->text()), value) ? value : unreadable;
}

}  // namespace

TFrmDiLi::TFrmDiLi(MUiFont& uiFont, const AppFolder& folder, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      places_(folder.PlacesFile(), folder.Dat() + kPlacesFileName),
      prompter_(prompter) {
  setObjectName("FrmDiLi");
  setWindowTitle(QStringLiteral("经纬度修改"));

  CboSheng = new QComboBox(this);
  CboSheng->setObjectName("CboSheng");
  CboShi = new QComboBox(this);
  CboShi->setObjectName("CboShi");
  CboShi->setMinimumContentsLength(8);
  // The degree edits take a sign besides their digits, so that every valid value shows whole.
  LedtJingDu = MakeEdit(this, "LedtJingDu", 4);
  LedtJingDu->setText(QStringLiteral("120"));
  LedtJingFen = MakeEdit(this, "LedtJingFen", 2);
  LedtWeiDu = MakeEdit(this, "LedtWeiDu", 3);
  LedtWeiFen = MakeEdit(this, "LedtWeiFen", 2);
  BtoEdit = new QPushButton(QStringLiteral("修改"), this);
  BtoEdit->setObjectName("BtoEdit");

  auto* grid = new QGridLayout(this);
  grid->addWidget(CboSheng, 0, 0, 1, 3);
  grid->addWidget(CboShi, 0, 3, 1, 3);
  const auto addRow = [&](int row, const char* caption, QLineEdit* degrees, QLineEdit* minutes) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
    grid->addWidget(degrees, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("度"), this), row, 2);
    grid->addWidget(minutes, row, 3);
    grid->addWidget(new QLabel(QStringLiteral("分"), this), row, 4);
  };
  addRow(1, "经度", LedtJingDu, LedtJingFen);
  addRow(2, "纬度", LedtWeiDu, LedtWeiFen);
  grid->addWidget(BtoEdit, 1, 5, 2, 1);
  grid->setColumnStretch(4, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  for (std::size_t i = 0; i < kEditableProvinceCount; ++i)
    CboSheng->addItem(ToQString(kProvinces[i]));
  connect(CboSheng, &QComboBox::activated, this, &TFrmDiLi::CboShengChange);
  connect(CboShi, &QComboBox::activated, this, &TFrmDiLi::CboShiChange);
  connect(BtoEdit, &QPushButton::clicked, this, &TFrmDiLi::BtoEditClick);

  uiFont.ScaleForm(this);
  CboSheng->setCurrentIndex(0);
  CboShengChange();
}

void TFrmDiLi::CboShengChange() {
  const std::string province = ToStdString(CboSheng->currentText());
  CboShi->clear();
  for (const std::string& city : places_.CitiesOf(province)) CboShi->addItem(ToQString(city));
  if (CboShi->count() > 0) {
    CboShi->setCurrentIndex(0);
    CboShiChange();
  }
}

void TFrmDiLi::CboShiChange() {
  if (CboShi->currentIndex() < 0) return;
  const CoordinateTexts texts = SplitCoordinates(
      places_.ValueOf(ToStdString(CboSheng->currentText()), ToStdString(CboShi->currentText())));
  LedtJingDu->setText(ToQString(texts.lonDegrees));
  LedtJingFen->setText(ToQString(texts.lonMinutes));
  LedtWeiDu->setText(ToQString(texts.latDegrees));
  LedtWeiFen->setText(ToQString(texts.latMinutes));
}

void TFrmDiLi::BtoEditClick() {
  if (CboShi->currentIndex() < 0) return;
  const std::string province = ToStdString(CboSheng->currentText());
  const std::string city = ToStdString(CboShi->currentText());
  if (!prompter_.Question("注意了", "确定要修改：" + province + city + " 的经纬度数据吗？", false,
                          QuestionIcon::Warning))
    return;
  const int a = IntegerOf(LedtJingDu, -300), m = IntegerOf(LedtJingFen, -1);
  if (a < -179 || a > 179 || m < 0 || m > 59) {
    prompter_.Error("输入错误", "经度在-180到180之间，分数在0-60之间");
    return;
  }
  const int b = IntegerOf(LedtWeiDu, -300), n = IntegerOf(LedtWeiFen, -1);
  if (b < -89 || b > 89 || n < 0 || n > 59) {
    prompter_.Error("输入错误", "纬度在-90到90之间，分数在0-60之间");
    return;
  }
  if (!places_.WriteValue(province, city, FormatCoordinates(a, m, b, n))) {
    prompter_.Error("错误", places_.LastError());
    return;
  }
  prompter_.Message("完成");
}

}  // namespace taiyi

#include "ui/case_tree/category_chooser.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/record_base.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {

namespace {
constexpr char kUnknownCategory[] =
    "请输入已经存在的类别名！如果要增加一个新的类别，请到案例列表上按鼠标右键-增加类别！";
}

TFrmFenLei::TFrmFenLei(MUiFont& uiFont, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName("FrmFenLei");
  setWindowTitle(QStringLiteral("分类保存"));

  auto* label = new QLabel(QStringLiteral("保存类别"), this);
  CboFenLei = new QComboBox(this);
  CboFenLei->setObjectName("CboFenLei");
  CboFenLei->setEditable(true);
  CboFenLei->setMaxVisibleItems(16);
  CboFenLei->setInsertPolicy(QComboBox::NoInsert);
  CboFenLei->lineEdit()->setMaxLength(13);
  CboFenLei->setMinimumWidth(CboFenLei->fontMetrics().horizontalAdvance(QStringLiteral("国")) * 9);
  // The category in blue, unless a skin gives every list its own colours.
  if (qApp->styleSheet().isEmpty()) {
    QPalette blue = CboFenLei->palette();
    blue.setColor(QPalette::Text, Qt::blue);
    blue.setColor(QPalette::ButtonText, Qt::blue);
    CboFenLei->setPalette(blue);
  }
  label->setBuddy(CboFenLei);
  Btnok = new QPushButton(QStringLiteral("确定"), this);
  Btnok->setObjectName("Btnok");
  Btnok->setDefault(true);
  Btnno = new QPushButton(QStringLiteral("取消"), this);
  Btnno->setObjectName("Btnno");

  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(CboFenLei, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Btnok);
  buttons->addWidget(Btnno);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Btnok, &QPushButton::clicked, this, &TFrmFenLei::BtnokClick);
  connect(Btnno, &QPushButton::clicked, this, &TFrmFenLei::BtnnoClick);
  uiFont.ScaleForm(this);
}

void TFrmFenLei::SetCategories(const std::vector<std::string>& categories) {
  CboFenLei->clear();
  for (const std::string& name : categories) CboFenLei->addItem(ToQString(name));
}

void TFrmFenLei::FormShow() {
  if (CboFenLei->count() > 0) CboFenLei->setCurrentIndex(0);
}

void TFrmFenLei::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TFrmFenLei::BtnokClick() {
  const QString text = CboFenLei->currentText().trimmed();
  if (CboFenLei->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
    prompter_.Error("错误", kUnknownCategory);
    return;
  }
  category_ = ToStdString(text);
  accept();
}

void TFrmFenLei::BtnnoClick() {
  reject();
}

bool ChooseCategory(MRecordBase& store, MUiFont& uiFont, Prompter& prompter, QWidget* parent,
                    std::string& category) {
  std::vector<std::string> categories;
  store.LoadCategories(categories);
  TFrmFenLei dialog(uiFont, prompter, parent);
  dialog.SetCategories(categories);
  if (dialog.exec() != QDialog::Accepted) return false;
  category = dialog.Category();
  return true;
}

}  // namespace taiyi

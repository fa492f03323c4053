#include "ui/archive/export_class_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {

TFrmExportClass::TFrmExportClass(MUiFont& uiFont, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName("FrmExportClass");
  setWindowTitle(QStringLiteral("选择导出类别："));

  LstClass = new QListWidget(this);
  LstClass->setObjectName("LstClass");
  LstClass->setMinimumSize(LstClass->fontMetrics().horizontalAdvance(QStringLiteral("国")) * 14,
                           LstClass->fontMetrics().height() * 14);
  ChkAll = new QCheckBox(QStringLiteral("全部 "), this);
  ChkAll->setObjectName("ChkAll");
  BitBtn1 = new QPushButton(QStringLiteral("确定导出"), this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(QStringLiteral("返回"), this);
  BitBtn2->setObjectName("BitBtn2");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ChkAll);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LstClass, 1);
  layout->addLayout(buttons);

  connect(ChkAll, &QCheckBox::clicked, this, &TFrmExportClass::ChkAllClick);
  connect(BitBtn1, &QPushButton::clicked, this, &TFrmExportClass::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TFrmExportClass::BitBtn2Click);
  uiFont.ScaleForm(this);
}

void TFrmExportClass::SetCategories(const std::vector<std::string>& categories) {
  LstClass->clear();
  for (const std::string& name : categories) {
    auto* item = new QListWidgetItem(ToQString(name), LstClass);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

std::vector<std::string> TFrmExportClass::CheckedCategories() const {
  std::vector<std::string> checked;
  for (int i = 0; i < LstClass->count(); ++i) {
    if (LstClass->item(i)->checkState() == Qt::Checked)
      checked.push_back(ToStdString(LstClass->item(i)->text()));
  }
  return checked;
}

bool TFrmExportClass::AllChecked() const {
  return CheckedCategories().size() == static_cast<std::size_t>(LstClass->count());
}

void TFrmExportClass::FormShow() {
  ChkAll->setChecked(true);
  ChkAllClick();
}

void TFrmExportClass::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TFrmExportClass::ChkAllClick() {
  const Qt::CheckState state = ChkAll->isChecked() ? Qt::Checked : Qt::Unchecked;
  for (int i = 0; i < LstClass->count(); ++i) LstClass->item(i)->setCheckState(state);
}

void TFrmExportClass::BitBtn1Click() {
  if (CheckedCategories().empty()) {
    prompter_.Message("没有选择要导出的类别！");
    return;
  }
  accept();
}

void TFrmExportClass::BitBtn2Click() {
  reject();
}

}  // namespace taiyi

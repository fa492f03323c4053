#include "ui/case_tree/same_name_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "calendar/typed_years.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {

std::string SameNameLine(const TRecordData& record) {
  const int year = TypedYearOf(record.year);
  char moment[64];
  std::snprintf(moment, sizeof moment, "%d-%d-%d %d:%d  ", year, record.month, record.day,
                record.hour, record.minute);
  return record.name + " " + moment + record.className;
}

TFrmSameName::TFrmSameName(MUiFont& uiFont, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName("FrmSameName");

  LstRecord = new QListWidget(this);
  LstRecord->setObjectName("LstRecord");
  LstRecord->setMinimumSize(LstRecord->fontMetrics().horizontalAdvance(QStringLiteral("国")) * 22,
                            LstRecord->fontMetrics().height() * 14);
  BtnSee = new QPushButton(QStringLiteral("查看案例"), this);
  BtnSee->setObjectName("BtnSee");
  BtnSee->setDefault(true);
  BitBtn2 = new QPushButton(QStringLiteral("返回"), this);
  BitBtn2->setObjectName("BitBtn2");
  ChkShow = new QCheckBox(QStringLiteral("全部显示到列表"), this);
  ChkShow->setObjectName("ChkShow");
  ChkClear = new QCheckBox(QStringLiteral("清空现有列表 "), this);
  ChkClear->setObjectName("ChkClear");

  auto* checks = new QHBoxLayout;
  checks->addWidget(ChkShow);
  checks->addWidget(ChkClear);
  checks->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnSee);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LstRecord, 1);
  layout->addLayout(checks);
  layout->addLayout(buttons);

  connect(BtnSee, &QPushButton::clicked, this, &TFrmSameName::BtnSeeClick);
  connect(BitBtn2, &QPushButton::clicked, this, &TFrmSameName::BitBtn2Click);
  connect(LstRecord, &QListWidget::itemDoubleClicked, this, &TFrmSameName::BtnSeeClick);
  uiFont.ScaleForm(this);
}

void TFrmSameName::SetLines(const std::vector<std::string>& lines) {
  LstRecord->clear();
  for (const std::string& line : lines) LstRecord->addItem(ToQString(line));
}

int TFrmSameName::SelectedIndex() const {
  const QListWidgetItem* item = LstRecord->currentItem();
  return item && item->isSelected() ? LstRecord->row(item) : -1;
}

bool TFrmSameName::ShowAll() const {
  return ChkShow->isChecked();
}
bool TFrmSameName::ClearList() const {
  return ChkClear->isChecked();
}

void TFrmSameName::FormShow() {
  setWindowTitle(QString::number(LstRecord->count()) + QStringLiteral("个案例"));
  if (LstRecord->count() > 0) {
    LstRecord->setCurrentRow(0);
    LstRecord->setFocus();
  }
}

void TFrmSameName::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TFrmSameName::BtnSeeClick() {
  if (SelectedIndex() < 0) {
    prompter_.Message("请点击选择要查看的案例！");
    return;
  }
  accept();
}

void TFrmSameName::BitBtn2Click() {
  reject();
}

bool ChooseFoundCase(MUiFont& uiFont, Prompter& prompter, QWidget* parent,
                     const std::vector<std::string>& lines, int& line, bool& showAll,
                     bool& clearList) {
  TFrmSameName dialog(uiFont, prompter, parent);
  dialog.SetLines(lines);
  if (dialog.exec() != QDialog::Accepted) return false;
  line = dialog.SelectedIndex();
  showAll = dialog.ShowAll();
  clearList = dialog.ClearList();
  return true;
}

}  // namespace taiyi

#include "ui/main_window/flow_time_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/main_window/input_panel_texts.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"
#include "ui/widgets/up_down.h"

namespace taiyi {
namespace {

QComboBox* MakeList(QWidget* parent, const char* name, int first, int last, const char* unit) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  for (int n = first; n <= last; ++n) list->addItem(ToQString(NumberRowText(n, unit)));
  return list;
}

}  // namespace

TFrmLiu::TFrmLiu(MUiFont& uiFont, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), clock_([] { return QDateTime::currentDateTime(); }) {
  setObjectName("FrmLiu");
  setWindowTitle(QStringLiteral("流年时间(公历)"));

  EdtYear = new QLineEdit(QStringLiteral("2004"), this);
  EdtYear->setObjectName("EdtYear");
  // Room for a sign and four digits: the earliest year, -4713, must fit.
  EdtYear->setMaxLength(5);
  EdtYear->setFixedWidth(EdtYear->fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 12);
  UpDyear = new UpDown(-4712, 9999, this);
  UpDyear->setObjectName("UpDyear");
  UpDyear->SetPosition(2004);
  cbom = MakeList(this, "cbom", 1, 12, "月");
  cbod = MakeList(this, "cbod", 1, 31, "日");
  cbos = new QComboBox(this);
  cbos->setObjectName("cbos");
  for (int hour = 0; hour < 24; ++hour) cbos->addItem(ToQString(HourRowText(hour)));
  cbomin = MakeList(this, "cbomin", 0, 59, "分");
  SbtoNow = new QToolButton(this);
  SbtoNow->setObjectName("SbtoNow");
  SbtoNow->setText(QStringLiteral("今"));
  SbtoNow->setToolTip(QStringLiteral("现在时间"));
  Btnok = new QPushButton(QStringLiteral("确定"), this);
  Btnok->setObjectName("Btnok");
  Btnok->setDefault(true);
  Btncancel = new QPushButton(QStringLiteral("取消"), this);
  Btncancel->setObjectName("Btncancel");

  auto* moment = new QHBoxLayout;
  moment->setSpacing(4);
  moment->addWidget(EdtYear);
  moment->addWidget(UpDyear);
  moment->addSpacing(4);
  for (QWidget* w :
       {static_cast<QWidget*>(cbom), static_cast<QWidget*>(cbod), static_cast<QWidget*>(cbos),
        static_cast<QWidget*>(cbomin), static_cast<QWidget*>(SbtoNow)})
    moment->addWidget(w);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Btnok);
  buttons->addWidget(Btncancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(moment);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(UpDyear, &QSpinBox::valueChanged, this, &TFrmLiu::UpDyearClick);
  connect(SbtoNow, &QToolButton::clicked, this, &TFrmLiu::SbtoNowClick);
  connect(Btnok, &QPushButton::clicked, this, &TFrmLiu::BtnokClick);
  connect(Btncancel, &QPushButton::clicked, this, &TFrmLiu::BtncancelClick);

  uiFont.ScaleForm(this);
}

void TFrmLiu::showMoment(const YiDate& moment) {
  UpDyear->SetPosition(moment.year);
  EdtYear->setText(QString::number(TypedYearOf(moment.year)));
  cbom->setCurrentIndex(moment.month - 1);
  cbod->setCurrentIndex(moment.day - 1);
  cbos->setCurrentIndex(moment.hour);
  cbomin->setCurrentIndex(moment.minute);
}

void TFrmLiu::Load(double flowJulianDay) {
  flowJulianDay_ = flowJulianDay;
  YiDate moment;
  dates_.FromJulianDay(flowJulianDay, moment);
  showMoment(moment);
}

void TFrmLiu::UpDyearClick() {
  EdtYear->setText(QString::number(TypedYearOf(UpDyear->Position())));
}

void TFrmLiu::SbtoNowClick() {
  const QDateTime now = clock_();
  const QDate day = now.date();
  const QTime time = now.time();
  YiDate moment;
  moment.year = static_cast<int16_t>(day.year() > 9999 ? 2100 : day.year());
  moment.month = static_cast<int16_t>(day.month());
  moment.day = static_cast<int16_t>(day.day());
  moment.hour = static_cast<int16_t>(time.hour());
  moment.minute = static_cast<int16_t>(time.minute());
  showMoment(moment);
}

void TFrmLiu::BtnokClick() {
  const std::optional<int> stored = StoredYearOf(ParseTypedYear(ToStdString(EdtYear->text())));
  if (!stored) {
    prompter_.Warning(kYearErrorTitle, kYearErrorText);
    EdtYear->setFocus();
    return;
  }
  UpDyear->SetPosition(*stored);
  YiDate moment;
  moment.year = static_cast<int16_t>(*stored);
  moment.month = static_cast<int16_t>(cbom->currentIndex() + 1);
  moment.day = static_cast<int16_t>(cbod->currentIndex() + 1);
  moment.hour = static_cast<int16_t>(cbos->currentIndex());
  moment.minute = static_cast<int16_t>(cbomin->currentIndex());
  if (!dates_.IsValidSolarDate(moment)) {
    prompter_.Warning("日期错误", "不存在这个日期");
    return;
  }
  flowJulianDay_ = dates_.ToJulianDay(moment);
  accept();
}

void TFrmLiu::BtncancelClick() {
  reject();
}

}  // namespace taiyi

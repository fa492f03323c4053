#include "ui/tools/settings_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/chart_request.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

constexpr std::string_view kChart = "taiyi";
constexpr std::string_view kInterface = "set";
constexpr int kDefaultStepRow = 10;  // "0(默认)": rows +10 … +1, 0, −1 … −10
constexpr int kShownSteps = 15;

// The integer before "(" of a font-step entry, trimmed; false when there is none.
bool StepOfEntry(const QString& text, int& step) {
  const QString head = text.section('(', 0, 0).trimmed();
  return ParseIniInteger(ToStdString(head), step);
}

bool DefaultColourChooser(QWidget* parent, int& colour) {
  const QColor chosen = QColorDialog::getColor(
      QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF), parent);
  if (!chosen.isValid()) return false;
  colour = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
  return true;
}

}  // namespace

TFrmSetcan::TFrmSetcan(MUiFont& uiFont, const AppFolder& folder, Prompter& prompter,
                       QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      ini_(folder.Dat() + "set.ini"),
      chooseColour_(DefaultColourChooser) {
  setObjectName("FrmSetcan");
  setWindowTitle(QStringLiteral("排盘设置"));
  buildControls();
  loadSettings();
  // The recommendation is measured at the designed font size, before this window is scaled
  // by the step in force, so that it does not shift with the step already chosen.
  fillFontSteps(uiFont.Recommend(this));
  int step = ini_.ReadInteger(kInterface, "iFontSizeVar", 0);
  int row = -1;
  for (int i = 0; i < CboUiSize->count() && row < 0; ++i) {
    int entry = 0;
    if (StepOfEntry(CboUiSize->itemText(i), entry) && entry == step) row = i;
  }
  if (row < 0) {
    CboUiSize->addItem(QString::number(step));
    row = CboUiSize->count() - 1;
  }
  CboUiSize->setCurrentIndex(row);
  uiFont.ScaleForm(this);
}

void TFrmSetcan::buildControls() {
  RdoDate = new RadioGroup(
      QStringLiteral("干支时间"),
      {QStringLiteral("北京时间"), QStringLiteral("真太阳时"), QStringLiteral("地方时")}, this);
  RdoDate->setObjectName("RdoDate");
  RdoMingJu =
      new RadioGroup(QStringLiteral("命局算法"),
                     {QStringLiteral("以日局算命局"), QStringLiteral("以时局算命局")}, this);
  RdoMingJu->setObjectName("RdoMingJu");

  ChkZiShi = new QCheckBox(QStringLiteral("区分夜、早子时 "), this);
  ChkZiShi->setObjectName("ChkZiShi");
  ChkOld = new QCheckBox(QStringLiteral("古香古色 "), this);
  ChkOld->setObjectName("ChkOld");
  ChkShiJing = new QCheckBox(QStringLiteral("显示十精星神 "), this);
  ChkShiJing->setObjectName("ChkShiJing");

  auto* jiNianLabel = new QLabel(QStringLiteral("太乙积年（公元零年）"), this);
  LedtJiNian = new QLineEdit(this);
  LedtJiNian->setObjectName("LedtJiNian");
  LedtJiNian->setMaxLength(8);
  jiNianLabel->setBuddy(LedtJiNian);

  Labzx_Color = new QLabel(this);
  Labzx_Color->setObjectName("Labzx_Color");
  Labzx_Color->setFrameShape(QFrame::Box);
  Labzx_Color->setMinimumSize(48, 22);
  Labzx_Color->setAutoFillBackground(true);
  BtoColor = new QPushButton(QStringLiteral("色彩选择"), this);
  BtoColor->setObjectName("BtoColor");

  auto* fontGroup = new QGroupBox(QStringLiteral("界面字体(需重启) "), this);
  fontGroup->setObjectName("GroupUiFont");
  CboUiSize = new QComboBox(fontGroup);
  CboUiSize->setObjectName("CboUiSize");
  CboUiSize->setMaxVisibleItems(kShownSteps);
  CboUiSize->setMinimumContentsLength(10);
  ChkMenuSize = new QCheckBox(QStringLiteral("同时更改菜单字体 "), fontGroup);
  ChkMenuSize->setObjectName("ChkMenuSize");
  auto* fontLayout = new QHBoxLayout(fontGroup);
  fontLayout->addWidget(CboUiSize);
  fontLayout->addWidget(ChkMenuSize);
  fontLayout->addStretch();

  BitBtn1 = new QPushButton(QStringLiteral("保存设置"), this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
  BitBtn2->setObjectName("BitBtn2");
  Button2 = new QPushButton(QStringLiteral("默认值"), this);
  Button2->setObjectName("Button2");

  auto* choices = new QHBoxLayout;
  choices->addWidget(RdoDate);
  choices->addWidget(RdoMingJu);

  auto* chart = new QGridLayout;
  chart->addWidget(ChkZiShi, 0, 0);
  chart->addWidget(ChkShiJing, 0, 1);
  chart->addWidget(jiNianLabel, 1, 0);
  chart->addWidget(LedtJiNian, 1, 1);
  chart->addWidget(ChkOld, 2, 0);
  auto* colourRow = new QHBoxLayout;
  colourRow->addWidget(Labzx_Color);
  colourRow->addWidget(BtoColor);
  colourRow->addStretch();
  chart->addLayout(colourRow, 2, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button2);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addLayout(chart);
  layout->addWidget(fontGroup);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(BitBtn1, &QPushButton::clicked, this, &TFrmSetcan::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TFrmSetcan::BitBtn2Click);
  connect(Button2, &QPushButton::clicked, this, &TFrmSetcan::Button2Click);
  connect(BtoColor, &QPushButton::clicked, this, &TFrmSetcan::BtoColorClick);
  connect(ChkOld, &QCheckBox::toggled, this, &TFrmSetcan::ChkOldClick);
}

void TFrmSetcan::fillFontSteps(int r) {
  QStringList rows;
  for (int step = 10; step >= 1; --step) rows << QStringLiteral("+%1").arg(step);
  rows << QStringLiteral("0(默认)");
  for (int step = 1; step <= 10; ++step) rows << QStringLiteral("-%1").arg(step);
  const QString mark = QStringLiteral("(推荐)");
  if (r >= -10 && r <= 10)
    rows[kDefaultStepRow - r] += mark;
  else
    rows << QString::number(r) + mark;
  CboUiSize->clear();
  CboUiSize->addItems(rows);
}

void TFrmSetcan::loadSettings() {
  const ChartSettings def;
  setSwatch(ini_.ReadInteger(kChart, "bkcolor", def.bkcolor));
  const int iDate = ini_.ReadInteger(kChart, "iDate", def.iDate);
  RdoDate->SetItemIndex(iDate >= 0 && iDate <= 2 ? iDate : def.iDate);
  const int iMingJu = ini_.ReadInteger(kChart, "iMingJu", def.iMingJu);
  RdoMingJu->SetItemIndex(iMingJu >= 0 && iMingJu <= 1 ? iMingJu : def.iMingJu);
  ChkZiShi->setChecked(ini_.ReadBool(kChart, "zishi", def.zishi));
  LedtJiNian->setText(QString::number(ini_.ReadInteger(kChart, "iJiNian", def.iJiNian)));
  ChkOld->setChecked(ini_.ReadBool(kChart, "bOldBk", def.bOldBk));
  ChkShiJing->setChecked(ini_.ReadBool(kChart, "bShiJing", def.bShiJing));
  ChkMenuSize->setChecked(ini_.ReadBool(kInterface, "bChangeMenuSize", false));
  ChkOldClick();
}

void TFrmSetcan::setSwatch(int colour) {
  colour_ = colour & 0xFFFFFF;
  QPalette palette = Labzx_Color->palette();
  palette.setColor(QPalette::Window,
                   QColor(colour_ & 0xFF, (colour_ >> 8) & 0xFF, (colour_ >> 16) & 0xFF));
  Labzx_Color->setPalette(palette);
}

bool TFrmSetcan::write(bool ok) {
  if (ok) return true;
  prompter_.Error("错误", "无法写入文件：" + ini_.Path());
  return false;
}

void TFrmSetcan::BitBtn1Click() {
  if (!write(ini_.WriteInteger(kChart, "bkcolor", colour_) &&
             ini_.WriteInteger(kChart, "iDate", RdoDate->ItemIndex()) &&
             ini_.WriteInteger(kChart, "iMingJu", RdoMingJu->ItemIndex()) &&
             ini_.WriteBool(kChart, "zishi", ChkZiShi->isChecked())))
    return;
  int jiNian = 0;
  if (!ParseIniInteger(ToStdString(LedtJiNian->text()), jiNian)) jiNian = 0;
  if (jiNian <= 0) {
    prompter_.Message("太乙积年必须大于0！");
    LedtJiNian->setFocus();
    return;
  }
  int step = 0;
  if (!StepOfEntry(CboUiSize->currentText(), step)) step = 0;
  if (!write(ini_.WriteInteger(kChart, "iJiNian", jiNian) &&
             ini_.WriteBool(kChart, "bOldBk", ChkOld->isChecked()) &&
             ini_.WriteBool(kChart, "bShiJing", ChkShiJing->isChecked()) &&
             ini_.WriteInteger(kInterface, "iFontSizeVar", step) &&
             ini_.WriteBool(kInterface, "bChangeMenuSize", ChkMenuSize->isChecked())))
    return;
  accept();
}

void TFrmSetcan::BitBtn2Click() {
  reject();
}

void TFrmSetcan::Button2Click() {
  const ChartSettings def;
  setSwatch(def.bkcolor);
  RdoDate->SetItemIndex(def.iDate);
  RdoMingJu->SetItemIndex(def.iMingJu);
  ChkZiShi->setChecked(def.zishi);
  LedtJiNian->setText(QString::number(def.iJiNian));
  ChkOld->setChecked(def.bOldBk);
  ChkShiJing->setChecked(def.bShiJing);
  ChkMenuSize->setChecked(false);
  CboUiSize->setCurrentIndex(kDefaultStepRow);
  ChkOldClick();
}

void TFrmSetcan::BtoColorClick() {
  int colour = colour_;
  if (chooseColour_ && chooseColour_(this, colour)) setSwatch(colour);
}

void TFrmSetcan::ChkOldClick() {
  BtoColor->setEnabled(!ChkOld->isChecked());
}

}  // namespace taiyi

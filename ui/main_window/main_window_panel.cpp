// The main window's input panel and its chart commands: the panel's controls and lists,
// 排盘, the flow charts of a life chart, the chart image on its page and the chart size.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "chart/draw/chart_geometry.h"
#include "chart/places.h"
#include "platform/clean_name.h"
#include "ui/main_window/flow_time_dialog.h"
#include "ui/main_window/input_panel_texts.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/main_window_parts.h"
#include "ui/widgets/gbk_length_validator.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/up_down.h"

namespace taiyi {
using namespace main_window_parts;
namespace {

constexpr int kPanelRowSpacing = 2;

QComboBox* MakeList(QWidget* parent, const char* name, int visibleRows) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setMaxVisibleItems(visibleRows);
  return list;
}

}  // namespace

QWidget* TFrmMain::buildInputPanel() {
  auto* panel = new QWidget;
  panel_ = panel;
  panel->setObjectName("PanelInput");
  panel->setMinimumWidth(kPanelWidth - 16);
  auto* col = new QVBoxLayout(panel);
  col->setContentsMargins(3, 3, 3, 3);
  col->setSpacing(3);
  auto addRow = [col](std::initializer_list<QWidget*> widgets) {
    auto* line = new QHBoxLayout;
    line->setSpacing(kPanelRowSpacing);
    for (QWidget* w : widgets) line->addWidget(w, w->maximumWidth() >= QWIDGETSIZE_MAX ? 1 : 0);
    col->addLayout(line);
  };

  btoNew_ = new QPushButton(ToQString("新建"), panel);
  btoNew_->setObjectName("BtoNew");
  btoNew_->setToolTip(ToQString("新建命例（Ctrl+N）"));
  sbtoNow_ = new QToolButton(panel);
  sbtoNow_->setObjectName("SbtoNow");
  sbtoNow_->setToolTip(ToQString("现在时间"));
  sbtoNow_->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  sbtoNow_->setAutoRaise(true);
  addRow({btoNew_, sbtoNow_});

  edtYear_ = new QLineEdit(ToQString("2004"), panel);
  edtYear_->setObjectName("EdtYear");
  edtYear_->setMaxLength(5);
  QFont bold = edtYear_->font();
  bold.setBold(true);
  edtYear_->setFont(bold);
  upDyear_ = new UpDown(-4712, 9999, panel);
  upDyear_->setObjectName("UpDyear");
  upDyear_->SetPosition(2004);
  addRow({edtYear_, upDyear_});

  cbom_ = MakeList(panel, "cbom", 12);
  cbod_ = MakeList(panel, "cbod", 20);
  cbos_ = MakeList(panel, "cbos", 12);
  cbomin_ = MakeList(panel, "cbomin", 12);
  for (QComboBox* list : {cbom_, cbod_, cbos_, cbomin_}) addRow({list});

  rdogl_ = new QRadioButton(ToQString("公历"), panel);
  rdogl_->setObjectName("Rdogl");
  rdonl_ = new QRadioButton(ToQString("农历"), panel);
  rdonl_->setObjectName("Rdonl");
  rdogl_->setChecked(true);
  auto* calendarGroup = new QButtonGroup(panel);
  calendarGroup->addButton(rdogl_);
  calendarGroup->addButton(rdonl_);
  addRow({rdogl_, rdonl_});
  chkrun_ = new QCheckBox(ToQString("农历闰月"), panel);
  chkrun_->setObjectName("Chkrun");
  chkrun_->setToolTip(ToQString("是否农历闰月"));
  addRow({chkrun_});

  cbodiZ_ = MakeList(panel, "cbodiZ", 20);
  // Asks for the width of its longest name in the font and skin of the moment (fitInputPanel).
  cbodiZ_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  speedButton1_ = new QToolButton(panel);
  speedButton1_->setObjectName("SpeedButton1");
  speedButton1_->setText(">");
  speedButton1_->setToolTip(ToQString("输入县市名"));
  speedButton1_->setAutoRaise(true);
  addRow({cbodiZ_, speedButton1_});
  cbodiC_ = MakeList(panel, "cbodiC", 20);
  cbodiC_->setToolTip(ToQString("选择邻近城市"));
  addRow({cbodiC_});

  rdona_ = new QRadioButton(ToQString("男"), panel);
  rdona_->setObjectName("Rdona");
  rdonv_ = new QRadioButton(ToQString("女"), panel);
  rdonv_->setObjectName("Rdonv");
  rdona_->setChecked(true);
  auto* sexGroup = new QButtonGroup(panel);
  sexGroup->addButton(rdona_);
  sexGroup->addButton(rdonv_);
  addRow({rdona_, rdonv_});

  auto* nameLabel = new QLabel(ToQString("姓名"), panel);
  nameLabel->setObjectName("LabName");
  col->addWidget(nameLabel);
  edtName_ = new QLineEdit(ToQString("某人"), panel);
  edtName_->setObjectName("EdtName");
  edtName_->setValidator(new GbkLengthValidator(kNameFieldBytes, edtName_));
  nameLabel->setBuddy(edtName_);
  addRow({edtName_});

  cboJuStyle_ = MakeList(panel, "CboJuStyle", 5);
  for (const char* kind : {"命局", "年局", "月局", "日局", "时局"})
    cboJuStyle_->addItem(ToQString(kind));
  // Bold and blue; a skin gives it a colour of its own that reads on its lists.
  {
    QFont bold = cboJuStyle_->font();
    bold.setBold(true);
    cboJuStyle_->setFont(bold);
    QPalette blue = cboJuStyle_->palette();
    blue.setColor(QPalette::ButtonText, Qt::blue);
    blue.setColor(QPalette::Text, Qt::blue);
    cboJuStyle_->setPalette(blue);
  }
  addRow({cboJuStyle_});

  sbtoSave_ = new QPushButton(ToQString("存新"), panel);
  sbtoSave_->setObjectName("SbtoSave");
  sbtoSave_->setToolTip(ToQString("保存命例（Ctrl+S）"));
  sbtoSave_->setFlat(true);
  addRow({sbtoSave_});
  btnpai_ = new QPushButton(ToQString("排盘"), panel);
  btnpai_->setObjectName("Btnpai");
  btnpai_->setDefault(true);
  addRow({btnpai_});

  struct Step {
    const char* name;
    const char* caption;
    double hours;
  };
  const Step steps[] = {{"SpeedButton2", "日--", -24},
                        {"SpeedButton3", "日++", 24},
                        {"SpeedButton4", "时--", -2},
                        {"SpeedButton5", "时++", 2}};
  std::vector<QPushButton*> stepButtons;
  for (const Step& step : steps) {
    auto* button = new QPushButton(ToQString(step.caption), panel);
    button->setObjectName(step.name);
    const double hours = step.hours;
    connect(button, &QPushButton::clicked, this, [this, hours] { StepFlowMoment(hours); });
    stepButtons.push_back(button);
  }
  addRow({stepButtons[0], stepButtons[1]});
  addRow({stepButtons[2], stepButtons[3]});

  cboLiuJu_ = MakeList(panel, "CboLiuJu", 4);
  cboLiuJu_->setToolTip(ToQString("流年盘局"));
  for (const char* kind : {"年", "月", "日", "时"}) cboLiuJu_->addItem(ToQString(kind));
  sbtoZwLiu_ = new QPushButton(ToQString("流年"), panel);
  sbtoZwLiu_->setObjectName("SbtoZw_liu");
  addRow({cboLiuJu_, sbtoZwLiu_});
  col->addStretch(1);
  // A new skin changes what the lists ask for.
  panel->installEventFilter(this);

  connect(sbtoNow_, &QToolButton::clicked, this, [this] { SbtoNowClick(); });
  connect(upDyear_, &QSpinBox::valueChanged, this, [this] { UpDyearClick(); });
  connect(cbodiZ_, &QComboBox::activated, this, [this] { cbodiZClick(); });
  connect(speedButton1_, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  connect(btnpai_, &QPushButton::clicked, this, [this] { BtnpaiClick(); });
  connect(btoNew_, &QPushButton::clicked, this, [this] { BtoNewClick(); });
  connect(sbtoSave_, &QPushButton::clicked, this, [this] { SbtoSaveClick(); });
  connect(cboLiuJu_, &QComboBox::activated, this, [this] { CboLiuJuClick(); });
  connect(sbtoZwLiu_, &QPushButton::clicked, this, [this] { SbtoZw_liuClick(); });
  return panel;
}

// ---------------------------------------------------------------- input panel

void TFrmMain::FillInputLists() {
  cbom_->clear();
  for (int m = 1; m <= 12; ++m) cbom_->addItem(ToQString(NumberRowText(m, "月")));
  cbod_->clear();
  for (int d = 1; d <= 31; ++d) cbod_->addItem(ToQString(NumberRowText(d, "日")));
  cbos_->clear();
  for (int h = 0; h < 24; ++h) cbos_->addItem(ToQString(HourRowText(h)));
  cbomin_->clear();
  for (int m = 0; m < 60; ++m) cbomin_->addItem(ToQString(NumberRowText(m, "分")));
  cbodiZ_->clear();
  for (std::string_view group : kProvinces) cbodiZ_->addItem(ToQString(group));
}

void TFrmMain::SetPanelToClock(int maxYear) {
  const QDateTime now = QDateTime::currentDateTime();
  const int year = std::min(now.date().year(), maxYear);
  upDyear_->SetPosition(year);
  edtYear_->setText(QString::number(year));
  cbom_->setCurrentIndex(now.date().month() - 1);
  cbod_->setCurrentIndex(now.date().day() - 1);
  cbos_->setCurrentIndex(now.time().hour());
  cbomin_->setCurrentIndex(now.time().minute());
}

void TFrmMain::SbtoNowClick() {
  SetPanelToClock(9999);
  rdogl_->setChecked(true);
  chkrun_->setChecked(false);
}

void TFrmMain::UpDyearClick() {
  edtYear_->setText(QString::number(TypedYearOf(upDyear_->Position())));
}

void TFrmMain::cbodiZClick() {
  const int group = cbodiZ_->currentIndex();
  if (group < 0) return;
  cbodiC_->clear();
  cityLongitudes_.clear();
  cityLatitudes_.clear();
  const std::string groupText = ToStdString(cbodiZ_->currentText());
  PlaceTable places(folder_.PlacesFile());
  for (const std::string& city : places.CitiesOf(groupText)) {
    Coordinates at;  // a malformed value of the places file stands for 120° E, 30° N
    places.CoordinatesOf(groupText, city, at);
    cbodiC_->addItem(ToQString(city));
    cityLongitudes_.push_back(at.longitude);
    cityLatitudes_.push_back(at.latitude);
  }
  cbodiC_->setCurrentIndex(cbodiC_->count() > 0 ? 0 : -1);
}

void TFrmMain::SpeedButton1Click() {
  std::string text;
  if (!prompter_.InputText("输入", "输入县、市、区名：", text) || text.empty()) return;
  std::vector<std::string> rows;
  for (int i = 0; i < cbodiC_->count(); ++i) rows.push_back(ToStdString(cbodiC_->itemText(i)));
  const int row = FindCityRow(rows, text);
  if (row >= 0) cbodiC_->setCurrentIndex(row);
}

void TFrmMain::BtnpaiClick() {
  chartValid_ = false;
  const CleanedName name = CleanName(ToStdString(edtName_->text().trimmed()), kPanelNameChars);
  if (name.changed) {
    prompter_.Message(kNameCleanedText);
    edtName_->setText(ToQString(name.text));
  }
  const std::optional<int> year = StoredYearOf(ParseTypedYear(ToStdString(edtYear_->text())));
  if (!year) {
    prompter_.Warning(kYearErrorTitle, kYearErrorText);
    edtYear_->setFocus();
    return;
  }
  upDyear_->SetPosition(*year);

  ChartRequest& r = currentRecord_;
  r.kind = static_cast<ChartKind>(std::clamp(cboJuStyle_->currentIndex(), 0, kChartKindCount - 1));
  r.SetName(name.text);
  r.year = static_cast<int16_t>(*year);
  r.month = static_cast<int16_t>(cbom_->currentIndex() + 1);
  r.day = static_cast<int16_t>(cbod_->currentIndex() + 1);
  r.hour = static_cast<int16_t>(cbos_->currentIndex());
  r.minute = static_cast<int16_t>(cbomin_->currentIndex());
  r.lunar = rdonl_->isChecked();
  r.leapMonth = chkrun_->isChecked();
  r.male = rdona_->isChecked();
  r.provinceIndex = static_cast<int16_t>(cbodiZ_->currentIndex());
  const int city = cbodiC_->currentIndex();
  r.cityIndex = static_cast<int16_t>(city);
  const bool unknownPlace = r.provinceIndex == static_cast<int>(kProvinces.size()) - 1;
  if (city >= 0 && city < static_cast<int>(cityLongitudes_.size())) {
    r.longitude = cityLongitudes_[city];
    r.latitude = cityLatitudes_[city];
    r.SetPlace(unknownPlace ? std::string(kUnknownPlace)
                            : ToStdString(cbodiZ_->currentText() + "-" + cbodiC_->currentText()));
  } else {
    // A group without cities: the unknown place.
    const Coordinates unknown;
    r.longitude = unknown.longitude;
    r.latitude = unknown.latitude;
    r.SetPlace(kUnknownPlace);
  }

  chartRecord(r);
}

bool TFrmMain::chartRecord(const ChartRequest& r) {
  engine_.SetEditorFont({duanFontName_, duanFontSize_});
  if (!engine_.MakeChart(r)) {
    prompter_.Error("错误", engine_.LastError());
    return false;
  }
  chartValid_ = true;
  pageMain_->setCurrentIndex(0);
  flowMoment_ = engine_.ClockJulianDay();
  engine_.GetPillars(lastPillars_.data());
  showChartImage();
  return true;
}

// ---------------------------------------------------------------- flow charts

bool TFrmMain::lifeChartShown() {
  if (chartValid_ && currentRecord_.kind == ChartKind::kLife) return true;
  prompter_.Information("提示", kNeedLifeChart);
  return false;
}

void TFrmMain::ComputeFlowChart() {
  if (!lifeChartShown()) return;
  if (!engine_.MakeFlowChart(flowMoment_, cboLiuJu_->currentIndex() + 1, true)) {
    prompter_.Error("错误", engine_.LastError());
    return;
  }
  if (pageMain_->currentIndex() != 0) pageMain_->setCurrentIndex(0);
  showChartImage();
}

void TFrmMain::CboLiuJuClick() {
  ComputeFlowChart();
}

void TFrmMain::SbtoZw_liuClick() {
  if (!lifeChartShown()) return;
  TFrmLiu dialog(uiFont_, prompter_, this);
  dialog.Load(flowMoment_);
  if (dialog.exec() != QDialog::Accepted) return;
  flowMoment_ = dialog.FlowJulianDay();
  ComputeFlowChart();
}

void TFrmMain::StepFlowMoment(double hours) {
  if (!lifeChartShown()) return;
  YiDate moment;
  dates_.FromJulianDay(flowMoment_ + hours / 24.0 + 3.0 / 86400.0, moment);
  // Stored years run from -4712 (4713 BC) to 9999; year 0 is 1 BC.
  if (moment.year < -4712 || moment.year > 9999) {
    prompter_.Warning(kYearErrorTitle, kYearErrorText);
    return;
  }
  flowMoment_ = dates_.ToJulianDay(moment);
  ComputeFlowChart();
}

// ---------------------------------------------------------------- chart image and zoom

void TFrmMain::showChartImage() {
  // Drawn again at the screen's pixel density so that a high-density screen shows it sharp;
  // the chart image itself (saved, copied, printed) keeps its size.
  imgTaiYi_->setPixmap(QPixmap::fromImage(engine_.DisplayImage(imgTaiYi_->devicePixelRatioF())));
  imgTaiYi_->resize(chartImage_.size());
  CentreChartImage();
}

void TFrmMain::CentreChartImage() {
  const QSize client = scrPic_->viewport()->size();
  const int left = std::max(3, (client.width() - imgTaiYi_->width()) / 2);
  const int top = std::max(3, (client.height() - imgTaiYi_->height()) / 2);
  picBox_->resize(std::max(client.width(), imgTaiYi_->width() + 6),
                  std::max(client.height(), imgTaiYi_->height() + 6));
  imgTaiYi_->move(left, top);
}

void TFrmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  CentreChartImage();
}

void TFrmMain::fitInputPanel() {
  // The province row: the list as wide as its longest name asks (in this font and skin), the
  // search button beside it, the panel's margins and the scroll bar the panel shows when the
  // window is too low for it.
  const QMargins margins = panel_->layout()->contentsMargins();
  const int row = cbodiZ_->sizeHint().width() + kPanelRowSpacing +
                  speedButton1_->sizeHint().width() + margins.left() + margins.right();
  const int bar =
      panelScroll_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, panelScroll_);
  panelScroll_->setFixedWidth(std::max(panelWidth_, row + bar));
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scrPic_->viewport() && event->type() == QEvent::Resize) CentreChartImage();
  // Once every control has taken the new style (the lists' wishes with it).
  if (watched == panel_ && event->type() == QEvent::StyleChange && shown_)
    QTimer::singleShot(0, this, [this] { fitInputPanel(); });
  return QMainWindow::eventFilter(watched, event);
}

void TFrmMain::N15Click() {
  if (!chartValid_) {
    prompter_.Information("提示", kNeedChart);
    return;
  }
  if (!engine_.Zoom(+1)) {
    prompter_.Message(kZoomRefused);
    return;
  }
  BtnpaiClick();
  CentreChartImage();
}

void TFrmMain::N16Click() {
  if (!chartValid_) {
    prompter_.Information("提示", kNeedChart);
    return;
  }
  if (!engine_.Zoom(-1)) {
    prompter_.Message(kZoomRefused);
    return;
  }
  BtnpaiClick();
  CentreChartImage();
}

}  // namespace taiyi

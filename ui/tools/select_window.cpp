#include "ui/tools/select_window.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "calendar/date_service.h"
#include "calendar/ganzhi_names.h"
#include "calendar/typed_years.h"
#include "chart/chart_features.h"
#include "ui/widgets/chart_conditions_editor.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

constexpr char kTitle[] = "提示";
constexpr char kDateFormat[] = "日期格式应为 YYYY-MM-DD（公元前用负数）";
constexpr char kDateOrder[] = "结束日期不能早于起始日期";
constexpr char kYearRange[] = "年份必须在-4713到9999年之间，并且没有公元0年";

// A typed "YYYY-MM-DD"; false with the message.
bool ReadDate(const QString& text, int hour, int minute, YiDate& out, std::string& error) {
  int y = 0, m = 0, d = 0;
  char extra = 0;
  if (std::sscanf(ToStdString(text.trimmed()).c_str(), "%d-%d-%d%c", &y, &m, &d, &extra) != 3) {
    error = kDateFormat;
    return false;
  }
  const std::optional<int> stored = StoredYearOf(y);
  if (!stored) {
    error = kYearRange;
    return false;
  }
  // Checked while the numbers are whole: a month of 65537 must not become 1.
  if (m < 1 || m > 12 || d < 1 || d > 31) {
    error = kNoSuchDate;
    return false;
  }
  out = YiDate{static_cast<int16_t>(*stored), static_cast<int16_t>(m), static_cast<int16_t>(d),
               static_cast<int16_t>(hour), static_cast<int16_t>(minute)};
  if (!MYiDateEx().IsValidSolarDate(out)) {
    error = kNoSuchDate;
    return false;
  }
  return true;
}

std::string MomentText(const YiDate& d) {
  char text[48];
  std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d", TypedYearOf(d.year), d.month, d.day,
                d.hour, d.minute);
  return text;
}

}  // namespace

TFrmSelect::TFrmSelect(std::string setIniPath, Prompter& prompter, MUiFont* uiFont, QWidget* parent)
    : QWidget(parent, Qt::Window), setIniPath_(std::move(setIniPath)), prompter_(prompter) {
  setObjectName("FrmSelect");
  setWindowTitle(QStringLiteral("择时"));
  setAttribute(Qt::WA_DeleteOnClose);

  CboKind = new QComboBox(this);
  CboKind->setObjectName("CboKind");
  for (int k = 1; k < kChartKindCount; ++k)
    CboKind->addItem(ToQString(ChartKindTitle(static_cast<ChartKind>(k))));
  CboKind->setCurrentIndex(3);
  EdtFrom = new QLineEdit(this);
  EdtFrom->setObjectName("EdtFrom");
  EdtTo = new QLineEdit(this);
  EdtTo->setObjectName("EdtTo");
  for (QLineEdit* e : {EdtFrom, EdtTo}) {
    e->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    // Room for the longest date, "-4713-12-31", and a little more.
    e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-4713-12-31")) * 3 / 2);
  }
  SbtoLimit = new QSpinBox(this);
  SbtoLimit->setObjectName("SbtoLimit");
  SbtoLimit->setRange(1, 100000);
  SbtoLimit->setValue(1000);
  Conditions = new ChartConditionsEditor(this);
  BtnStart = new QPushButton(QStringLiteral("开始"), this);
  BtnStart->setObjectName("BtnStart");
  BtnStart->setDefault(true);
  BtnStop = new QPushButton(QStringLiteral("停止"), this);
  BtnStop->setObjectName("BtnStop");
  BtnStop->setEnabled(false);
  PrgScan = new QProgressBar(this);
  PrgScan->setObjectName("PrgScan");
  PrgScan->setRange(0, 1000);
  PrgScan->setTextVisible(false);
  LabStatus = new QLabel(this);
  LabStatus->setObjectName("LabStatus");
  LstResult = new QTreeWidget(this);
  LstResult->setObjectName("LstResult");
  LstResult->setRootIsDecorated(false);
  LstResult->setUniformRowHeights(true);
  LstResult->setHeaderLabels({QStringLiteral("起始时刻"), QStringLiteral("四柱"),
                              QStringLiteral("局"), QStringLiteral("主算"), QStringLiteral("客算"),
                              QStringLiteral("定算"), QStringLiteral("门"), QStringLiteral("格局"),
                              QStringLiteral("断数")});
  LstResult->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  LstResult->setToolTip(QStringLiteral("双击在主窗口排出这一局"));

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("局类"), this));
  top->addWidget(CboKind);
  top->addWidget(new QLabel(QStringLiteral("日期从"), this));
  top->addWidget(EdtFrom);
  top->addWidget(new QLabel(QStringLiteral("到"), this));
  top->addWidget(EdtTo);
  top->addWidget(new QLabel(QStringLiteral("最多列出"), this));
  top->addWidget(SbtoLimit);
  top->addStretch();
  top->addWidget(BtnStart);
  top->addWidget(BtnStop);
  auto* status = new QHBoxLayout;
  status->addWidget(PrgScan, 1);
  status->addWidget(LabStatus, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Conditions);
  layout->addLayout(status);
  layout->addWidget(LstResult, 1);

  timer_ = new QTimer(this);
  timer_->setInterval(100);
  connect(timer_, &QTimer::timeout, this, &TFrmSelect::poll);
  connect(BtnStart, &QPushButton::clicked, this, &TFrmSelect::BtnStartClick);
  connect(BtnStop, &QPushButton::clicked, this, &TFrmSelect::BtnStopClick);
  connect(LstResult, &QTreeWidget::itemDoubleClicked, this, &TFrmSelect::itemDoubleClicked);
  resize(1100, 720);
  if (uiFont) uiFont->ScaleForm(this);
  // A large font step must not push the window past the screen.
  if (const QScreen* at = screen(); at != nullptr)
    resize(size().boundedTo(at->availableGeometry().size() * 9 / 10));
}

TFrmSelect::~TFrmSelect() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void TFrmSelect::Open(float longitude) {
  longitude_ = longitude;
  if (EdtFrom->text().isEmpty()) {
    const QDate today = QDate::currentDate();
    EdtFrom->setText(today.toString("yyyy-MM-dd"));
    EdtTo->setText(today.addMonths(1).toString("yyyy-MM-dd"));
  }
}

void TFrmSelect::setRunning(bool running) {
  BtnStart->setEnabled(!running);
  BtnStop->setEnabled(running);
  CboKind->setEnabled(!running);
  Conditions->setEnabled(!running);
}

void TFrmSelect::BtnStartClick() {
  if (Running()) return;
  PeriodSelection s;
  std::string error;
  if (!ReadDate(EdtFrom->text(), 0, 0, s.from, error) ||
      !ReadDate(EdtTo->text(), 23, 59, s.to, error)) {
    prompter_.Warning(kTitle, error);
    return;
  }
  if (MinuteNumber(s.to) < MinuteNumber(s.from)) {
    prompter_.Warning(kTitle, kDateOrder);
    return;
  }
  s.kind = static_cast<ChartKind>(CboKind->currentIndex() + 1);
  s.settings = ReadChartSettings(setIniPath_);
  s.longitude = longitude_;
  s.conditions = Conditions->Conditions();
  s.limit = static_cast<std::size_t>(SbtoLimit->value());
  kind_ = s.kind;

  LstResult->clear();
  LabStatus->setText(QStringLiteral("正在查找……"));
  PrgScan->setValue(0);
  rows_.clear();
  stop_ = false;
  done_ = false;
  permille_ = 0;
  setRunning(true);
  worker_ = std::thread([this, s] {
    const SelectionResult found = SelectPeriods(s, [this](double share) {
      permille_ = static_cast<int>(share * 1000);
      return !stop_.load();
    });
    // The listed lines come from the chart of each moment, as the main window will chart it.
    MYiDateEx dates;
    ChartRequest request;
    request.kind = s.kind;
    request.longitude = s.longitude;
    for (const SelectedPeriod& p : found.periods) {
      if (stop_) break;
      request.SetDate(p.start);
      const ChartResult chart = ComputeChart(request, s.settings, dates);
      if (!chart.ok) continue;
      const ComputedChart& c = chart.chart;
      const Pillars& pl = c.pillars.pillars;
      rows_.push_back(
          {p.start,
           {MomentText(p.start),
            std::string(GanZhiName(pl.year)) + " " + std::string(GanZhiName(pl.month)) + " " +
                std::string(GanZhiName(pl.day)) + " " + std::string(GanZhiName(pl.hour)),
            std::string(c.ju.yang ? "阳遁" : "阴遁") + std::to_string(c.ju.ju) + "局",
            std::to_string(c.counts.host), std::to_string(c.counts.guest),
            std::to_string(c.counts.fixed),
            c.ju.hasGate ? std::string(GateName(c.ju.gate)) + "门" : std::string(),
            ConditionsText(c.conditions), PatternsText(c.patterns)}});
    }
    scanned_ = found.scanned;
    cancelled_ = found.cancelled || stop_;
    done_ = true;
  });
  timer_->start();
}

void TFrmSelect::BtnStopClick() {
  stop_ = true;
}

void TFrmSelect::poll() {
  PrgScan->setValue(permille_);
  if (done_) finish();
}

void TFrmSelect::finish() {
  timer_->stop();
  worker_.join();
  setRunning(false);
  PrgScan->setValue(cancelled_ ? PrgScan->value() : 1000);
  QList<QTreeWidgetItem*> items;
  for (const Row& row : rows_) {
    QStringList texts;
    for (const std::string& t : row.columns) texts << ToQString(t);
    auto* item = new QTreeWidgetItem(texts);
    item->setData(0, Qt::UserRole,
                  QVariantList{row.start.year, row.start.month, row.start.day, row.start.hour,
                               row.start.minute});
    items << item;
  }
  LstResult->addTopLevelItems(items);
  QString text = QStringLiteral("找到 %1 个局（查看了 %2 个）").arg(rows_.size()).arg(scanned_);
  if (cancelled_) text += QStringLiteral("，已停止");
  if (rows_.empty() && !cancelled_) text = QStringLiteral("没有符合条件的局。");
  LabStatus->setText(text);
}

void TFrmSelect::itemDoubleClicked(QTreeWidgetItem* item) {
  const QVariantList d = item->data(0, Qt::UserRole).toList();
  if (d.size() != 5) return;
  emit ChartMomentChosen(static_cast<int>(kind_), QString::number(TypedYearOf(d[0].toInt())),
                         d[1].toInt(), d[2].toInt(), d[3].toInt(), d[4].toInt());
}

}  // namespace taiyi

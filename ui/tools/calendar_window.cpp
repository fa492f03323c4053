#include "ui/tools/calendar_window.h"

#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QToolButton>
#include <algorithm>

#include "calendar/calendar_date.h"
#include "calendar/typed_years.h"
#include "chart/draw/image_plus.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"
#include "ui/widgets/up_down.h"

namespace taiyi {
namespace {

const QColor kBackground(255, 255, 200);
constexpr int kImageWidth = 450;
constexpr int kImageHeight = 330;
constexpr int kSmallestCellPoints = 5;

constexpr char kBadYearTitle[] = "年份不对";
constexpr char kBadYearText[] = "年份在-4713 到 9999年之间，并且没有公元0年";
constexpr char kBadEnteredYearText[] = "年份在-4713 到 9999之间";
constexpr char kNoSuchDateTitle[] = "日期不对";
constexpr char kNoSuchDateText[] = "不存在这个日期，请重新输入！";

bool InRange(int typedYear) {
  return StoredYearOf(typedYear).has_value();
}
int Stored(int typedYear) {
  return typedYear < 0 ? typedYear + 1 : typedYear;
}

QPlainTextEdit* ReadOnlyText(QWidget* parent, const QColor& text, const QColor& base) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setReadOnly(true);
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Base, base);
  edit->setPalette(palette);
  return edit;
}

void FillList(QComboBox* box, int first, int last, const char* unit) {
  const QSignalBlocker blocker(box);
  const int keep = box->currentIndex();
  box->clear();
  for (int i = first; i <= last; ++i) box->addItem(QString::number(i) + ToQString(unit));
  box->setCurrentIndex(keep >= 0 && keep < box->count() ? keep : 0);
}

void SetIndex(QComboBox* box, int index) {
  const QSignalBlocker blocker(box);
  box->setCurrentIndex(index);
}

}  // namespace

int CellTextPointSize(const QString& family, const QString& text, int points, int width) {
  QFont font(family);
  for (; points > kSmallestCellPoints; --points) {
    font.setPointSize(points);
    if (QFontMetrics(font).horizontalAdvance(text) <= width) break;
  }
  return points;
}

TFrmWnl::TFrmWnl(Prompter& prompter, MUiFont* uiFont, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      prompter_(prompter) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ToQString("墨衡万年历"));
  gridFamily_ = ResolveFontFamily("宋体");
  QFont font(gridFamily_);
  font.setPointSize(9);
  setFont(font);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBackground);
  setPalette(palette);
  setAutoFillBackground(true);
  BuildControls();
  FillLists();
  RecomputeTerms();
  setFixedSize(542, 408);
  if (uiFont != nullptr) uiFont->ScaleForm(this);
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
}

void TFrmWnl::BuildControls() {
  MeoTitle = ReadOnlyText(this, QColor(0, 0, 255), QColor(192, 192, 192));
  MeoTitle->setObjectName("MeoTitle");
  QFont titleFont = font();
  titleFont.setPixelSize(16);
  titleFont.setBold(true);
  MeoTitle->setFont(titleFont);
  MeoTitle->setGeometry(6, 4, 530, 34);

  BitBtn2 = new QToolButton(this);
  BitBtn2->setObjectName("BitBtn2");
  BitBtn2->setText(ToQString("◀"));
  BitBtn2->setToolTip(ToQString("上一月"));
  BitBtn2->setGeometry(6, 44, 26, 24);

  LabShow = new QLabel(this);
  LabShow->setObjectName("LabShow");
  QFont showFont = font();
  showFont.setPixelSize(16);
  showFont.setBold(true);
  LabShow->setFont(showFont);
  LabShow->setAlignment(Qt::AlignCenter);
  LabShow->setGeometry(34, 44, 112, 24);

  BitBtn1 = new QToolButton(this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setText(ToQString("▶"));
  BitBtn1->setToolTip(ToQString("下一月"));
  BitBtn1->setGeometry(148, 44, 26, 24);

  BtoNow = new QToolButton(this);
  BtoNow->setObjectName("BtoNow");
  BtoNow->setText(ToQString("今"));
  BtoNow->setToolTip(ToQString("当前时间"));
  BtoNow->setGeometry(178, 44, 26, 24);

  EdtYear = new QLineEdit(ToQString("1900"), this);
  EdtYear->setObjectName("EdtYear");
  EdtYear->setMaxLength(5);
  EdtYear->setGeometry(212, 44, 48, 24);
  UpYear = new UpDown(-4712, 9999, this);
  UpYear->setObjectName("UpYear");
  UpYear->SetPosition(1900);
  UpYear->setGeometry(260, 44, 18, 24);

  const auto list = [this](const char* name, int x, int width) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setGeometry(x, 44, width, 24);
    return box;
  };
  CboM = list("CboM", 284, 60);
  CboD = list("CboD", 348, 60);
  CboH = list("CboH", 412, 60);
  CboMinute = list("CboMinute", 476, 60);

  Img = new QLabel(this);
  Img->setObjectName("Img");
  Img->setGeometry(6, 72, kImageWidth, kImageHeight);
  Img->installEventFilter(this);

  // A deep red: pure red on white is too faint to read (contrast 4 : 1).
  MeoJie = ReadOnlyText(this, QColor(200, 0, 0), Qt::white);
  MeoJie->setObjectName("MeoJie");
  MeoJie->setLineWrapMode(QPlainTextEdit::NoWrap);
  MeoJie->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MeoJie->setGeometry(460, 72, 76, 160);

  MeoGanZhi = ReadOnlyText(this, QColor(0, 0, 255), Qt::white);
  MeoGanZhi->setObjectName("MeoGanZhi");
  QFont pillarFont = font();
  pillarFont.setPixelSize(15);
  MeoGanZhi->setFont(pillarFont);
  MeoGanZhi->setGeometry(460, 236, 76, 128);

  BtnPai = new QPushButton(ToQString("排盘"), this);
  BtnPai->setObjectName("BtnPai");
  BtnPai->setGeometry(460, 370, 76, 32);

  connect(EdtYear, &QLineEdit::returnPressed, this, &TFrmWnl::EdtYearEnter);
  connect(UpYear, &QSpinBox::valueChanged, this, &TFrmWnl::UpYearClick);
  connect(BitBtn2, &QToolButton::clicked, this, &TFrmWnl::BitBtn2Click);
  connect(BitBtn1, &QToolButton::clicked, this, &TFrmWnl::BitBtn1Click);
  connect(BtoNow, &QToolButton::clicked, this, &TFrmWnl::BtoNowClick);
  connect(BtnPai, &QPushButton::clicked, this, &TFrmWnl::BtnPaiClick);
  for (QComboBox* box : {CboM, CboD, CboH, CboMinute}) {
    connect(box, &QComboBox::currentIndexChanged, this, &TFrmWnl::DrawMonth);
  }
}

void TFrmWnl::FillLists() {
  FillList(CboM, 1, 12, "月");
  FillList(CboD, 1, 31, "日");
  FillList(CboH, 0, 23, "时");
  FillList(CboMinute, 0, 59, "分");
}

int TFrmWnl::TypedYear() const {
  bool ok = false;
  const int year = EdtYear->text().trimmed().toInt(&ok);
  return ok ? year : 0;
}

void TFrmWnl::RecomputeTerms() {
  bool ok = false;
  int typed = EdtYear->text().trimmed().toInt(&ok);
  if (!ok || !InRange(typed)) typed = 1900;
  termsYear_ = Stored(typed);
  service_.YearTerms(termsYear_, terms_);
}

void TFrmWnl::SetYearMonthDay(int typedYear, int month, int day) {
  EdtYear->setText(QString::number(typedYear));
  SetIndex(CboM, month - 1);
  SetIndex(CboD, day - 1);
}

void TFrmWnl::Open(const YiDate& typedDate) {
  FillLists();
  int day = typedDate.day;
  if (!IsValidSolarDate(Stored(typedDate.year), typedDate.month, typedDate.day)) day = 15;
  SetYearMonthDay(typedDate.year, typedDate.month, day);
  SetIndex(CboH, std::clamp<int>(typedDate.hour, 0, 23));
  SetIndex(CboMinute, std::clamp<int>(typedDate.minute, 0, 59));
  gridFamily_ = ResolveFontFamily("宋体");
  RecomputeTerms();
  DrawMonth();
}

void TFrmWnl::DrawMonth() {
  const int typed = TypedYear();
  if (!InRange(typed)) {
    prompter_.Error(kBadYearTitle, kBadYearText);
    return;
  }
  const YiDate date{
      static_cast<int16_t>(Stored(typed)), static_cast<int16_t>(CboM->currentIndex() + 1),
      static_cast<int16_t>(CboD->currentIndex() + 1), static_cast<int16_t>(CboH->currentIndex()),
      static_cast<int16_t>(CboMinute->currentIndex())};
  if (!service_.IsValidSolarDate(date)) {
    prompter_.Information(kNoSuchDateTitle, kNoSuchDateText);
    return;
  }
  // The term list always belongs to the year shown, however the year was reached.
  if (termsYear_ != date.year) RecomputeTerms();
  UpYear->SetPosition(date.year);
  grid_ = BuildMonthGrid(service_, eras_, date, terms_);
  Paint();
  LabShow->setText(ToQString(grid_.title));
  MeoTitle->setPlainText(ToQString(grid_.eraTitle));
  // Each term on three lines, its name, its day and its time: the narrow box would otherwise
  // wrap anywhere, even between the hour and the minute.
  QString terms = ToQString(grid_.termText);
  terms.replace(QLatin1Char(':'), QStringLiteral(":\n"));
  terms.replace(QStringLiteral("日"), QStringLiteral("日\n"));
  // The blank line after the last term would only make the box scroll.
  while (terms.endsWith(QLatin1Char('\n'))) terms.chop(1);
  // Lines are never wrapped; the size shrinks when a moment is wider than the box.
  const int room = MeoJie->width() - 2 * MeoJie->frameWidth() -
                   2 * static_cast<int>(MeoJie->document()->documentMargin()) - 2;
  int points = FontPointSize(this);
  for (const QString& line : terms.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    points = std::min(points, CellTextPointSize(MeoJie->font().family(), line, points, room));
  QFont jieFont = MeoJie->font();
  jieFont.setPointSize(points);
  MeoJie->setFont(jieFont);
  MeoJie->setPlainText(terms);
  MeoGanZhi->setPlainText(ToQString(grid_.pillarText));
}

void TFrmWnl::Paint() {
  const QSize size = Img->size().isEmpty() ? QSize(kImageWidth, kImageHeight) : Img->size();
  image_ = QImage(size, QImage::Format_RGB32);
  image_.fill(kBackground);
  const int width = size.width();
  const int w = width / 7;
  const int h = size.height() / 7;
  const int base = FontPointSize(this);

  QPainter painter(&image_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const auto fontOf = [this](int points) {
    QFont f(gridFamily_);
    f.setPointSize(points);
    return f;
  };
  // Draws text centred horizontally in the cell at x with its top at y.
  const auto centred = [&painter, w](const QString& text, int x, int top) {
    const QFontMetrics metrics(painter.font());
    painter.drawText(QPoint(x + (w - metrics.horizontalAdvance(text)) / 2, top + metrics.ascent()),
                     text);
  };

  painter.setPen(Qt::black);
  for (int i = 1; i <= 6; ++i) {
    painter.drawLine(0, i * h, width, i * h);
    painter.drawLine(i * w, 0, i * w, size.height());
  }
  painter.setFont(fontOf(base + 3));
  for (int column = 0; column < 7; ++column) {
    painter.setPen(column < 5 ? QColor(0, 128, 0) : QColor(255, 0, 0));
    const QString text = ToQString(WeekdayHeader(column));
    centred(text, column * w, (h - QFontMetrics(painter.font()).height()) / 2);
  }

  for (const MonthGridDay& cell : grid_.days) {
    const int x = cell.column * w;
    const int y = cell.row * h;
    const QColor colour = cell.termDay ? QColor(255, 0, 0) : QColor(0, 0, 255);
    painter.setPen(colour);
    painter.setFont(fontOf(cell.termDay ? base + 1 : base + 5));
    centred(ToQString(cell.upper), x, y + (h / 2 - QFontMetrics(painter.font()).height()) / 2);
    // Long names such as 闰十二月廿九 take a smaller size to stay inside the cell.
    const QString lower = ToQString(cell.lower);
    painter.setFont(fontOf(CellTextPointSize(gridFamily_, lower, base, w - 2)));
    centred(lower, x, y + h / 2 + (h / 2 - QFontMetrics(painter.font()).height()) / 2);
    if (cell.selected) {
      painter.setPen(QPen(QColor(255, 0, 0), 3));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(x, y, w, h);
      painter.setPen(QPen(Qt::black, 1));
      painter.setBrush(kBackground);
    }
  }
  painter.end();
  Img->setPixmap(QPixmap::fromImage(image_));
}

void TFrmWnl::EdtYearEnter() {
  const int typed = TypedYear();
  if (InRange(typed)) {
    RecomputeTerms();
    DrawMonth();
  } else {
    prompter_.Error("错误", kBadEnteredYearText);
    EdtYear->setFocus();
  }
}

void TFrmWnl::UpYearClick() {
  EdtYear->setText(QString::number(TypedYearOf(UpYear->Position())));
  RecomputeTerms();
  DrawMonth();
}

void TFrmWnl::BitBtn2Click() {
  int typed = TypedYear();
  int month = CboM->currentIndex() + 1;
  if (!InRange(typed)) {
    DrawMonth();  // reports the year
    return;
  }
  if (typed == -4713 && month == 1) return;
  if (month == 1) {
    month = 12;
    typed = typed == 1 ? -1 : typed - 1;
  } else {
    --month;
  }
  SetYearMonthDay(typed, month, 1);
  DrawMonth();
}

void TFrmWnl::BitBtn1Click() {
  int typed = TypedYear();
  int month = CboM->currentIndex() + 1;
  if (!InRange(typed)) {
    DrawMonth();  // reports the year
    return;
  }
  if (typed == 9999 && month == 12) return;
  if (month == 12) {
    month = 1;
    typed = typed == -1 ? 1 : typed + 1;
  } else {
    ++month;
  }
  SetYearMonthDay(typed, month, 1);
  DrawMonth();
}

void TFrmWnl::BtoNowClick() {
  const QDateTime now = QDateTime::currentDateTime();
  SetYearMonthDay(now.date().year(), now.date().month(), now.date().day());
  SetIndex(CboH, now.time().hour());
  SetIndex(CboMinute, now.time().minute());
  RecomputeTerms();
  DrawMonth();
}

void TFrmWnl::ImgMouseDown(int x, int y) {
  const int w = Img->width() / 7;
  const int h = Img->height() / 7;
  if (w <= 0 || h <= 0 || x < 0 || y < 0 || x >= 7 * w) return;
  const int k = (y / h) * 7 + x / w - 7;
  const int day = GridDayAt(grid_, k);
  if (day == 0) return;
  SetIndex(CboD, day - 1);
  DrawMonth();
}

void TFrmWnl::BtnPaiClick() {
  hide();
  emit ChartMomentChosen(EdtYear->text(), CboM->currentIndex() + 1, CboD->currentIndex() + 1,
                         CboH->currentIndex(), CboMinute->currentIndex());
}

bool TFrmWnl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Img && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      const QPoint at = mouse->position().toPoint();
      ImgMouseDown(at.x(), at.y());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace taiyi

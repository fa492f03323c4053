#include "ui/tools/reverse_pillars_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextCursor>

#include "calendar/date_service.h"
#include "calendar/ganzhi_names.h"
#include "calendar/pillar_search.h"
#include "calendar/typed_years.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"
#include "ui/widgets/up_down.h"

namespace taiyi {
namespace {

constexpr char kStartYearTitle[] = "年份错误";
constexpr char kBadPillarTitle[] = "无效的四柱";

// List position k of a stem list stands for stem number (k + 1) mod 10 (甲 = 1 … 癸 = 0), of
// a branch list for branch number (k + 1) mod 12 (子 = 1 … 亥 = 0).
int StemAt(const QComboBox* box) {
  return (box->currentIndex() + 1) % 10;
}
int BranchAt(const QComboBox* box) {
  return (box->currentIndex() + 1) % 12;
}
int StemPosition(int pillar) {
  const int stem = StemOf(pillar);
  return stem == 0 ? 9 : stem - 1;
}
int BranchPosition(int pillar) {
  const int branch = BranchOf(pillar);
  return branch == 0 ? 11 : branch - 1;
}

QComboBox* NameList(QWidget* parent, const char* name, bool stems, int x, int y) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  if (stems) {
    for (int k = 0; k < 10; ++k) box->addItem(ToQString(kStemNames[(k + 1) % 10]));
  } else {
    for (int k = 0; k < 12; ++k) box->addItem(ToQString(kBranchNames[(k + 1) % 12]));
  }
  box->setGeometry(x, y, 48, 24);
  return box;
}

void Caption(QWidget* parent, const char* text, int x, int y, int width) {
  auto* label = new QLabel(ToQString(text), parent);
  label->setGeometry(x, y, width, 24);
}

}  // namespace

TFrmFanTui::TFrmFanTui(Prompter& prompter, MUiFont* uiFont, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      prompter_(prompter),
      uiFont_(uiFont) {
  setWindowTitle(ToQString("四柱排盘"));
  setModal(true);
  BuildControls();
  setFixedSize(465, 198);
}

void TFrmFanTui::BuildControls() {
  constexpr int kRow1 = 10;
  constexpr int kRow2 = 44;
  Caption(this, "年柱", 10, kRow1, 32);
  cbotian0 = NameList(this, "cbotian0", true, 42, kRow1);
  cbodi0 = NameList(this, "cbodi0", false, 92, kRow1);
  Caption(this, "月支", 150, kRow1, 32);
  cbodi1 = NameList(this, "cbodi1", false, 182, kRow1);
  Caption(this, "日柱", 240, kRow1, 32);
  cbotian2 = NameList(this, "cbotian2", true, 272, kRow1);
  cbodi2 = NameList(this, "cbodi2", false, 322, kRow1);
  Caption(this, "时支", 380, kRow1, 32);
  cbodi3 = NameList(this, "cbodi3", false, 412, kRow1);

  Caption(this, "性别", 10, kRow2, 32);
  Rdona1 = new QRadioButton(ToQString("男"), this);
  Rdona1->setObjectName("Rdona1");
  Rdona1->setGeometry(42, kRow2, 46, 24);
  Rdona1->setChecked(true);
  Rdonv1 = new QRadioButton(ToQString("女"), this);
  Rdonv1->setObjectName("Rdonv1");
  Rdonv1->setGeometry(92, kRow2, 46, 24);
  auto* sex = new QButtonGroup(this);
  sex->addButton(Rdona1);
  sex->addButton(Rdonv1);

  Caption(this, "起始年", 150, kRow2, 48);
  Edtyear = new QLineEdit(ToQString("1950"), this);
  Edtyear->setObjectName("Edtyear");
  Edtyear->setMaxLength(5);
  Edtyear->setGeometry(198, kRow2, 56, 24);
  Upyear = new UpDown(-4712, 9999, this);
  Upyear->setObjectName("Upyear");
  Upyear->SetPosition(1950);
  Upyear->setGeometry(254, kRow2, 18, 24);

  Btncha = new QPushButton(ToQString("反推"), this);
  Btncha->setObjectName("Btncha");
  Btncha->setDefault(true);
  Btncha->setGeometry(290, kRow2, 80, 26);
  Btnpai = new QPushButton(ToQString("排盘"), this);
  Btnpai->setObjectName("Btnpai");
  Btnpai->setAutoDefault(false);
  Btnpai->setEnabled(false);
  Btnpai->setGeometry(376, kRow2, 80, 26);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setGeometry(10, 78, 446, 112);

  connect(Btncha, &QPushButton::clicked, this, &TFrmFanTui::BtnchaClick);
  connect(Btnpai, &QPushButton::clicked, this, &TFrmFanTui::BtnpaiClick);
  connect(Upyear, &QSpinBox::valueChanged, this, &TFrmFanTui::UpyearClick);
}

void TFrmFanTui::showEvent(QShowEvent* event) {
  if (!scaled_) {
    if (uiFont_ != nullptr) uiFont_->ScaleForm(this);
    // Centred once its scaled size is known.
    if (const QScreen* screen = this->screen())
      move(screen->availableGeometry().center() - rect().center());
  }
  scaled_ = true;
  QDialog::showEvent(event);
}

void TFrmFanTui::Open(const std::array<int, 4>& pillars, bool male) {
  cbotian0->setCurrentIndex(StemPosition(pillars[0]));
  cbodi0->setCurrentIndex(BranchPosition(pillars[0]));
  cbodi1->setCurrentIndex(BranchPosition(pillars[1]));
  cbotian2->setCurrentIndex(StemPosition(pillars[2]));
  cbodi2->setCurrentIndex(BranchPosition(pillars[2]));
  cbodi3->setCurrentIndex(BranchPosition(pillars[3]));
  Btnpai->setEnabled(false);
  Upyear->SetPosition(1950);
  (male ? Rdona1 : Rdonv1)->setChecked(true);
}

bool TFrmFanTui::ReadStartYear(int& typedYear) {
  bool ok = false;
  typedYear = Edtyear->text().trimmed().toInt(&ok);
  if (!ok) typedYear = -5000;
  if (IsValidStartYear(typedYear)) return true;
  prompter_.Warning(kStartYearTitle, kStartYearMessage);
  Edtyear->setFocus();
  return false;
}

void TFrmFanTui::BtnchaClick() {
  int typed = 0;
  if (!ReadStartYear(typed)) return;
  Btnpai->setEnabled(false);
  const PillarBuild built =
      BuildTargetPillars({StemAt(cbotian0), BranchAt(cbodi0), BranchAt(cbodi1), StemAt(cbotian2),
                          BranchAt(cbodi2), BranchAt(cbodi3)});
  if (!built.pillars) {
    prompter_.Error(kBadPillarTitle, NoSuchPillarMessage(built.failed));
    return;
  }
  Upyear->SetPosition(typed < 0 ? typed + 1 : typed);
  Search();
}

void TFrmFanTui::Search() {
  int typed = 0;
  if (!ReadStartYear(typed)) return;
  Memo1->clear();
  Btnpai->setEnabled(false);
  const PillarBuild built =
      BuildTargetPillars({StemAt(cbotian0), BranchAt(cbodi0), BranchAt(cbodi1), StemAt(cbotian2),
                          BranchAt(cbodi2), BranchAt(cbodi3)});
  if (!built.pillars) return;
  MYiDateEx service;
  const std::optional<YiDate> found =
      FindPillarMoment(service, typed < 0 ? typed + 1 : typed, *built.pillars);
  if (!found) {
    Memo1->setPlainText(ToQString(std::string(kNoPillarMatchMessage) + "\n\n"));
    return;
  }
  found_ = *found;
  Memo1->setPlainText(ToQString("符合四柱：\n" + PillarMomentText(found_) + "\n\n"));
  Memo1->moveCursor(QTextCursor::End);
  Btnpai->setEnabled(true);
}

void TFrmFanTui::UpyearClick() {
  const int position = Upyear->Position();
  Edtyear->setText(QString::number(TypedYearOf(position)));
}

void TFrmFanTui::BtnpaiClick() {
  male_ = Rdona1->isChecked();
  emit ChartMomentChosen(TypedYearOf(found_.year), found_.month, found_.day, found_.hour,
                         found_.minute, male_);
  accept();
}

}  // namespace taiyi

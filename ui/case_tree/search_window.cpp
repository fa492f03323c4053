#include "ui/case_tree/search_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "calendar/typed_years.h"
#include "chart/places.h"
#include "store/chart_case_search.h"
#include "store/record_base.h"
#include "ui/widgets/chart_conditions_editor.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/ui_font.h"
#include "ui/widgets/work_dialog.h"

namespace taiyi {
namespace {

constexpr char kSearchingCases[] = "正在查找命例";

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength, int widthChars) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * widthChars + 12);
  return edit;
}

QString YearText(int stored) {
  return QString::number(TypedYearOf(stored));
}

}  // namespace

TFrmSearch::TFrmSearch(MRecordBase& store, SearchConditions& conditions, MUiFont& uiFont,
                       Prompter& prompter, QWidget* parent)
    : QDialog(parent), store_(store), conditions_(conditions), prompter_(prompter) {
  setObjectName("FrmSearch");
  setWindowTitle(QStringLiteral("查找命例"));

  RdoSex = new RadioGroup(QStringLiteral("性别"),
                          {QStringLiteral("无"), QStringLiteral("男"), QStringLiteral("女")}, this);
  RdoSex->setObjectName("RdoSex");
  if (auto* row = qobject_cast<QBoxLayout*>(RdoSex->layout()))
    row->setDirection(QBoxLayout::LeftToRight);  // the three choices side by side
  CboProv = new QComboBox(this);
  CboProv->setObjectName("CboProv");
  CboProv->setMaxVisibleItems(25);
  LedtY1 = MakeEdit(this, "LedtY1", 4, 5);
  LedtY2 = MakeEdit(this, "LedtY2", 4, 5);
  EdtComment = MakeEdit(this, "EdtComment", 40, 24);
  CboClass = new QComboBox(this);
  CboClass->setObjectName("CboClass");
  CboClass->setEditable(true);
  CboClass->setInsertPolicy(QComboBox::NoInsert);
  CboClass->setMaxVisibleItems(16);
  CboClass->lineEdit()->setMaxLength(20);
  ChkClass = new QCheckBox(QStringLiteral("全字匹配"), this);
  ChkClass->setObjectName("ChkClass");
  EdtName = MakeEdit(this, "EdtName", 20, 16);
  ChkName = new QCheckBox(QStringLiteral("全字匹配"), this);
  ChkName->setObjectName("ChkName");
  BtoAll = new QPushButton(QStringLiteral("清空"), this);
  BtoAll->setObjectName("BtoAll");
  BtoAll->setAutoDefault(false);
  BtnSearch = new QPushButton(QStringLiteral("查找"), this);
  BtnSearch->setObjectName("BtnSearch");
  BtnSearch->setDefault(true);
  BtoCancel = new QPushButton(QStringLiteral("关闭"), this);
  BtoCancel->setObjectName("BtoCancel");
  BtoCancel->setAutoDefault(false);
  Animate1 = new QProgressBar(this);
  Animate1->setObjectName("Animate1");
  Animate1->setRange(0, 0);  // a busy indicator without a fraction
  Animate1->setTextVisible(false);
  Animate1->hide();

  auto* grid = new QGridLayout;
  auto label = [this, grid](const char* text, QWidget* buddy, int row, int column) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setBuddy(buddy);
    grid->addWidget(l, row, column, Qt::AlignRight);
  };
  auto* years = new QHBoxLayout;
  years->addWidget(LedtY1);
  auto* to = new QLabel(QStringLiteral("到"), this);
  to->setBuddy(LedtY2);
  years->addWidget(to);
  years->addWidget(LedtY2);
  years->addStretch();
  label("年份从", LedtY1, 0, 0);
  grid->addLayout(years, 0, 1);
  label("省份", CboProv, 1, 0);
  grid->addWidget(CboProv, 1, 1);
  label("评语", EdtComment, 2, 0);
  grid->addWidget(EdtComment, 2, 1, 1, 2);
  label("类别", CboClass, 3, 0);
  grid->addWidget(CboClass, 3, 1);
  grid->addWidget(ChkClass, 3, 2);
  label("姓名", EdtName, 4, 0);
  grid->addWidget(EdtName, 4, 1);
  grid->addWidget(ChkName, 4, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Animate1, 1);
  buttons->addStretch();
  buttons->addWidget(BtoAll);
  buttons->addWidget(BtnSearch);
  buttons->addWidget(BtoCancel);
  auto* basic = new QWidget(this);
  auto* basicLayout = new QVBoxLayout(basic);
  basicLayout->addWidget(RdoSex);
  basicLayout->addLayout(grid);
  basicLayout->addStretch();
  auto* chartPage = new QWidget(this);
  auto* chartLayout = new QVBoxLayout(chartPage);
  ChartConditions = new ChartConditionsEditor(chartPage);
  auto* chartNote = new QLabel(
      QStringLiteral("按每个命例存储的局类、时间、性别与地点排盘，以当前排盘设置计算。"), chartPage);
  chartLayout->addWidget(chartNote);
  chartLayout->addWidget(ChartConditions);
  TabPages = new QTabWidget(this);
  TabPages->setObjectName("TabPages");
  TabPages->addTab(basic, QStringLiteral("基本条件"));
  TabPages->addTab(chartPage, QStringLiteral("星盘条件"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(TabPages);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(BtoAll, &QPushButton::clicked, this, &TFrmSearch::BtoAllClick);
  connect(BtnSearch, &QPushButton::clicked, this, &TFrmSearch::BtnSearchClick);
  connect(BtoCancel, &QPushButton::clicked, this, &TFrmSearch::BtoCancelClick);
  uiFont.ScaleForm(this);
}

void TFrmSearch::FormShow() {
  std::vector<std::string> categories;
  store_.LoadCategories(categories);
  CboClass->clear();
  for (const std::string& name : categories) CboClass->addItem(ToQString(name));
  CboProv->clear();
  CboProv->addItem(QStringLiteral("全部省份"));
  for (std::string_view name : kProvinces) CboProv->addItem(ToQString(name));
  const int province = conditions_.provinceIndex + 1;
  CboProv->setCurrentIndex(province >= 0 && province < CboProv->count() ? province : 0);
  RdoSex->SetItemIndex(!conditions_.sexOn ? 0 : conditions_.male ? 1 : 2);
  LedtY1->setText(conditions_.yearOn ? YearText(conditions_.yearFrom) : QString());
  LedtY2->setText(conditions_.yearOn ? YearText(conditions_.yearTo) : QString());
  ChkName->setChecked(conditions_.nameMode == kMatchEquals);
  EdtName->setText(!conditions_.name.empty() && conditions_.nameMode != kMatchNone
                       ? ToQString(conditions_.name)
                       : QString());
  ChkClass->setChecked(conditions_.classMode == kMatchEquals);
  CboClass->setEditText(!conditions_.className.empty() && conditions_.classMode != kMatchNone
                            ? ToQString(conditions_.className)
                            : QString());
  EdtComment->setText(conditions_.commentOn ? ToQString(conditions_.comment) : QString());
  ChartConditions->SetConditions(conditions_.chart);
  found_ = false;
}

void TFrmSearch::showEvent(QShowEvent* event) {
  FormShow();
  if (const QScreen* screen = this->screen()) {
    adjustSize();
    move(screen->availableGeometry().center() - rect().center());
  }
  QDialog::showEvent(event);
}

void TFrmSearch::BtoAllClick() {
  if (!prompter_.Question("提示", "这将清除所有输入的条件参数，确定吗？", true,
                          QuestionIcon::Information))
    return;
  RdoSex->SetItemIndex(0);
  LedtY1->clear();
  LedtY2->clear();
  ChkName->setChecked(false);
  ChkClass->setChecked(false);
  EdtName->clear();
  CboClass->setEditText(QString());
  CboProv->setCurrentIndex(0);
  EdtComment->clear();
  ChartConditions->SetConditions({});
}

void TFrmSearch::setBusy(bool busy) {
  for (QPushButton* button : {BtoAll, BtnSearch, BtoCancel}) button->setEnabled(!busy);
  Animate1->setVisible(busy);
}

void TFrmSearch::BtnSearchClick() {
  SearchDialogInput input;
  input.provinceItem = CboProv->currentIndex() < 0 ? 0 : CboProv->currentIndex();
  input.sexItem = RdoSex->ItemIndex() < 0 ? 0 : RdoSex->ItemIndex();
  input.yearFrom = ToStdString(LedtY1->text());
  input.yearTo = ToStdString(LedtY2->text());
  input.name = ToStdString(EdtName->text());
  input.nameExact = ChkName->isChecked();
  input.className = ToStdString(CboClass->currentText());
  input.classExact = ChkClass->isChecked();
  input.comment = ToStdString(EdtComment->text());

  const SearchInputCheck check = ReadSearchInput(input, store_.PrimaryId(), conditions_);
  if (!check.ok) {
    if (check.warning)
      prompter_.Warning(check.title, check.message);
    else
      prompter_.Message(check.message);
    return;
  }
  conditions_.chart = ChartConditions->Conditions();
  const bool basic = conditions_.sexOn || conditions_.yearOn || conditions_.provinceIndex != -1 ||
                     conditions_.nameMode != kMatchNone || conditions_.classMode != kMatchNone ||
                     conditions_.commentOn;
  setBusy(true);
  foundIds_.clear();
  const ChartSettings settings = ReadChartSettings(store_.AppDir() + "dat/set.ini");
  // Every case is read, and with chart conditions charted, on a worker: the window keeps
  // painting and its progress dialog can stop the search.
  WorkProgress work;
  const bool finished = RunWithProgress(this, kSearchingCases, work, true, [&] {
    if (basic || conditions_.chart.Empty())
      SearchByConditions(store_, conditions_, foundIds_, &work);
    if (conditions_.chart.Empty() || work.stop.load()) return;
    std::vector<std::int32_t> charted;
    if (!SearchByChart(store_, settings, conditions_.chart, charted, {}, &work)) return;
    if (basic) {
      std::vector<std::int32_t> both;
      std::set_intersection(foundIds_.begin(), foundIds_.end(), charted.begin(), charted.end(),
                            std::back_inserter(both));
      charted = std::move(both);
    }
    foundIds_ = std::move(charted);
  });
  setBusy(false);
  // A stopped search says nothing; the window stays open with its conditions.
  if (!finished) {
    foundIds_.clear();
    return;
  }
  if (foundIds_.empty()) {
    prompter_.Information(kSearchNothingFoundTitle, kSearchNothingFound);
    return;
  }
  found_ = true;
  accept();
}

void TFrmSearch::BtoCancelClick() {
  found_ = false;
  reject();
}

bool SearchCases(MRecordBase& store, SearchConditions& conditions, MUiFont& uiFont,
                 Prompter& prompter, QWidget* parent, std::vector<std::int32_t>& ids) {
  TFrmSearch dialog(store, conditions, uiFont, prompter, parent);
  dialog.exec();
  if (!dialog.Found()) return false;
  ids = dialog.FoundIds();
  return true;
}

}  // namespace taiyi

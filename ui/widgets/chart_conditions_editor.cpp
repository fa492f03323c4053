#include "ui/widgets/chart_conditions_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/widgets/qt_prompter.h"

namespace taiyi {
namespace {

const QStringList kHaveItems = {QStringLiteral("不限"), QStringLiteral("须有"),
                                QStringLiteral("须无")};

QComboBox* HaveBox(QWidget* parent, const QString& name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->addItems(kHaveItems);
  return box;
}

}  // namespace

ChartConditionsEditor::RangeControls ChartConditionsEditor::addRange(QGridLayout* grid, int row,
                                                                     const char* name,
                                                                     const char* label, int max) {
  RangeControls r;
  r.on = new QCheckBox(QString::fromUtf8(label), this);
  r.on->setObjectName(QStringLiteral("Chk") + name);
  r.first = new QSpinBox(this);
  r.first->setObjectName(QStringLiteral("Sbto") + name + "1");
  r.last = new QSpinBox(this);
  r.last->setObjectName(QStringLiteral("Sbto") + name + "2");
  for (QSpinBox* box : {r.first, r.last}) {
    box->setRange(1, max);
    box->setEnabled(false);
    connect(r.on, &QCheckBox::toggled, box, &QWidget::setEnabled);
  }
  r.last->setValue(max);
  grid->addWidget(r.on, row, 0);
  grid->addWidget(r.first, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("到"), this), row, 2);
  grid->addWidget(r.last, row, 3);
  return r;
}

ChartConditionsEditor::ChartConditionsEditor(QWidget* parent) : QWidget(parent) {
  setObjectName("ChartConditionsEditor");
  auto* numbers = new QGroupBox(QStringLiteral("局与算"), this);
  auto* grid = new QGridLayout(numbers);
  ranges_[0] = addRange(grid, 0, "Ju", "局数", 72);
  ranges_[1] = addRange(grid, 1, "Host", "主算", 40);
  ranges_[2] = addRange(grid, 2, "Guest", "客算", 40);
  ranges_[3] = addRange(grid, 3, "Fixed", "定算", 40);
  CboDun = new QComboBox(this);
  CboDun->setObjectName("CboDun");
  CboDun->addItems({QStringLiteral("阴阳不限"), QStringLiteral("阳遁"), QStringLiteral("阴遁")});
  grid->addWidget(CboDun, 4, 0, 1, 5);
  // A group wider than its ranges keeps each range together and leaves the room on the right.
  grid->setColumnStretch(4, 1);

  auto* gateBox = new QGroupBox(QStringLiteral("门（任一）"), this);
  auto* gateGrid = new QGridLayout(gateBox);
  for (int g = 0; g < 8; ++g) {
    gates_[g] = new QCheckBox(ToQString(GateName(g)) + QStringLiteral("门"), this);
    gates_[g]->setObjectName(QStringLiteral("ChkGate%1").arg(g));
    gateGrid->addWidget(gates_[g], g / 4, g % 4);
  }

  auto* conditionBox = new QGroupBox(QStringLiteral("格局"), this);
  auto* conditionGrid = new QGridLayout(conditionBox);
  for (int c = 0; c < kConditionCount; ++c) {
    conditions_[c] = HaveBox(this, QStringLiteral("CboCond%1").arg(c));
    palaces_[c] = new QComboBox(this);
    palaces_[c]->setObjectName(QStringLiteral("CboCondPalace%1").arg(c));
    palaces_[c]->addItem(QStringLiteral("任一宫"));
    for (int v = 1; v <= 9; ++v) palaces_[c]->addItem(QStringLiteral("%1宫").arg(v));
    conditionGrid->addWidget(new QLabel(ToQString(ConditionName(c)), this), c, 0);
    conditionGrid->addWidget(conditions_[c], c, 1);
    conditionGrid->addWidget(palaces_[c], c, 2);
  }

  auto* patternBox = new QGroupBox(QStringLiteral("断数"), this);
  auto* patternGrid = new QGridLayout(patternBox);
  for (int p = 0; p < kCountPatternCount; ++p) {
    patterns_[p] = HaveBox(this, QStringLiteral("CboPattern%1").arg(p));
    patternGrid->addWidget(new QLabel(ToQString(CountPatternName(p)), this), p % 6, (p / 6) * 2);
    patternGrid->addWidget(patterns_[p], p % 6, (p / 6) * 2 + 1);
  }

  auto* deityBox = new QGroupBox(QStringLiteral("星神位置（均须符合）"), this);
  auto* deityLayout = new QVBoxLayout(deityBox);
  auto* deityRow = new QHBoxLayout;
  CboDeity = new QComboBox(this);
  CboDeity->setObjectName("CboDeity");
  for (int d = 0; d < kDeityCount; ++d)
    CboDeity->addItem(ToQString(DeityFullName(static_cast<DeityCode>(d))));
  CboDeity->setCurrentIndex(kTaiYi);
  CboPosition = new QComboBox(this);
  CboPosition->setObjectName("CboPosition");
  for (int p = 0; p < kPositionCount; ++p) CboPosition->addItem(ToQString(PositionName(p)));
  auto* add = new QPushButton(QStringLiteral("添加"), this);
  add->setObjectName("BtoAddDeity");
  auto* remove = new QPushButton(QStringLiteral("删除"), this);
  remove->setObjectName("BtoRemoveDeity");
  deityRow->addWidget(CboDeity);
  deityRow->addWidget(new QLabel(QStringLiteral("在"), this));
  deityRow->addWidget(CboPosition);
  deityRow->addWidget(add);
  deityRow->addWidget(remove);
  LstDeities = new QListWidget(this);
  LstDeities->setObjectName("LstDeities");
  LstDeities->setMaximumHeight(LstDeities->fontMetrics().height() * 4);
  deityLayout->addLayout(deityRow);
  deityLayout->addWidget(LstDeities);
  connect(add, &QPushButton::clicked, this, &ChartConditionsEditor::addDeity);
  connect(remove, &QPushButton::clicked, this, [this] { delete LstDeities->currentItem(); });

  auto* left = new QVBoxLayout;
  left->addWidget(numbers);
  left->addWidget(gateBox);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(patternBox);
  right->addWidget(deityBox);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(left);
  layout->addWidget(conditionBox);
  layout->addLayout(right);
  // A wide window leaves room on the right rather than stretching the short lists.
  layout->addStretch(1);
}

void ChartConditionsEditor::addDeity() {
  const QString text = CboDeity->currentText() + "@" + CboPosition->currentText();
  if (LstDeities->findItems(text, Qt::MatchExactly).isEmpty()) LstDeities->addItem(text);
}

ChartConditions ChartConditionsEditor::Conditions() const {
  ChartConditions c;
  std::vector<NumberRange>* lists[4] = {&c.ju, &c.host, &c.guest, &c.fixed};
  for (int i = 0; i < 4; ++i) {
    const RangeControls& r = ranges_[i];
    if (!r.on->isChecked()) continue;
    const int a = r.first->value(), b = r.last->value();
    lists[i]->push_back({std::min(a, b), std::max(a, b)});
  }
  if (CboDun->currentIndex() > 0) c.yang = CboDun->currentIndex() == 1;
  for (int g = 0; g < 8; ++g)
    if (gates_[g]->isChecked()) c.gates.push_back(g);
  for (int k = 0; k < kConditionCount; ++k) {
    const PlacedCondition placed{k, palaces_[k]->currentIndex()};
    if (conditions_[k]->currentIndex() == 1) c.with.push_back(placed);
    if (conditions_[k]->currentIndex() == 2) c.without.push_back(placed);
  }
  for (int p = 0; p < kCountPatternCount; ++p) {
    if (patterns_[p]->currentIndex() == 1) c.patterns.push_back(p);
    if (patterns_[p]->currentIndex() == 2) c.noPatterns.push_back(p);
  }
  for (int i = 0; i < LstDeities->count(); ++i) {
    DeityPlace place;
    std::string error;
    if (ParseDeityPlace(ToStdString(LstDeities->item(i)->text()), place, error))
      c.deities.push_back(place);
  }
  return c;
}

void ChartConditionsEditor::SetConditions(const ChartConditions& c) {
  const std::vector<NumberRange>* lists[4] = {&c.ju, &c.host, &c.guest, &c.fixed};
  for (int i = 0; i < 4; ++i) {
    const RangeControls& r = ranges_[i];
    r.on->setChecked(!lists[i]->empty());
    if (!lists[i]->empty()) {
      r.first->setValue(lists[i]->front().first);
      r.last->setValue(lists[i]->front().last);
    }
  }
  CboDun->setCurrentIndex(!c.yang ? 0 : *c.yang ? 1 : 2);
  for (int g = 0; g < 8; ++g)
    gates_[g]->setChecked(std::find(c.gates.begin(), c.gates.end(), g) != c.gates.end());
  for (int k = 0; k < kConditionCount; ++k) {
    conditions_[k]->setCurrentIndex(0);
    palaces_[k]->setCurrentIndex(0);
  }
  for (const auto& [list, item] : {std::pair{&c.with, 1}, std::pair{&c.without, 2}})
    for (const PlacedCondition& placed : *list) {
      conditions_[placed.condition]->setCurrentIndex(item);
      palaces_[placed.condition]->setCurrentIndex(placed.palace);
    }
  for (int p = 0; p < kCountPatternCount; ++p) patterns_[p]->setCurrentIndex(0);
  for (int p : c.patterns) patterns_[p]->setCurrentIndex(1);
  for (int p : c.noPatterns) patterns_[p]->setCurrentIndex(2);
  LstDeities->clear();
  for (const DeityPlace& d : c.deities)
    LstDeities->addItem(ToQString(DeityFullName(d.deity)) + "@" +
                        ToQString(PositionName(d.position)));
}

}  // namespace taiyi

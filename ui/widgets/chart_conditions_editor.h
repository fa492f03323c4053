// The chart conditions as controls, shared by the 择时 window and the chart page of the case
// search: ranges of ju and counts, 遁, the gates as check boxes, each 格局 and 断数 as a list
// of 不限 / 须有 / 须无 (格局 optionally at a palace), and deities at positions.
#pragma once

#include <QWidget>
#include <array>

#include "chart/selection_conditions.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QListWidget;
class QSpinBox;

namespace taiyi {

class ChartConditionsEditor final : public QWidget {
  Q_OBJECT

 public:
  explicit ChartConditionsEditor(QWidget* parent = nullptr);

  ChartConditions Conditions() const;
  void SetConditions(const ChartConditions& conditions);

 private:
  struct RangeControls {
    QCheckBox* on = nullptr;
    QSpinBox* first = nullptr;
    QSpinBox* last = nullptr;
  };
  RangeControls addRange(QGridLayout* grid, int row, const char* name, const char* label, int max);
  void addDeity();

  std::array<RangeControls, 4> ranges_{};  // ju, host, guest, fixed
  QComboBox* CboDun = nullptr;
  std::array<QCheckBox*, 8> gates_{};
  std::array<QComboBox*, kConditionCount> conditions_{};
  std::array<QComboBox*, kConditionCount> palaces_{};
  std::array<QComboBox*, kCountPatternCount> patterns_{};
  QComboBox* CboDeity = nullptr;
  QComboBox* CboPosition = nullptr;
  QListWidget* LstDeities = nullptr;
};

}  // namespace taiyi

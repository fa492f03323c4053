// A titled group of radio buttons read and set by the position of the chosen item, for the
// settings that are one choice out of a short list.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace taiyi {

class RadioGroup final : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

  // Position of the checked item, −1 when none is.
  int ItemIndex() const;
  // Checks the item at index; an index outside the list clears the choice.
  void SetItemIndex(int index);
  int Count() const;

 private:
  QButtonGroup* buttons_;
};

}  // namespace taiyi

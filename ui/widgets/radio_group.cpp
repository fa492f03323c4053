#include "ui/widgets/radio_group.h"

#include <QAbstractButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace taiyi {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_->addButton(button, i);
    layout->addWidget(button);
  }
}

int RadioGroup::ItemIndex() const {
  return buttons_->checkedId();
}

int RadioGroup::Count() const {
  return static_cast<int>(buttons_->buttons().size());
}

void RadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index)) {
    button->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; lift that while clearing.
  buttons_->setExclusive(false);
  for (QAbstractButton* button : buttons_->buttons()) button->setChecked(false);
  buttons_->setExclusive(true);
}

}  // namespace taiyi

#include "ui/widgets/up_down.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace taiyi {

UpDown::UpDown(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
  setRange(minimum, maximum);
  setWrapping(false);
  setFrame(false);
  lineEdit()->hide();
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void UpDown::SetPosition(int position) {
  const QSignalBlocker blocker(this);
  setValue(position);
}

QSize UpDown::sizeHint() const {
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
  const int width = up.width() > 0 ? up.width() : 16;
  return QSize(width + 2, QSpinBox::sizeHint().height());
}

}  // namespace taiyi

// Up/down arrows beside an edit: a spin box that shows only its arrows and holds a position
// within a range, for windows whose edit text and arrow position are kept apart.
#pragma once

#include <QSpinBox>

namespace taiyi {

class UpDown final : public QSpinBox {
  Q_OBJECT

 public:
  UpDown(int minimum, int maximum, QWidget* parent = nullptr);

  int Position() const { return value(); }
  // Moves the arrows' position without reporting a click.
  void SetPosition(int position);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
};

}  // namespace taiyi

// The program's style: the platform's own, with tooltips that show 250 ms after the pointer
// comes to rest on a control (and so come back quickly when it moves on to the next).
#pragma once

#include <QProxyStyle>

namespace taiyi {

inline constexpr int kToolTipDelayMs = 250;

class ToolTipStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace taiyi

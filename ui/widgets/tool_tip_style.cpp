#include "ui/widgets/tool_tip_style.h"

namespace taiyi {

int ToolTipStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
  if (hint == SH_ToolTip_WakeUpDelay) return kToolTipDelayMs;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace taiyi

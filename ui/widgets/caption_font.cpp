#include "ui/widgets/caption_font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>

#include "store/case_caption.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {

QString CaptionFontFamily() {
  for (const char* family : {"Noto Sans Mono CJK SC", "Noto Sans Mono CJK TC",
                             "WenQuanYi Zen Hei Mono", "Sarasa Mono SC"}) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(family))) return QString::fromLatin1(family);
  }
  return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

void SetCaseCaptionFont(QTreeView& tree) {
  QFont font = tree.font();
  font.setFamily(CaptionFontFamily());
  font.setStyleHint(QFont::TypeWriter);
  tree.setFont(font);
  // One column as wide as its longest caption: the tree scrolls sideways instead of cutting.
  tree.header()->setStretchLastSection(false);
  tree.header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tree.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int CaseTreeWidthForCaptions(const QTreeView& tree) {
  TRecordData sample;
  sample.SetName("张三");
  sample.year = 2004;
  sample.month = 11;
  sample.day = 26;
  sample.hour = 23;
  sample.minute = 58;
  sample.lunar = true;
  sample.leapMonth = true;
  const int text = QFontMetrics(tree.font()).horizontalAdvance(ToQString(CaseCaption(sample)));
  const QStyle* style = tree.style();
  const int icon = tree.iconSize().isValid() ? tree.iconSize().width()
                                             : style->pixelMetric(QStyle::PM_SmallIconSize);
  const int scrollBar = style->pixelMetric(QStyle::PM_ScrollBarExtent);
  // Margins around the icon and the text and the frame on both sides.
  const int margins =
      4 * style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 2 * tree.frameWidth() + 12;
  return tree.indentation() + icon + text + scrollBar + margins;
}

}  // namespace taiyi

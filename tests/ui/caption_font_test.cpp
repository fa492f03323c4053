#include "ui/widgets/caption_font.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

#include "store/case_caption.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {
namespace {

TRecordData Case(const char* name, bool lunar) {
  TRecordData r;
  r.SetName(name);
  r.year = 1985;
  r.month = 3;
  r.day = 7;
  r.hour = 9;
  r.minute = 5;
  r.lunar = lunar;
  return r;
}

TEST(CaptionFont, TheCaptionsColumnsLineUp) {
  QTreeWidget tree;
  SetCaseCaptionFont(tree);
  const QFontMetricsF metrics(tree.font());
  // Names of two to eight columns: the text after the padded name starts at one place.
  double start = -1;
  for (const char* name : {"张三", "欧阳修文", "Tom", "李", "ab张c", "司马相如"}) {
    for (const bool lunar : {false, true}) {
      const QString caption = ToQString(CaseCaption(Case(name, lunar)));
      const qsizetype mark = caption.indexOf(ToQString(lunar ? "  农" : "  公"));
      ASSERT_GT(mark, 0) << name;
      const double at = metrics.horizontalAdvance(caption.left(mark));
      if (start < 0) start = at;
      EXPECT_NEAR(at, start, 0.01) << name;
      // The moment's columns line up too.
      EXPECT_NEAR(metrics.horizontalAdvance(caption),
                  metrics.horizontalAdvance(ToQString(CaseCaption(Case("张三", lunar)))), 0.01)
          << name;
    }
  }
}

TEST(CaptionFont, ALongCaptionScrollsInsteadOfBeingCut) {
  QTreeWidget tree;
  tree.header()->hide();
  SetCaseCaptionFont(tree);
  auto* category = new QTreeWidgetItem(&tree, {QStringLiteral("家人")});
  const QString caption = ToQString(CaseCaption(Case("张三", true)));
  new QTreeWidgetItem(category, {caption});
  tree.expandAll();
  tree.resize(120, 200);
  tree.show();
  QApplication::processEvents();
  EXPECT_GE(tree.header()->sectionSize(0),
            QFontMetrics(tree.font()).horizontalAdvance(caption) + tree.indentation());
  EXPECT_GT(tree.horizontalScrollBar()->maximum(), 0);
  // At the width for captions nothing needs scrolling.
  tree.resize(CaseTreeWidthForCaptions(tree), 200);
  QApplication::processEvents();
  EXPECT_EQ(tree.horizontalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace taiyi

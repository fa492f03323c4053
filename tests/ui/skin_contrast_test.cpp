// Every window under every shipped skin (and with no skin) is shown offscreen and each control
// that shows text is checked: its text colour, as the style sheet leaves it in the control's
// palette, against the background really painted under it (the commonest colour of its area in
// the window's picture) must reach the contrast ratio 4.5 : 1 that WCAG asks of text.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>
#include <functional>
#include <memory>

#include "platform/file_util.h"
#include "store/case_search.h"
#include "store/record_base.h"
#include "support/temp_dir.h"
#include "ui/archive/export_class_dialog.h"
#include "ui/case_tree/category_chooser.h"
#include "ui/case_tree/category_editor.h"
#include "ui/case_tree/same_name_dialog.h"
#include "ui/case_tree/search_window.h"
#include "ui/main_window/flow_time_dialog.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/skin_menu.h"
#include "ui/tools/about_window.h"
#include "ui/tools/calendar_window.h"
#include "ui/tools/help_window.h"
#include "ui/tools/places_window.h"
#include "ui/tools/reverse_pillars_window.h"
#include "ui/tools/select_window.h"
#include "ui/tools/settings_dialog.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

constexpr double kLeastContrast = 4.5;

double Luminance(const QColor& colour) {
  const auto channel = [](double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Contrast, FollowsTheWcagFormula) {
  EXPECT_NEAR(Contrast(Qt::black, Qt::white), 21.0, 1e-9);
  EXPECT_NEAR(Contrast(QColor(0xe8, 0xe8, 0xe8), Qt::white), 1.23, 0.01);
  EXPECT_NEAR(Contrast(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
  EXPECT_NEAR(Contrast(Qt::blue, QColor(0x1f, 0x23, 0x26)), 1.84, 0.01);
}

// The commonest colour along the edges of the rectangle of the picture: the background the
// text inside is drawn on.  The edges, because text seldom reaches them, while inside a
// button's gradient the one colour of the text can outnumber each shade of the background.
QColor BackgroundOf(const QImage& picture, const QRect& rect) {
  QHash<QRgb, int> counts;
  const QRect area = rect.intersected(picture.rect());
  for (int x = area.left(); x <= area.right(); ++x) {
    ++counts[picture.pixel(x, area.top())];
    ++counts[picture.pixel(x, area.bottom())];
  }
  for (int y = area.top() + 1; y < area.bottom(); ++y) {
    ++counts[picture.pixel(area.left(), y)];
    ++counts[picture.pixel(area.right(), y)];
  }
  QRgb best = 0;
  int most = -1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > most) {
      most = it.value();
      best = it.key();
    }
  }
  return QColor::fromRgb(best);
}

// One control's text: the colour it is painted with and the area of the window around it.
struct Text {
  QColor colour;
  QRect area;  // in window coordinates
  QString what;
};

QString Describe(const QWidget* w, const QString& text) {
  return QString::fromLatin1(w->metaObject()->className()) + " '" + w->objectName() + "' \"" +
         text.left(16) + "\"";
}

// The visible part of a rectangle of w (w's coordinates, shrunk past its frame) in the
// coordinates of the window.
QRect InWindow(const QWidget* w, QRect rect, int inset) {
  rect = rect.adjusted(inset, inset, -inset, -inset) & w->visibleRegion().boundingRect();
  if (rect.isEmpty()) return {};
  return QRect(w->mapTo(w->window(), rect.topLeft()), rect.size());
}

// The texts of one control, with the palette role each is painted with.  selection: whether
// the colours of chosen lines count too (they are the platform's own without a skin).
void TextsOf(QWidget* w, std::vector<Text>& texts, bool selection) {
  const QPalette& p = w->palette();
  const auto add = [&](QPalette::ColorRole role, const QRect& rect, int inset,
                       const QString& text) {
    const QRect area = InWindow(w, rect, inset);
    if (!area.isEmpty())
      texts.push_back({p.color(QPalette::Active, role), area, Describe(w, text)});
  };
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (!label->text().isEmpty())
      add(QPalette::WindowText, label->contentsRect(), 0, label->text());
    if (label->text().contains(QStringLiteral("<a ")))
      add(QPalette::Link, label->contentsRect(), 0, label->text());
  } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
    const auto* button = static_cast<QAbstractButton*>(w);
    if (!button->text().isEmpty()) add(QPalette::WindowText, w->rect(), 0, button->text());
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    if (!button->text().isEmpty()) add(QPalette::ButtonText, w->rect(), 3, button->text());
  } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
    if (!box->title().isEmpty()) {
      add(QPalette::WindowText, QRect(0, 0, w->width(), w->fontMetrics().height()), 0,
          box->title());
    }
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    add(QPalette::Text, w->rect(), 3, edit->text());
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    // An editable list shows its text in its own line edit.
    if (!combo->isEditable()) add(QPalette::ButtonText, w->rect(), 3, combo->currentText());
  } else if (qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
             qobject_cast<QAbstractItemView*>(w)) {
    auto* area = static_cast<QAbstractScrollArea*>(w);
    QWidget* viewport = area->viewport();
    const QRect rect(viewport->mapTo(w, QPoint(0, 0)), viewport->size());
    add(QPalette::Text, rect, 0, QString());
    auto* view = qobject_cast<QAbstractItemView*>(w);
    if (view != nullptr && selection) {
      // Chosen lines are painted in the highlight colours.
      const QColor highlight = view->palette().color(QPalette::Active, QPalette::Highlight);
      texts.push_back({view->palette().color(QPalette::Active, QPalette::HighlightedText), QRect(),
                       Describe(w, "selected") + "|" + highlight.name()});
    }
  } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
    for (int i = 0; i < bar->count(); ++i)
      add(QPalette::WindowText, bar->tabRect(i), 3, bar->tabText(i));
  } else if (qobject_cast<QMenuBar*>(w)) {
    add(QPalette::ButtonText, w->rect(), 0, QStringLiteral("menu bar"));
  }
}

// Every text of the shown window whose contrast with its background is below the least.
std::vector<std::string> PoorTexts(QWidget* window, bool selection = true) {
  window->resize(window->size().expandedTo(QSize(1000, 700)));
  window->show();
  QApplication::processEvents();
  const QImage picture = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  std::vector<Text> texts;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->isVisible() && w->isEnabled()) TextsOf(w, texts, selection);
  }
  // Menus are not open; their palettes hold the colours they open with.
  for (QMenu* menu : window->findChildren<QMenu*>()) {
    menu->ensurePolished();
    const QPalette& p = menu->palette();
    texts.push_back(
        {p.color(QPalette::Active, QPalette::WindowText), QRect(),
         Describe(menu, menu->title()) + "|" + p.color(QPalette::Active, QPalette::Window).name()});
  }
  std::vector<std::string> poor;
  for (const Text& t : texts) {
    QString what = t.what;
    QColor background;
    if (t.area.isNull()) {
      const qsizetype bar = what.lastIndexOf('|');
      background = QColor(what.mid(bar + 1));
      what.truncate(bar);
    } else {
      background = BackgroundOf(picture, t.area);
    }
    const double ratio = Contrast(t.colour, background);
    if (ratio < kLeastContrast) {
      poor.push_back(ToStdString(what + " " + t.colour.name() + " on " + background.name() + " = " +
                                 QString::number(ratio, 'f', 2)));
    }
  }
  window->hide();
  return poor;
}

// Every shown list narrower than it asks to be: a skin's padding or arrow would cut its text
// ("福建…").  The list asks for the width of its longest line, the arrow and the skin's room.
std::vector<std::string> CutLists(QWidget* window) {
  std::vector<std::string> cut;
  for (QComboBox* list : window->findChildren<QComboBox*>()) {
    if (!list->isVisible() || list->isEditable()) continue;
    const int wanted = list->sizeHint().width();
    if (list->width() < wanted) {
      cut.push_back(ToStdString(Describe(list, list->currentText()) + " " +
                                QString::number(list->width()) + " < " + QString::number(wanted)));
    }
  }
  return cut;
}

TEST(PoorTexts, FindsLightTextOnALightBackground) {
  QWidget window;
  auto* label = new QLabel(QStringLiteral("公历"), &window);
  label->setObjectName("LabLight");
  label->setGeometry(10, 10, 100, 30);
  auto* edit = new QLineEdit(QStringLiteral("张三"), &window);
  edit->setGeometry(10, 50, 100, 30);
  window.setStyleSheet(
      QStringLiteral("QWidget { background: white; color: #e8e8e8; }"
                     "QLineEdit { background: #202020; }"));
  const std::vector<std::string> poor = PoorTexts(&window);
  ASSERT_EQ(poor.size(), 1u);
  EXPECT_NE(poor[0].find("LabLight"), std::string::npos) << poor[0];
  EXPECT_NE(poor[0].find("#e8e8e8 on #ffffff"), std::string::npos) << poor[0];
}

std::string SourceSkins() {
  return std::string(TAIYI_SOURCE_DAT_DIR) + "/../skins/";
}

// The skins shipped with the program, by file name, and "" for no skin.
std::vector<std::string> Skins() {
  std::vector<std::string> skins{""};
  for (const std::string& name : ListFiles(SourceSkins(), "*.skn", false)) skins.push_back(name);
  return skins;
}

class SkinContrastTest : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    AppFolderInputs in;
    in.dataDirOption = dir_.path();
    in.shippedDir = std::string(TAIYI_SOURCE_DAT_DIR) + "/../";
    std::string error;
    ASSERT_TRUE(PrepareAppFolder(in, folder_, error)) << error;
    ASSERT_EQ(store_.Open(folder_.Dat() + "TaiYi.db", folder_.root, false), 0);
    // The main window puts on the skin of its last run.
    std::string init = "[window]\r\nskined=0\r\n";
    if (!GetParam().empty()) {
      std::string sheet;
      ASSERT_TRUE(ReadFile(SourceSkins() + GetParam(), sheet));
      sheet_ = ToQString(sheet);
      init =
          "[window]\r\nskined=1\r\nskinname=" + GetParam().substr(0, GetParam().find('.')) + "\r\n";
    }
    ASSERT_TRUE(WriteFileAtomic(folder_.Dat() + "init.ini", init));
  }
  void TearDown() override { qApp->setStyleSheet(QString()); }

  void Check(const char* window, QWidget* w) {
    EXPECT_EQ(qApp->styleSheet(), sheet_) << window;
    w->show();
    QApplication::processEvents();
    for (const std::string& cut : CutLists(w)) ADD_FAILURE() << window << ": " << cut;
    for (const std::string& poor : PoorTexts(w, !sheet_.isEmpty()))
      ADD_FAILURE() << window << ": " << poor;
  }

  test::TempDir dir_;
  AppFolder folder_;
  ScriptedPrompter prompter_;
  MRecordBase store_;
  MUiFont uiFont_{0, false};
  QString sheet_;
};

TEST_P(SkinContrastTest, EveryWindowKeepsItsTextReadable) {
  {
    TFrmMain main(folder_, prompter_, store_, uiFont_);
    main.show();  // starts up, skin included
    Check("main window", &main);
  }
  qApp->setStyleSheet(sheet_);
  {
    TFrmWnl calendar(prompter_, &uiFont_);
    calendar.setAttribute(Qt::WA_DeleteOnClose, false);
    calendar.Open(YiDate{2023, 12, 24, 10, 0});  // a month with 闰二月 nearby and a term
    Check("calendar", &calendar);
  }
  TFrmFanTui pillars(prompter_, &uiFont_);
  Check("reverse pillars", &pillars);
  TFrmDiLi places(uiFont_, folder_, prompter_);
  Check("places", &places);
  TFrmSetcan settings(uiFont_, folder_, prompter_);
  Check("settings", &settings);
  TFrmLiu flow(uiFont_, prompter_);
  Check("flow time", &flow);
  SearchConditions conditions;
  TFrmSearch search(store_, conditions, uiFont_, prompter_);
  Check("search", &search);
  TFrmEditClass categories(store_, uiFont_, prompter_);
  Check("category editor", &categories);
  TFrmFenLei chooser(uiFont_, prompter_);
  Check("category chooser", &chooser);
  TFrmExportClass exportClass(uiFont_, prompter_);
  Check("export categories", &exportClass);
  TFrmSameName sameName(uiFont_, prompter_);
  Check("same name", &sameName);
  TFrmTxtHelp help(uiFont_);
  Check("help", &help);
  TFrmAbout about(uiFont_, folder_);
  Check("about", &about);
  {
    TFrmSelect select(folder_.Dat() + "set.ini", prompter_, &uiFont_);
    select.setAttribute(Qt::WA_DeleteOnClose, false);
    select.Open(120.0f);
    Check("select", &select);
  }
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinContrastTest, testing::ValuesIn(Skins()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param.empty() ? std::string("NoSkin")
                                                     : info.param.substr(0, info.param.find('.'));
                         });

}  // namespace
}  // namespace taiyi

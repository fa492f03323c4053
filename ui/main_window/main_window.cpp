// The main window's layout, its start-up when first shown, its closing and the window state
// kept in dat/init.ini, and its skins.  The input panel and chart commands, the current case,
// the editors and output, and the menu with the whole-store commands live beside this file.
#include "ui/main_window/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "chart/draw/image_plus.h"
#include "store/rtf_writer.h"
#include "ui/main_window/main_window_parts.h"
#include "ui/widgets/caption_font.h"
#include "ui/widgets/program_title.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
using namespace main_window_parts;
namespace {

// What a first start on a small screen leaves the case tree and the comment editor when the
// chart page needs their room: a name's width, and two lines.
constexpr int kFirstStartLeastTree = 120;
constexpr int kFirstStartLeastComment = 48;
constexpr int kMaxTreeIds = 1000;
constexpr char kCaseCountNote[] =
    "案例总数大致：%d个，可以在树表上按鼠标右键，点击“条件查找”，然后再点“全部案例”！";

}  // namespace

TFrmMain::TFrmMain(const AppFolder& folder, Prompter& prompter, MRecordBase& store, MUiFont& uiFont,
                   QWidget* parent)
    : QMainWindow(parent),
      folder_(folder),
      prompter_(prompter),
      store_(store),
      uiFont_(uiFont),
      engine_(folder) {
  setObjectName("FrmMain");
  setWindowTitle(ToQString(kProgramTitle));

  tree_ = new QTreeView;
  tree_->setObjectName("Tree");
  tree_->header()->hide();
  tree_->setMinimumWidth(kMinTreeWidth);
  SetCaseCaptionFont(*tree_);

  pageMain_ = new QTabWidget;
  pageMain_->setObjectName("PageMain");
  pageMain_->setMinimumSize(40, 40);
  scrPic_ = new QScrollArea;
  scrPic_->setObjectName("ScrPic");
  scrPic_->setWidgetResizable(false);
  picBox_ = new QWidget;
  imgTaiYi_ = new QLabel(picBox_);
  imgTaiYi_->setObjectName("ImgTaiYi");
  scrPic_->setWidget(picBox_);
  scrPic_->viewport()->installEventFilter(this);
  pageMain_->addTab(scrPic_, ToQString("太乙盘"));
  redtDuan_ = new QTextEdit;
  redtDuan_->setObjectName("RedtDuan");
  pageMain_->addTab(redtDuan_, ToQString("太乙分析"));
  duanSink_ = std::make_unique<RichTextEditorSink>(redtDuan_);

  redtPingYu_ = new QTextEdit;
  redtPingYu_->setObjectName("RedtPingYu");
  redtPingYu_->setMinimumHeight(kMinCommentHeight);
  redtPingYu_->setAcceptRichText(true);
  {
    QFont commentFont(ResolveFontFamily(kCommentFontName));
    commentFont.setPixelSize(14);
    redtPingYu_->setFont(commentFont);
    redtPingYu_->document()->setDefaultFont(commentFont);
  }
  redtPingYu_->setPlainText(ToQString(kEmptyComment));
  redtPingYu_->document()->setModified(false);

  splitterDuan_ = new QSplitter(Qt::Vertical);
  splitterDuan_->setObjectName("SplitterDuan");
  splitterDuan_->addWidget(pageMain_);
  splitterDuan_->addWidget(redtPingYu_);
  splitterDuan_->setStretchFactor(0, 1);
  splitterDuan_->setStretchFactor(1, 0);
  splitterDuan_->setChildrenCollapsible(false);

  splitterTree_ = new QSplitter(Qt::Horizontal);
  splitterTree_->setObjectName("Splitter1");
  splitterTree_->addWidget(tree_);
  splitterTree_->addWidget(splitterDuan_);
  splitterTree_->setStretchFactor(0, 0);
  splitterTree_->setStretchFactor(1, 1);
  splitterTree_->setChildrenCollapsible(false);

  auto* central = new QWidget;
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  row->addWidget(splitterTree_, 1);
  // The panel scrolls when the window is too low for all of its controls.
  panelScroll_ = new QScrollArea;
  panelScroll_->setObjectName("ScrPanel");
  panelScroll_->setFrameShape(QFrame::NoFrame);
  panelScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  panelScroll_->setWidgetResizable(true);
  panelScroll_->setFixedWidth(kPanelWidth);
  panelScroll_->setWidget(buildInputPanel());
  row->addWidget(panelScroll_, 0);
  setCentralWidget(central);
  caseTree_ = std::make_unique<CaseTree>(tree_, store_, prompter_, uiFont_);
  connectCaseTree();
  dbCommands_ = std::make_unique<DatabaseCommands>(store_, folder_, uiFont_, prompter_, this);
  dbCommands_->SetShowProgressPage([this] { pageMain_->setCurrentIndex(0); });
  buildMenus();
  buildShortcuts();
  buildContextMenus();
  showSaveState(SaveMode::NewCase);
  resize(400, 400);

  // A blank chart until the engine sizes and draws it.
  chartImage_ = QImage(400, 400, QImage::Format_RGB32);
  chartImage_.fill(Qt::white);
}

TFrmMain::~TFrmMain() = default;

// ---------------------------------------------------------------- start-up and closing

void TFrmMain::setVisible(bool visible) {
  if (visible && !shown_) {
    shown_ = true;
    FormShow();
  }
  QMainWindow::setVisible(visible);
}

void TFrmMain::FormShow() {
  FillInputLists();
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  SetPanelToClock(2100);

  initIni_ = std::make_unique<IniFile>(folder_.Dat() + "init.ini");
  config_ = ReadWindowConfig(*initIni_);

  cbodiZ_->setCurrentIndex(config_.sheng < cbodiZ_->count() ? config_.sheng : 0);
  cbodiZClick();
  cbodiC_->setCurrentIndex(config_.shi < cbodiC_->count() ? config_.shi : 0);

  uiFont_.ScaleForm(this, {"ImgTaiYi"});
  panelWidth_ = panelScroll_->width();
  fitInputPanel();

  BuildSkinMenu();
  activateSkin_ = skinMenu_->ApplySavedSkin(config_.skined, config_.skinname);

  WindowConfig placed = config_;
  if (!placed.geometrySaved) placeOnScreen(placed);
  applyGeometry(placed);
  pendingWindowState_ = config_.state;

  engine_.Attach(duanSink_.get(), &chartImage_);
  showChartImage();

  const int opened = store_.Open(folder_.Dat() + "TaiYi.db", folder_.root, true);
  if (opened != 0) prompter_.Message(store_.LastMessage());
  caseTree_->SetDisplay(config_.showStyle, config_.sort);
  // A store that could not be opened has no cases to show (and its failure is reported once).
  if (opened >= 0) caseTree_->BuildNewestCaseTree();

  const int primaryId = store_.PrimaryId();
  if (primaryId > kMaxTreeIds) {
    char note[512];
    std::snprintf(note, sizeof note, kCaseCountNote, primaryId);
    redtPingYu_->setPlainText(redtPingYu_->toPlainText() + "\n\n" + ToQString(note));
    redtPingYu_->document()->setModified(false);
  }

  applyPendingWindowState();
  if (activateSkin_) skinEngine_.SetActive(true);
  fitInputPanel();
  // A first start shows the chart of the current moment, which the panel holds now.
  if (!config_.geometrySaved) {
    BtnpaiClick();
    // Once the window is laid out on the screen, the page's size is known.
    QTimer::singleShot(0, this, [this] { fitChartToPage(); });
  }
}

void TFrmMain::fitChartToPage() {
  // A chart size the user has chosen (and the zoom commands have saved) stays.
  if (IniFile(folder_.Dat() + "set.ini").ValueExists("chart", "fontSize")) return;
  const QSize page = scrPic_->maximumViewportSize() - QSize(6, 6);  // less the chart's margin
  int size = engine_.FontSize();
  ChartGeometry chart = engine_.Geometry();
  while (size > kMinChartFontSize && (chart.width > page.width() || chart.height > page.height()))
    chart = engine_.GeometryFor(--size);

  // Even the smallest chart is too large (a small screen): the page takes what it lacks from
  // the case tree, whose captions then scroll, and from the comment editor.  The splitters
  // may round, so the page is measured again after each step.
  for (int step = 0; step < 3; ++step) {
    const QSize now = scrPic_->maximumViewportSize() - QSize(6, 6);
    const int wider = chart.width - now.width();
    const int higher = chart.height - now.height();
    if (wider <= 0 && higher <= 0) break;
    if (wider > 0) {
      const QList<int> across = splitterTree_->sizes();
      const int tree = std::max(kFirstStartLeastTree, across.value(0) - wider);
      splitterTree_->setSizes({tree, across.value(0) + across.value(1) - tree});
    }
    if (higher > 0) {
      const QList<int> down = splitterDuan_->sizes();
      const int comment = std::max(kFirstStartLeastComment, down.value(1) - higher);
      splitterDuan_->setSizes({down.value(0) + down.value(1) - comment, comment});
    }
  }
  if (size == engine_.FontSize() || !engine_.Zoom(size - engine_.FontSize())) return;
  if (chartValid_) chartRecord(currentRecord_);  // drawn again at its new size
}

void TFrmMain::applyPendingWindowState() {
  switch (pendingWindowState_) {
    case StoredWindowState::kMaximised:
      setWindowState(Qt::WindowMaximized);
      break;
    case StoredWindowState::kMinimised:
      setWindowState(Qt::WindowMinimized);
      break;
    case StoredWindowState::kNormal:
      break;
  }
}

void TFrmMain::placeOnScreen(WindowConfig& c) const {
  const QScreen* at = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (at == nullptr) return;
  const QRect free = at->availableGeometry();
  c.width = free.width() * 4 / 5;
  c.height = free.height() * 4 / 5;
  c.left = free.x() + (free.width() - c.width) / 2;
  c.top = free.y() + (free.height() - c.height) / 2;
  c.treewid = std::max(c.treewid, CaseTreeWidthForCaptions(*tree_));
}

void TFrmMain::applyGeometry(const WindowConfig& c) {
  // Before the native window exists this places the frame's top-left corner, as pos() reads
  // it at the close.
  move(c.left, c.top);
  resize(c.width, c.height);
  SetAnalysisEditorLook(c.fname, c.fsize, c.bcolor);
  const int treeWidth = std::max(c.treewid, kMinTreeWidth);
  const int commentHeight = std::max(c.pinghei, kMinCommentHeight);
  tree_->resize(treeWidth, tree_->height());
  splitterTree_->setSizes({treeWidth, std::max(1, c.width - kPanelWidth - treeWidth)});
  splitterDuan_->setSizes({std::max(1, c.height - commentHeight), commentHeight});
  cboJuStyle_->setCurrentIndex(c.juStyle);
}

WindowConfig TFrmMain::currentConfig() const {
  WindowConfig c = config_;
  if (isMaximized()) {
    c.state = StoredWindowState::kMaximised;
  } else if (isMinimized()) {
    c.state = StoredWindowState::kMinimised;
  } else {
    c.state = StoredWindowState::kNormal;
    c.left = pos().x();
    c.top = pos().y();
    c.width = width();
    c.height = height();
  }
  c.sheng = cbodiZ_->currentIndex();
  c.shi = cbodiC_->currentIndex();
  const QList<int> across = splitterTree_->sizes();
  c.treewid = across.isEmpty() ? tree_->width() : across[0];
  const QList<int> down = splitterDuan_->sizes();
  c.pinghei = down.size() < 2 ? redtPingYu_->height() : down[1];
  c.fname = duanFontName_;
  c.fsize = duanFontSize_;
  c.bcolor = duanColour_;
  c.juStyle = cboJuStyle_->currentIndex();
  c.showStyle = caseTree_->ShowStyle();
  c.sort = caseTree_->Sort();
  return c;
}

bool TFrmMain::FormClose() {
  if (caseTree_->LoaderRunning()) {
    if (!prompter_.Question("显示案例", "是否停止显示案例？", true, QuestionIcon::Warning)) {
      prompter_.Message(kWaitForTree);
      return false;
    }
    caseTree_->RequestLoaderStop();
  }
  if (!prompter_.Question("关闭", "确定要关闭软件吗？", true)) return false;
  if (saveMode_ == SaveMode::StoredCase && redtPingYu_->document()->isModified() &&
      prompter_.Question("提示", kCommentChanged, true, QuestionIcon::Warning) &&
      saveCase() == SaveOutcome::kFailed) {
    return false;  // the changed comment stays on screen
  }
  if (initIni_ != nullptr) {
    const WindowConfig c = currentConfig();
    cityLongitudes_.clear();
    cityLatitudes_.clear();
    WriteWindowConfig(*initIni_, c);
    config_ = c;
    // The skin items write through the file closed here.
    optSkin_->clear();
    skinMenu_.reset();
    initIni_.reset();
  }
  caseTree_->StopLoader();
  return true;
}

void TFrmMain::closeEvent(QCloseEvent* event) {
  if (ending_ || FormClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TFrmMain::N6Click() {
  close();
}

// ---------------------------------------------------------------- skins

void TFrmMain::BuildSkinMenu() {
  if (initIni_ == nullptr) initIni_ = std::make_unique<IniFile>(folder_.Dat() + "init.ini");
  skinMenu_ = std::make_unique<SkinMenu>(optSkin_, folder_, *initIni_, prompter_, skinEngine_);
  skinMenu_->BuildSkinMenu();
}

void TFrmMain::SkinItemClick(QAction* item) {
  if (skinMenu_ != nullptr) skinMenu_->SkinItemClick(item);
}

}  // namespace taiyi

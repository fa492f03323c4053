#include "ui/main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "chart/draw/chart_image_file.h"
#include "chart/draw/image_plus.h"
#include "chart/places.h"
#include "platform/clean_name.h"
#include "platform/file_util.h"
#include "store/case_actions.h"
#include "store/case_caption.h"
#include "store/rtf_writer.h"
#include "ui/calendar_window.h"
#include "ui/category_chooser.h"
#include "ui/category_editor.h"
#include "ui/comment_output.h"
#include "ui/editor_rtf.h"
#include "ui/flow_time_dialog.h"
#include "ui/help_window.h"
#include "ui/input_panel_texts.h"
#include "ui/places_window.h"
#include "ui/program_title.h"
#include "ui/qt_prompter.h"
#include "ui/reverse_pillars_window.h"
#include "ui/settings_dialog.h"
#include "ui/ui_font.h"
#include "ui/up_down.h"

namespace taiyi {
namespace {

constexpr int kPanelWidth = 105;
constexpr int kMaxTreeIds = 1000;
constexpr char kNeedChartToSave[] = "请先排一个正确的盘后再保存";
constexpr char kWaitForTree[] = "请等待案例加载完毕！";
constexpr char kCommentChanged[] = "当前评语文本已改变，要保存吗？";
constexpr char kSaved[] = "已保存！";
constexpr char kSetDone[] = "设置完成";
constexpr char kPrintQuestion[] = "准备开始打印吗?";
constexpr char kCaseCountNote[] =
    "案例总数大致：%d个，可以在树表上按鼠标右键，点击“条件查找”，然后再点“全部案例”！";

QComboBox* MakeList(QWidget* parent, const char* name, int visibleRows) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setMaxVisibleItems(visibleRows);
  return list;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
  QAction* item = menu->addAction(ToQString(caption));
  item->setObjectName(name);
  return item;
}

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

  tree_ = new QTreeWidget;
  tree_->setObjectName("Tree");
  tree_->header()->hide();
  tree_->setMinimumWidth(kMinTreeWidth);

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
  auto* panelScroll = new QScrollArea;
  panelScroll->setObjectName("ScrPanel");
  panelScroll->setFrameShape(QFrame::NoFrame);
  panelScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  panelScroll->setWidgetResizable(true);
  panelScroll->setFixedWidth(kPanelWidth);
  panelScroll->setWidget(buildInputPanel());
  row->addWidget(panelScroll, 0);
  setCentralWidget(central);
  caseTree_ = std::make_unique<CaseTree>(tree_, store_, prompter_, uiFont_);
  connectCaseTree();
  dbCommands_ = std::make_unique<DatabaseCommands>(store_, folder_, uiFont_, prompter_, this);
  dbCommands_->SetShowProgressPage([this] { pageMain_->setCurrentIndex(0); });
  dbCommands_->SetProgress([this](const std::string& line) {
    redtPingYu_->setPlainText(ToQString(line));
    redtPingYu_->repaint();
  });
  buildMenus();
  buildContextMenus();
  showSaveState(SaveMode::NewCase);
  resize(400, 400);

  // A blank chart until the engine sizes and draws it.
  chartImage_ = QImage(400, 400, QImage::Format_RGB32);
  chartImage_.fill(Qt::white);
}

TFrmMain::~TFrmMain() = default;

QWidget* TFrmMain::buildInputPanel() {
  auto* panel = new QWidget;
  panel->setObjectName("PanelInput");
  panel->setMinimumWidth(kPanelWidth - 16);
  auto* col = new QVBoxLayout(panel);
  col->setContentsMargins(3, 3, 3, 3);
  col->setSpacing(3);
  auto addRow = [col](std::initializer_list<QWidget*> widgets) {
    auto* line = new QHBoxLayout;
    line->setSpacing(2);
    for (QWidget* w : widgets) line->addWidget(w, w->maximumWidth() >= QWIDGETSIZE_MAX ? 1 : 0);
    col->addLayout(line);
  };

  btoNew_ = new QPushButton(ToQString("新建"), panel);
  btoNew_->setObjectName("BtoNew");
  btoNew_->setToolTip(ToQString("新建命例"));
  sbtoNow_ = new QToolButton(panel);
  sbtoNow_->setObjectName("SbtoNow");
  sbtoNow_->setToolTip(ToQString("现在时间"));
  sbtoNow_->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  sbtoNow_->setAutoRaise(true);
  addRow({btoNew_, sbtoNow_});

  edtYear_ = new QLineEdit(ToQString("2004"), panel);
  edtYear_->setObjectName("EdtYear");
  edtYear_->setMaxLength(5);
  QFont bold = edtYear_->font();
  bold.setBold(true);
  edtYear_->setFont(bold);
  upDyear_ = new UpDown(-4712, 9999, panel);
  upDyear_->setObjectName("UpDyear");
  upDyear_->SetPosition(2004);
  addRow({edtYear_, upDyear_});

  cbom_ = MakeList(panel, "cbom", 12);
  cbod_ = MakeList(panel, "cbod", 20);
  cbos_ = MakeList(panel, "cbos", 12);
  cbomin_ = MakeList(panel, "cbomin", 12);
  for (QComboBox* list : {cbom_, cbod_, cbos_, cbomin_}) addRow({list});

  rdogl_ = new QRadioButton(ToQString("公历"), panel);
  rdogl_->setObjectName("Rdogl");
  rdonl_ = new QRadioButton(ToQString("农历"), panel);
  rdonl_->setObjectName("Rdonl");
  rdogl_->setChecked(true);
  auto* calendarGroup = new QButtonGroup(panel);
  calendarGroup->addButton(rdogl_);
  calendarGroup->addButton(rdonl_);
  addRow({rdogl_, rdonl_});
  chkrun_ = new QCheckBox(ToQString("农历闰月"), panel);
  chkrun_->setObjectName("Chkrun");
  chkrun_->setToolTip(ToQString("是否农历闰月"));
  addRow({chkrun_});

  cbodiZ_ = MakeList(panel, "cbodiZ", 20);
  speedButton1_ = new QToolButton(panel);
  speedButton1_->setObjectName("SpeedButton1");
  speedButton1_->setText(">");
  speedButton1_->setToolTip(ToQString("输入县市名"));
  speedButton1_->setAutoRaise(true);
  addRow({cbodiZ_, speedButton1_});
  cbodiC_ = MakeList(panel, "cbodiC", 20);
  cbodiC_->setToolTip(ToQString("选择邻近城市"));
  addRow({cbodiC_});

  rdona_ = new QRadioButton(ToQString("男"), panel);
  rdona_->setObjectName("Rdona");
  rdonv_ = new QRadioButton(ToQString("女"), panel);
  rdonv_->setObjectName("Rdonv");
  rdona_->setChecked(true);
  auto* sexGroup = new QButtonGroup(panel);
  sexGroup->addButton(rdona_);
  sexGroup->addButton(rdonv_);
  addRow({rdona_, rdonv_});

  auto* nameLabel = new QLabel(ToQString("姓名"), panel);
  nameLabel->setObjectName("LabName");
  col->addWidget(nameLabel);
  edtName_ = new QLineEdit(ToQString("某人"), panel);
  edtName_->setObjectName("EdtName");
  nameLabel->setBuddy(edtName_);
  addRow({edtName_});

  cboJuStyle_ = MakeList(panel, "CboJuStyle", 5);
  for (const char* kind : {"命局", "年局", "月局", "日局", "时局"})
    cboJuStyle_->addItem(ToQString(kind));
  // Blue and bold under every skin: the widget's own style sheet goes before the skin's.
  cboJuStyle_->setStyleSheet("QComboBox { color: blue; font-weight: bold; }");
  addRow({cboJuStyle_});

  sbtoSave_ = new QPushButton(ToQString("存新"), panel);
  sbtoSave_->setObjectName("SbtoSave");
  sbtoSave_->setToolTip(ToQString("保存命例"));
  sbtoSave_->setFlat(true);
  addRow({sbtoSave_});
  btnpai_ = new QPushButton(ToQString("排盘"), panel);
  btnpai_->setObjectName("Btnpai");
  btnpai_->setDefault(true);
  addRow({btnpai_});

  struct Step {
    const char* name;
    const char* caption;
    double hours;
  };
  const Step steps[] = {{"SpeedButton2", "日--", -24},
                        {"SpeedButton3", "日++", 24},
                        {"SpeedButton4", "时--", -2},
                        {"SpeedButton5", "时++", 2}};
  std::vector<QPushButton*> stepButtons;
  for (const Step& step : steps) {
    auto* button = new QPushButton(ToQString(step.caption), panel);
    button->setObjectName(step.name);
    const double hours = step.hours;
    connect(button, &QPushButton::clicked, this, [this, hours] { StepFlowMoment(hours); });
    stepButtons.push_back(button);
  }
  addRow({stepButtons[0], stepButtons[1]});
  addRow({stepButtons[2], stepButtons[3]});

  cboLiuJu_ = MakeList(panel, "CboLiuJu", 4);
  cboLiuJu_->setToolTip(ToQString("流年盘局"));
  for (const char* kind : {"年", "月", "日", "时"}) cboLiuJu_->addItem(ToQString(kind));
  sbtoZwLiu_ = new QPushButton(ToQString("流年"), panel);
  sbtoZwLiu_->setObjectName("SbtoZw_liu");
  addRow({cboLiuJu_, sbtoZwLiu_});
  col->addStretch(1);

  connect(sbtoNow_, &QToolButton::clicked, this, [this] { SbtoNowClick(); });
  connect(upDyear_, &QSpinBox::valueChanged, this, [this] { UpDyearClick(); });
  connect(cbodiZ_, &QComboBox::activated, this, [this] { cbodiZClick(); });
  connect(speedButton1_, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  connect(btnpai_, &QPushButton::clicked, this, [this] { BtnpaiClick(); });
  connect(btoNew_, &QPushButton::clicked, this, [this] { BtoNewClick(); });
  connect(sbtoSave_, &QPushButton::clicked, this, [this] { SbtoSaveClick(); });
  connect(cboLiuJu_, &QComboBox::activated, this, [this] { CboLiuJuClick(); });
  connect(sbtoZwLiu_, &QPushButton::clicked, this, [this] { SbtoZw_liuClick(); });
  return panel;
}

void TFrmMain::buildMenus() {
  QMenu* file = menuBar()->addMenu(ToQString("文件(&F)"));
  file->setObjectName("MnuFile");
  connect(AddItem(file, "N9", "保存案例"), &QAction::triggered, this, [this] { N9Click(); });
  file->addSeparator();
  connect(AddItem(file, "N1", "还原案例数据"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::N1Click); });
  connect(AddItem(file, "N7", "备份案例数据"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::N7Click); });
  connect(AddItem(file, "N2", "删除案例数据"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::N2Click); });
  connect(AddItem(file, "N17", "整理数据"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::N17Click); });
  QMenu* transfer = file->addMenu(ToQString("导入导出"));
  transfer->setObjectName("N18");
  connect(AddItem(transfer, "db1", "添加db文件"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::db1Click); });
  transfer->addSeparator();
  connect(AddItem(transfer, "db2", "导出db文件"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::db2Click); });
  file->addSeparator();
  connect(AddItem(file, "N6", "退出程序"), &QAction::triggered, this, [this] { N6Click(); });

  QMenu* tools = menuBar()->addMenu(ToQString("辅助工具(&T)"));
  tools->setObjectName("MnuTools");
  connect(AddItem(tools, "N3", "反推八字"), &QAction::triggered, this, [this] { N3Click(); });
  connect(AddItem(tools, "mnuT_dili", "经纬度设置"), &QAction::triggered, this,
          [this] { mnuT_diliClick(); });
  connect(AddItem(tools, "mnuT_wnl", "万年历"), &QAction::triggered, this,
          [this] { mnuT_wnlClick(); });

  QMenu* options = menuBar()->addMenu(ToQString("选项(&O)"));
  options->setObjectName("MnuOptions");
  QMenu* editorLook = options->addMenu(ToQString("命稿设置"));
  editorLook->setObjectName("N11");
  connect(AddItem(editorLook, "N12", "默认"), &QAction::triggered, this, [this] { N12Click(); });
  connect(AddItem(editorLook, "N13", "字体设置"), &QAction::triggered, this,
          [this] { N13Click(); });
  connect(AddItem(editorLook, "N14", "背景色设置"), &QAction::triggered, this,
          [this] { N14Click(); });
  connect(AddItem(options, "Omnusetcan", "排盘设置"), &QAction::triggered, this,
          [this] { OmnusetcanClick(); });
  options->addSeparator();
  optSkin_ = options->addMenu(ToQString("界面风格"));
  optSkin_->setObjectName("Opt_Skin");
  QAction* zoomIn = AddItem(options, "N15", "放大星盘");
  zoomIn->setShortcut(QKeySequence("Ctrl+D"));
  connect(zoomIn, &QAction::triggered, this, [this] { N15Click(); });
  QAction* zoomOut = AddItem(options, "N16", "缩小星盘");
  zoomOut->setShortcut(QKeySequence("Ctrl+X"));
  connect(zoomOut, &QAction::triggered, this, [this] { N16Click(); });

  QMenu* help = menuBar()->addMenu(ToQString("帮助(&H)"));
  help->setObjectName("MnuHelp");
  connect(AddItem(help, "mnuH_help", "软件帮助"), &QAction::triggered, this,
          [this] { mnuH_helpClick(); });
}

// ---------------------------------------------------------------- start-up and closing

void TFrmMain::showEvent(QShowEvent* event) {
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
  QMainWindow::showEvent(event);
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

  BuildSkinMenu();
  activateSkin_ = skinMenu_->ApplySavedSkin(config_.skined, config_.skinname);

  applyGeometry(config_);
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

void TFrmMain::applyGeometry(const WindowConfig& c) {
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

void TFrmMain::SetAnalysisEditorLook(const std::string& fontName, int pointSize,
                                     Colour background) {
  duanFontName_ = fontName;
  duanFontSize_ = pointSize;
  duanColour_ = background;
  QFont font(ResolveFontFamily(fontName));
  font.setPointSize(pointSize);
  redtDuan_->setFont(font);
  redtDuan_->document()->setDefaultFont(font);
  QPalette colours = redtDuan_->palette();
  colours.setColor(QPalette::Base, ToQColor(background));
  redtDuan_->setPalette(colours);
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
    if (!prompter_.Question("显示案例", "是否停止显示案例？", true)) {
      prompter_.Message(kWaitForTree);
      return false;
    }
    caseTree_->RequestLoaderStop();
  }
  if (!prompter_.Question("关闭", "确定要关闭软件吗？", true)) return false;
  if (saveMode_ == SaveMode::StoredCase && redtPingYu_->document()->isModified() &&
      prompter_.Question("提示", kCommentChanged, true) && saveCase() == SaveOutcome::kFailed) {
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

// ---------------------------------------------------------------- input panel

void TFrmMain::FillInputLists() {
  cbom_->clear();
  for (int m = 1; m <= 12; ++m) cbom_->addItem(ToQString(NumberRowText(m, "月")));
  cbod_->clear();
  for (int d = 1; d <= 31; ++d) cbod_->addItem(ToQString(NumberRowText(d, "日")));
  cbos_->clear();
  for (int h = 0; h < 24; ++h) cbos_->addItem(ToQString(HourRowText(h)));
  cbomin_->clear();
  for (int m = 0; m < 60; ++m) cbomin_->addItem(ToQString(NumberRowText(m, "分")));
  cbodiZ_->clear();
  for (std::string_view group : kProvinces) cbodiZ_->addItem(ToQString(group));
}

void TFrmMain::SetPanelToClock(int maxYear) {
  const QDateTime now = QDateTime::currentDateTime();
  const int year = std::min(now.date().year(), maxYear);
  upDyear_->SetPosition(year);
  edtYear_->setText(QString::number(year));
  cbom_->setCurrentIndex(now.date().month() - 1);
  cbod_->setCurrentIndex(now.date().day() - 1);
  cbos_->setCurrentIndex(now.time().hour());
  cbomin_->setCurrentIndex(now.time().minute());
}

void TFrmMain::SbtoNowClick() {
  SetPanelToClock(9999);
  rdogl_->setChecked(true);
  chkrun_->setChecked(false);
}

void TFrmMain::UpDyearClick() {
  edtYear_->setText(QString::number(TypedYearOf(upDyear_->Position())));
}

void TFrmMain::cbodiZClick() {
  const int group = cbodiZ_->currentIndex();
  if (group < 0) return;
  cbodiC_->clear();
  cityLongitudes_.clear();
  cityLatitudes_.clear();
  const std::string groupText = ToStdString(cbodiZ_->currentText());
  PlaceTable places(folder_.Dat() + "dili.ini");
  for (const std::string& city : places.CitiesOf(groupText)) {
    Coordinates at;  // a malformed value of the places file stands for 120° E, 30° N
    places.CoordinatesOf(groupText, city, at);
    cbodiC_->addItem(ToQString(city));
    cityLongitudes_.push_back(at.longitude);
    cityLatitudes_.push_back(at.latitude);
  }
  cbodiC_->setCurrentIndex(cbodiC_->count() > 0 ? 0 : -1);
}

void TFrmMain::SpeedButton1Click() {
  std::string text;
  if (!prompter_.InputText("输入", "输入县、市、区名：", text) || text.empty()) return;
  std::vector<std::string> rows;
  for (int i = 0; i < cbodiC_->count(); ++i) rows.push_back(ToStdString(cbodiC_->itemText(i)));
  const int row = FindCityRow(rows, text);
  if (row >= 0) cbodiC_->setCurrentIndex(row);
}

void TFrmMain::BtnpaiClick() {
  chartValid_ = false;
  const CleanedName name = CleanName(ToStdString(edtName_->text().trimmed()), kPanelNameChars);
  if (name.changed) {
    prompter_.Message(kNameCleanedText);
    edtName_->setText(ToQString(name.text));
  }
  const std::optional<int> year = StoredYearOf(ParseTypedYear(ToStdString(edtYear_->text())));
  if (!year) {
    prompter_.Warning(kYearErrorTitle, kYearErrorText);
    edtYear_->setFocus();
    return;
  }
  upDyear_->SetPosition(*year);

  ChartRequest& r = currentRecord_;
  r.kind = static_cast<ChartKind>(std::clamp(cboJuStyle_->currentIndex(), 0, kChartKindCount - 1));
  r.SetName(name.text);
  r.year = static_cast<int16_t>(*year);
  r.month = static_cast<int16_t>(cbom_->currentIndex() + 1);
  r.day = static_cast<int16_t>(cbod_->currentIndex() + 1);
  r.hour = static_cast<int16_t>(cbos_->currentIndex());
  r.minute = static_cast<int16_t>(cbomin_->currentIndex());
  r.lunar = rdonl_->isChecked();
  r.leapMonth = chkrun_->isChecked();
  r.male = rdona_->isChecked();
  r.provinceIndex = static_cast<int16_t>(cbodiZ_->currentIndex());
  const int city = cbodiC_->currentIndex();
  r.cityIndex = static_cast<int16_t>(city);
  const bool unknownPlace = r.provinceIndex == static_cast<int>(kProvinces.size()) - 1;
  if (city >= 0 && city < static_cast<int>(cityLongitudes_.size())) {
    r.longitude = cityLongitudes_[city];
    r.latitude = cityLatitudes_[city];
    r.SetPlace(unknownPlace ? std::string(kUnknownPlace)
                            : ToStdString(cbodiZ_->currentText() + "-" + cbodiC_->currentText()));
  } else {
    // A group without cities: the unknown place.
    const Coordinates unknown;
    r.longitude = unknown.longitude;
    r.latitude = unknown.latitude;
    r.SetPlace(kUnknownPlace);
  }

  chartRecord(r);
}

bool TFrmMain::chartRecord(const ChartRequest& r) {
  engine_.SetEditorFont({duanFontName_, duanFontSize_});
  if (!engine_.MakeChart(r)) {
    prompter_.Error("错误", engine_.LastError());
    return false;
  }
  chartValid_ = true;
  pageMain_->setCurrentIndex(0);
  flowMoment_ = engine_.ClockJulianDay();
  engine_.GetPillars(lastPillars_.data());
  showChartImage();
  return true;
}

// ---------------------------------------------------------------- flow charts

bool TFrmMain::lifeChartShown() {
  if (chartValid_ && currentRecord_.kind == ChartKind::kLife) return true;
  prompter_.Information("提示", kNeedLifeChart);
  return false;
}

void TFrmMain::ComputeFlowChart() {
  if (!lifeChartShown()) return;
  if (!engine_.MakeFlowChart(flowMoment_, cboLiuJu_->currentIndex() + 1, true)) {
    prompter_.Error("错误", engine_.LastError());
    return;
  }
  if (pageMain_->currentIndex() != 0) pageMain_->setCurrentIndex(0);
  showChartImage();
}

void TFrmMain::CboLiuJuClick() {
  ComputeFlowChart();
}

void TFrmMain::SbtoZw_liuClick() {
  if (!lifeChartShown()) return;
  TFrmLiu dialog(uiFont_, prompter_, this);
  dialog.Load(flowMoment_);
  if (dialog.exec() != QDialog::Accepted) return;
  flowMoment_ = dialog.FlowJulianDay();
  ComputeFlowChart();
}

void TFrmMain::StepFlowMoment(double hours) {
  if (!lifeChartShown()) return;
  YiDate moment;
  dates_.FromJulianDay(flowMoment_ + hours / 24.0 + 3.0 / 86400.0, moment);
  // Stored years run from -4712 (4713 BC) to 9999; year 0 is 1 BC.
  if (moment.year < -4712 || moment.year > 9999) {
    prompter_.Warning(kYearErrorTitle, kYearErrorText);
    return;
  }
  flowMoment_ = dates_.ToJulianDay(moment);
  ComputeFlowChart();
}

// ---------------------------------------------------------------- tool windows

void TFrmMain::chartFromMoment(const QString& typedYear, int month, int day, int hour, int minute) {
  rdogl_->setChecked(true);
  chkrun_->setChecked(false);
  edtYear_->setText(typedYear);
  cbom_->setCurrentIndex(month - 1);
  cbod_->setCurrentIndex(day - 1);
  cbos_->setCurrentIndex(hour);
  cbomin_->setCurrentIndex(minute);
  BtnpaiClick();
}

void TFrmMain::N3Click() {
  TFrmFanTui dialog(prompter_, &uiFont_, this);
  dialog.Open({lastPillars_[0], lastPillars_[1], lastPillars_[2], lastPillars_[3]},
              rdona_->isChecked());
  if (dialog.exec() != QDialog::Accepted) return;
  const YiDate& found = dialog.FoundMoment();
  (dialog.IsMale() ? rdona_ : rdonv_)->setChecked(true);
  chartFromMoment(QString::number(TypedYearOf(found.year)), found.month, found.day, found.hour, 0);
}

void TFrmMain::mnuT_diliClick() {
  TFrmDiLi dialog(uiFont_, folder_, prompter_, this);
  dialog.exec();
}

void TFrmMain::OmnusetcanClick() {
  TFrmSetcan dialog(uiFont_, folder_, prompter_, this);
  dialog.exec();
}

void TFrmMain::mnuH_helpClick() {
  TFrmTxtHelp dialog(uiFont_, this);
  dialog.exec();
}

void TFrmMain::mnuT_wnlClick() {
  if (wnl_ == nullptr) {
    wnl_ = new TFrmWnl(prompter_, &uiFont_, this);
    connect(wnl_, &TFrmWnl::ChartMomentChosen, this,
            [this](const QString& year, int month, int day, int hour, int minute) {
              chartFromMoment(year, month, day, hour, minute);
            });
  }
  const int stored = upDyear_->Position();
  const YiDate moment{
      static_cast<int16_t>(TypedYearOf(stored)), static_cast<int16_t>(cbom_->currentIndex() + 1),
      static_cast<int16_t>(cbod_->currentIndex() + 1), static_cast<int16_t>(cbos_->currentIndex()),
      static_cast<int16_t>(cbomin_->currentIndex())};
  wnl_->Open(moment);
  wnl_->show();
  wnl_->raise();
  wnl_->activateWindow();
}

// ---------------------------------------------------------------- chart image and zoom

void TFrmMain::showChartImage() {
  imgTaiYi_->setPixmap(QPixmap::fromImage(chartImage_));
  imgTaiYi_->resize(chartImage_.size());
  CentreChartImage();
}

void TFrmMain::CentreChartImage() {
  const QSize client = scrPic_->viewport()->size();
  const int left = std::max(3, (client.width() - imgTaiYi_->width()) / 2);
  const int top = std::max(3, (client.height() - imgTaiYi_->height()) / 2);
  picBox_->resize(std::max(client.width(), imgTaiYi_->width() + 6),
                  std::max(client.height(), imgTaiYi_->height() + 6));
  imgTaiYi_->move(left, top);
}

void TFrmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  CentreChartImage();
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scrPic_->viewport() && event->type() == QEvent::Resize) CentreChartImage();
  return QMainWindow::eventFilter(watched, event);
}

void TFrmMain::N15Click() {
  if (!chartValid_) {
    prompter_.Information("提示", kNeedChart);
    return;
  }
  if (!engine_.Zoom(+1)) {
    prompter_.Message(kZoomRefused);
    return;
  }
  BtnpaiClick();
  CentreChartImage();
}

void TFrmMain::N16Click() {
  if (!chartValid_) {
    prompter_.Information("提示", kNeedChart);
    return;
  }
  if (!engine_.Zoom(-1)) {
    prompter_.Message(kZoomRefused);
    return;
  }
  BtnpaiClick();
  CentreChartImage();
}

// ---------------------------------------------------------------- the current case

bool TFrmMain::treeIsBusy() {
  if (!(treeBusy_ ? treeBusy_() : caseTree_->TreeBusy())) return false;
  prompter_.Message(kWaitForTree);
  return true;
}

void TFrmMain::showSaveState(SaveMode mode) {
  const bool stored = mode == SaveMode::StoredCase;
  sbtoSave_->setText(ToQString(stored ? "存旧" : "存新"));
  QPalette colours = sbtoSave_->palette();
  colours.setColor(QPalette::ButtonText, stored ? Qt::blue : Qt::black);
  sbtoSave_->setPalette(colours);
  // The widget's own style sheet goes before a skin's.
  sbtoSave_->setStyleSheet(stored ? "QPushButton { color: blue; }"
                                  : "QPushButton { color: black; }");
}

bool TFrmMain::chooseCategory(std::string& category) {
  std::vector<std::string> categories;
  store_.LoadCategories(categories);
  if (chooseCategory_) return chooseCategory_(categories, category);
  TFrmFenLei dialog(uiFont_, prompter_, this);
  dialog.SetCategories(categories);
  if (dialog.exec() != QDialog::Accepted) return false;
  category = dialog.Category();
  return true;
}

bool TFrmMain::SaveCase() {
  return saveCase() == SaveOutcome::kSaved;
}

TFrmMain::SaveOutcome TFrmMain::saveCase() {
  if (treeIsBusy()) return SaveOutcome::kFailed;
  if (!chartValid_) {
    prompter_.Information("提示", kNeedChartToSave);
    return SaveOutcome::kFailed;
  }
  QTextDocument& comment = *redtPingYu_->document();
  const std::string rtf = DocumentToRtf(comment);
  const std::string plain = PlainComment(comment);
  if (saveMode_ == SaveMode::StoredCase) {
    const std::string question = "要修改“" + savedRecord_.name + "”这条记录吗？";
    if (!prompter_.Question("提示", question, true)) return SaveOutcome::kDeclined;
    if (!SaveCaseChanges(store_, currentCaseId_, currentRecord_, rtf, plain, commentPath_)) {
      prompter_.Message(store_.LastMessage());
      return SaveOutcome::kFailed;
    }
    comment.setModified(false);
    savedRecord_.name = currentRecord_.name;
    TRecordData saved = currentRecord_;
    saved.id = currentCaseId_;
    if (caseTree_->UpdateCaseNode(saved)) prompter_.Message("已保存编辑后的命例。");
    return SaveOutcome::kSaved;
  }
  std::string category;
  if (!chooseCategory(category)) return SaveOutcome::kDeclined;
  std::string path;
  const int id = SaveNewCase(store_, currentRecord_, category, rtf, plain, path);
  commentPath_ = path;
  if (id < 0) {
    prompter_.Message(store_.LastMessage());
    return SaveOutcome::kFailed;
  }
  caseTree_->AddCaseNode(currentRecord_);
  currentCaseId_ = id;
  saveMode_ = SaveMode::StoredCase;
  comment.setModified(false);
  showSaveState(saveMode_);
  savedRecord_ = currentRecord_;
  return SaveOutcome::kSaved;
}

void TFrmMain::recordToPanel(const TRecordData& r) {
  upDyear_->SetPosition(r.year);
  edtYear_->setText(QString::number(TypedYearOf(r.year)));
  cbom_->setCurrentIndex(std::clamp<int>(r.month, 1, 12) - 1);
  cbod_->setCurrentIndex(std::clamp<int>(r.day, 1, 31) - 1);
  cbos_->setCurrentIndex(std::clamp<int>(r.hour, 0, 23));
  cbomin_->setCurrentIndex(std::clamp<int>(r.minute, 0, 59));
  (r.lunar ? rdonl_ : rdogl_)->setChecked(true);
  chkrun_->setChecked(r.leapMonth);
  (r.male ? rdona_ : rdonv_)->setChecked(true);
  edtName_->setText(ToQString(r.name));
  cboJuStyle_->setCurrentIndex(std::clamp(static_cast<int>(r.kind), 0, kChartKindCount - 1));
  const int group =
      r.provinceIndex >= 0 && r.provinceIndex < cbodiZ_->count() ? r.provinceIndex : 0;
  cbodiZ_->setCurrentIndex(group);
  cbodiZClick();
  cbodiC_->setCurrentIndex(r.cityIndex >= 0 && r.cityIndex < cbodiC_->count() ? r.cityIndex : 0);
}

void TFrmMain::OpenCase(int id) {
  if (treeIsBusy()) return;
  TRecordData probe;
  if (!store_.LoadCase(id, probe)) return;
  QTextDocument& comment = *redtPingYu_->document();
  if (saveMode_ == SaveMode::StoredCase && comment.isModified() &&
      prompter_.Question("提示", "当前命例评语已改变，要保存吗？", true) &&
      saveCase() == SaveOutcome::kFailed) {
    return;  // the changed comment stays on screen
  }
  // Read after the save: the case opened may be the one just saved.
  TRecordData record;
  CaseComment stored;
  std::string path;
  if (!ShowCase(store_, id, record, stored, path)) return;
  currentRecord_ = record;
  savedRecord_ = record;
  recordToPanel(record);
  saveMode_ = SaveMode::StoredCase;
  currentCaseId_ = id;
  commentPath_ = path;
  if (stored.isRichText) {
    redtPingYu_->clear();
    LoadRtfIntoDocument(stored.text, comment);
  } else {
    redtPingYu_->setPlainText(ToQString(stored.text));
  }
  // The comment as read is no change of the user's, whether the chart succeeds or not.
  comment.setModified(false);

  chartValid_ = false;
  if (!chartRecord(currentRecord_)) return;
  showSaveState(SaveMode::StoredCase);
}

void TFrmMain::BtoNewClick() {
  if (!prompter_.Question("新建", "确定要开始建立一个新案例吗?这将清除现有评语！", true)) return;
  if (saveMode_ == SaveMode::StoredCase && redtPingYu_->document()->isModified() &&
      prompter_.Question("提示", kCommentChanged, true) && saveCase() == SaveOutcome::kFailed) {
    return;  // the changed comment stays on screen
  }
  chartImage_.fill(Qt::white);
  showChartImage();
  redtDuan_->clear();
  saveMode_ = SaveMode::NewCase;
  redtPingYu_->setPlainText(ToQString(kEmptyComment));
  redtPingYu_->document()->setModified(false);
  chartValid_ = false;
  showSaveState(SaveMode::NewCase);
  currentRecord_.extraPlaceIndex.fill(-1);
}

void TFrmMain::CurrentCaseDeleted() {
  redtDuan_->clear();
  chartValid_ = false;
  // Saving must not update a row that no longer exists (that would report a save and keep
  // nothing): the panel now holds a new case.
  saveMode_ = SaveMode::NewCase;
  showSaveState(saveMode_);
}

// ---------------------------------------------------------------- case tree and database

void TFrmMain::connectCaseTree() {
  CaseTreeHooks hooks;
  hooks.openCase = [this](int id) { OpenCase(id); };
  hooks.viewedCaseId = [this] { return saveMode_ == SaveMode::StoredCase ? currentCaseId_ : -1; };
  hooks.viewedCommentPath = [this] { return commentPath_; };
  hooks.viewedCaseDeleted = [this] { CurrentCaseDeleted(); };
  hooks.caseMoved = [this](int id, const std::string& category) {
    // A later save of the open case keeps the category it was moved to.
    if (saveMode_ == SaveMode::StoredCase && id == currentCaseId_) {
      currentRecord_.className = category;
      savedRecord_.className = category;
    }
  };
  hooks.editCategories = [this] {
    if (!EditCategories(store_, uiFont_, prompter_, this)) return false;
    // The open case may have been renamed into or moved to another category.
    TRecordData stored;
    if (saveMode_ == SaveMode::StoredCase && store_.LoadCase(currentCaseId_, stored)) {
      currentRecord_.className = stored.className;
      savedRecord_.className = stored.className;
    }
    return true;
  };
  // Condition search and the result list: the case tree's own dialogs.
  hooks.loaderFinished = [this] {
    if (!windowStatePending_) return;
    windowStatePending_ = false;
    applyPendingWindowState();
  };
  caseTree_->SetHooks(std::move(hooks));
}

void TFrmMain::RunDatabaseCommand(AfterCommand (DatabaseCommands::*command)()) {
  // The store must not be used by the case loader and a whole-database command at once.
  if (treeIsBusy()) return;
  if (caseTree_->LoaderRunning()) {
    prompter_.Message(kWaitForTree);
    return;
  }
  // The progress lines are written into the comment editor.  When the program goes on, the
  // comment comes back as it was, so that saving the open case cannot store a progress line
  // as its comment.
  const QString comment = redtPingYu_->toHtml();
  const bool modified = redtPingYu_->document()->isModified();
  if (((*dbCommands_).*command)() == AfterCommand::kEndProgram) {
    EndProgram();
    return;
  }
  if (redtPingYu_->toHtml() != comment) {
    redtPingYu_->setHtml(comment);
    redtPingYu_->document()->setModified(modified);
  }
}

void TFrmMain::EndProgram() {
  ending_ = true;
  caseTree_->StopLoader();
  // The program ends with its last window.
  close();
}

// ---------------------------------------------------------------- editors and output

void TFrmMain::buildContextMenus() {
  auto editorMenu = [this](QTextEdit* editor, const char* menuName,
                           const std::array<const char*, 10>& names) {
    auto* menu = new QMenu(editor);
    menu->setObjectName(menuName);
    connect(AddItem(menu, names[0], "撤销"), &QAction::triggered, editor, &QTextEdit::undo);
    menu->addSeparator();
    connect(AddItem(menu, names[1], "复制"), &QAction::triggered, editor, &QTextEdit::copy);
    connect(AddItem(menu, names[2], "粘帖"), &QAction::triggered, editor, &QTextEdit::paste);
    connect(AddItem(menu, names[3], "剪切"), &QAction::triggered, editor, &QTextEdit::cut);
    connect(AddItem(menu, names[4], "删除"), &QAction::triggered, editor,
            [editor] { editor->textCursor().removeSelectedText(); });
    connect(AddItem(menu, names[5], "全选"), &QAction::triggered, editor, &QTextEdit::selectAll);
    menu->addSeparator();
    connect(AddItem(menu, names[6], "设置选中文本"), &QAction::triggered, this,
            [this, editor] { SetSelectionFont(editor); });
    menu->addSeparator();
    if (names[7] != nullptr)
      connect(AddItem(menu, names[7], "导入断语"), &QAction::triggered, this,
              [this] { ImportAnalysis(); });
    connect(AddItem(menu, names[8], "另存为"), &QAction::triggered, this,
            [this, editor] { SaveEditorAs(editor); });
    connect(AddItem(menu, names[9], "打印"), &QAction::triggered, this,
            [this, editor] { PrintEditor(editor); });
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, menu,
            [menu, editor](const QPoint& at) { menu->popup(editor->mapToGlobal(at)); });
  };
  editorMenu(redtPingYu_, "PopPingYu",
             {"MenuItem21", "MenuItem7", "MenuItem8", "MenuItem25", "MenuItem26", "MenuItem27",
              "MenuItem29", nullptr, "MenuItem32", "MenuItem33"});
  editorMenu(redtDuan_, "PopupRdtsend",
             {"psendundo", "psendcopy", "psendpaste", "psendcut", "psenddel", "pRdtselall",
              "psend_setF", "psend_import", "psend_save", "psend_prt"});

  auto* chartMenu = new QMenu(imgTaiYi_);
  chartMenu->setObjectName("PopZhangX");
  connect(AddItem(chartMenu, "MenuItem2", "复制"), &QAction::triggered, this,
          [this] { MenuItem2Click(); });
  connect(AddItem(chartMenu, "MenuItem3", "另存为..."), &QAction::triggered, this,
          [this] { SaveChartImage(); });
  connect(AddItem(chartMenu, "MenuItem4", "打印"), &QAction::triggered, this,
          [this] { PrintChart(); });
  imgTaiYi_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(imgTaiYi_, &QWidget::customContextMenuRequested, chartMenu,
          [this, chartMenu](const QPoint& at) { chartMenu->popup(imgTaiYi_->mapToGlobal(at)); });
}

void TFrmMain::SetSelectionFont(QTextEdit* editor) {
  QTextCursor cursor = editor->textCursor();
  if (!cursor.hasSelection()) return;
  const QTextCharFormat current = cursor.charFormat();
  QFont font = current.font().resolve(editor->document()->defaultFont());
  QColor colour = current.hasProperty(QTextFormat::ForegroundBrush) ? current.foreground().color()
                                                                    : QColor(Qt::black);
  if (!dialogs_->ChooseFont(this, font, colour)) return;
  QTextCharFormat chosen;
  chosen.setFont(font);
  chosen.setForeground(colour);
  cursor.mergeCharFormat(chosen);
}

void TFrmMain::ImportAnalysis() {
  int filter = 0;
  std::string path;
  if (!dialogs_->OpenFileName(this, "All.rtf|*.rtf|All.txt|*.txt", filter, path)) return;
  std::string bytes;
  if (!ReadFile(path, bytes)) {
    prompter_.Information("重试一次", "导入文件出错,请重试一次");
    return;
  }
  redtDuan_->clear();
  QTextCharFormat plain;
  plain.setFontPointSize(duanFontSize_);
  plain.setForeground(Qt::black);
  redtDuan_->setCurrentCharFormat(plain);
  LoadRtfIntoDocument(bytes, *redtDuan_->document());
}

void TFrmMain::SaveEditorAs(QTextEdit* editor) {
  int filter = 0;
  std::string path;
  if (!dialogs_->SaveFileName(this, "", "Rtf格式|*.rtf|Txt格式|*.txt", filter, path)) return;
  const bool asRtf = filter != 1;
  path += asRtf ? ".rtf" : ".txt";
  std::string error;
  if (!SaveDocumentAs(*editor->document(), path, asRtf, error)) {
    prompter_.Error("错误", error);
    return;
  }
  prompter_.Message(kSaved);
}

void TFrmMain::PrintEditor(QTextEdit* editor) {
  if (!prompter_.Question("打印", kPrintQuestion, true)) return;
  QPrinter printer;
  if (!dialogs_->SetUpPrinter(this, printer)) return;
  if (!PrintDocument(*editor->document(), printer))
    prompter_.Error("打印错误", "打印错误，请检查打印设备！");
}

void TFrmMain::MenuItem2Click() {
  QApplication::clipboard()->setImage(chartImage_);
}

void TFrmMain::SaveChartImage() {
  int filter = 1;
  std::string path;
  if (!dialogs_->SaveFileName(this, "另存为Bmp图片", "bmp格式|*.bmp|jpg格式|*.jpg", filter, path))
    return;
  const bool bitmap = filter == 0;
  path += bitmap ? ".bmp" : ".jpg";
  std::string error;
  if (!SaveChartImageAs(chartImage_, path, bitmap ? "bmp" : "jpg", error)) {
    prompter_.Error("错误", error);
    return;
  }
  prompter_.Message(kSaved);
}

void TFrmMain::PrintChart() {
  if (!prompter_.Question("打印", kPrintQuestion, true)) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!dialogs_->SetUpPrinter(this, printer)) return;
  if (!PrintChartImage(chartImage_, printer))
    prompter_.Error("打印错误", "请检查打印机能否正常工作！");
}

void TFrmMain::N12Click() {
  SetAnalysisEditorLook("宋体", 12, 12635344);
}

void TFrmMain::N13Click() {
  QFont font = redtDuan_->font();
  QColor colour = Qt::black;
  if (!dialogs_->ChooseFont(this, font, colour)) return;
  const int size = font.pointSize() > 0 ? font.pointSize() : duanFontSize_;
  SetAnalysisEditorLook(ToStdString(font.family()), size, duanColour_);
  prompter_.Message(kSetDone);
}

void TFrmMain::N14Click() {
  QColor colour = ToQColor(duanColour_);
  if (!dialogs_->ChooseColour(this, colour)) return;
  SetAnalysisEditorLook(duanFontName_, duanFontSize_, FromQColor(colour));
  prompter_.Message(kSetDone);
}

}  // namespace taiyi

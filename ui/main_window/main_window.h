// The main window: the case tree on the left, the chart image and the analysis editor on two
// pages with the comment editor below them, the input panel on the right, and the menu.  It
// starts the program's parts in order when first shown and saves its state when closed.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calendar/date_service.h"
#include "chart/draw/taiyi_num.h"
#include "platform/app_folder.h"
#include "platform/ini_file.h"
#include "platform/prompter.h"
#include "store/record_base.h"
#include "store/record_data.h"
#include "ui/archive/database_commands.h"
#include "ui/case_tree/case_tree.h"
#include "ui/main_window/output_dialogs.h"
#include "ui/main_window/rich_text_editor_sink.h"
#include "ui/main_window/skin_menu.h"
#include "ui/main_window/window_config.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QTreeView;

namespace taiyi {

class MUiFont;
class UpDown;

class TFrmWnl;

class TFrmMain final : public QMainWindow {
  Q_OBJECT

 public:
  // Whether the panel's case is new or one read from the store.
  enum class SaveMode { NewCase, StoredCase };

  // folder: the application folder; store: the case store, opened when the window is first
  // shown; uiFont: the interface font service.  None is owned; all outlive the window.
  TFrmMain(const AppFolder& folder, Prompter& prompter, MRecordBase& store, MUiFont& uiFont,
           QWidget* parent = nullptr);
  ~TFrmMain() override;

  // Start-up once the controls exist: lists, clock, dat/init.ini, places, skin, geometry,
  // chart engine, case store.  Runs once, from the first show.
  void FormShow();
  // The closing questions and the write of dat/init.ini; false when the user cancelled.
  bool FormClose();

  // Input panel.
  void FillInputLists();
  void SetPanelToClock(int maxYear);
  void SbtoNowClick();
  void UpDyearClick();
  void cbodiZClick();
  void SpeedButton1Click();
  void BtnpaiClick();
  // Flow charts of the life chart on screen.
  void StepFlowMoment(double hours);
  void ComputeFlowChart();
  void CboLiuJuClick();
  void SbtoZw_liuClick();
  // Chart size.
  void N15Click();
  void N16Click();
  void CentreChartImage();
  // Tool windows that hand a moment to the panel.
  void N3Click();
  void mnuT_wnlClick();
  // The modal tool windows: the places editor and the chart settings.  Nothing is recomputed
  // afterwards; the next place group chosen and the next chart read what they saved.
  void mnuT_diliClick();
  void OmnusetcanClick();
  void mnuH_helpClick();
  void AboutClick();
  // Skins.
  void BuildSkinMenu();
  void SkinItemClick(QAction* item);
  void N6Click();

  // The current case.  SaveCase inserts a new case (after the category is chosen) or saves
  // the changes of the stored one, always with the comment editor's rich text; false when
  // nothing was saved.  When a save asked for by 新建, opening a case or closing fails, that
  // command stops, so that the changed comment is not lost.
  bool SaveCase();
  void SbtoSaveClick() { SaveCase(); }
  void N9Click() { SaveCase(); }
  // Loads the stored case into the panel, charts it and shows its comment.
  void OpenCase(int id);
  void BtoNewClick();
  // The case on screen was deleted from the store: the analysis is emptied, and the panel
  // holds a new case that must be charted again before it is saved.
  void CurrentCaseDeleted();
  // Another program compacted or restored the store: the case on screen stays (chart and
  // comment), as a new case, since its id may name another case now.
  void CurrentCaseRenumbered();

  // Chooses the category of a new case from the stored list; false on cancel.
  using CategoryChooser =
      std::function<bool(const std::vector<std::string>& categories, std::string& chosen)>;
  void SetCategoryChooser(CategoryChooser chooser) { chooseCategory_ = std::move(chooser); }
  // Whether the case tree is being built (store commands refuse meanwhile); the case tree's
  // own flag unless replaced.
  void SetTreeBusyCheck(std::function<bool()> busy) { treeBusy_ = std::move(busy); }

  // The whole-database commands of the file menu; restore, delete-all, compaction and a
  // successful import end the program at once.
  void RunDatabaseCommand(AfterCommand (DatabaseCommands::*command)());
  // Closes the window without the closing questions and without writing dat/init.ini; the
  // program ends with its last window.
  void EndProgram();
  bool Ending() const { return ending_; }

  CaseTree& Cases() { return *caseTree_; }
  DatabaseCommands& Database() { return *dbCommands_; }

  // Output of the editors and the chart image.
  void SetOutputDialogs(OutputDialogs* dialogs) { dialogs_ = dialogs; }
  void SetSelectionFont(QTextEdit* editor);
  void ImportAnalysis();
  void SaveEditorAs(QTextEdit* editor);
  void PrintEditor(QTextEdit* editor);
  void MenuItem2Click();  // the chart image to the clipboard
  void SaveChartImage();
  void PrintChart();
  // 文件 → 导出PDF报告: the chart on screen, its analysis and a stored case's comment as one
  // A4 PDF document.
  void ExportPdfReport();
  // The analysis editor's look: the defaults, the font, the background.
  void N12Click();
  void N13Click();
  void N14Click();

  const TRecordData& CurrentRecord() const { return currentRecord_; }
  bool ChartValid() const { return chartValid_; }
  double FlowMoment() const { return flowMoment_; }
  void SetFlowMoment(double jd) { flowMoment_ = jd; }
  const std::array<std::uint8_t, 4>& LastPillars() const { return lastPillars_; }
  const std::vector<float>& CityLongitudes() const { return cityLongitudes_; }
  const std::vector<float>& CityLatitudes() const { return cityLatitudes_; }
  SaveMode CurrentSaveMode() const { return saveMode_; }
  int CurrentCaseId() const { return currentCaseId_; }
  const std::string& CommentPath() const { return commentPath_; }
  const TRecordData& SavedRecord() const { return savedRecord_; }
  MTaiYiNum& Engine() { return engine_; }
  const QImage& ChartImage() const { return chartImage_; }
  SkinEngine& Skins() { return skinEngine_; }
  // The analysis editor's font and background as kept in dat/init.ini.
  void SetAnalysisEditorLook(const std::string& fontName, int pointSize, Colour background);
  // The window state that start-up applies once the window is up (0 normal … 2 maximised).
  StoredWindowState PendingWindowState() const { return pendingWindowState_; }

 protected:
  // The first show runs start-up before the native window exists, so that the saved position
  // is taken as the frame's (as it was written) when the window system places the window.
  void setVisible(bool visible) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  QWidget* buildInputPanel();
  // Widens the panel when its lists ask for more than its width (a skin's padding, a larger
  // font), so that the province list shows its longest name; never narrower than designed.
  void fitInputPanel();
  void showChartImage();
  // Charts the request: the image shown, the chart page in front, the flow moment and the
  // pillars taken from it.  False, with the engine's message shown, when it fails; the
  // chart on screen then stays as it was.
  bool chartRecord(const ChartRequest& r);
  void applyGeometry(const WindowConfig& config);
  // First start (no position in dat/init.ini): about 80% of the screen, centred, with a tree
  // wide enough for a whole case caption.
  void placeOnScreen(WindowConfig& config) const;
  // First start, once the window is laid out: the largest chart size (down to the smallest)
  // that fits the chart page, saved as the chart size, unless one is saved already; when even
  // the smallest does not fit, the page takes room from the case tree and the comment editor.
  void fitChartToPage();
  WindowConfig currentConfig() const;
  // A civil moment into the panel (the year as the user writes it), then 排盘.
  void chartFromMoment(const QString& typedYear, int month, int day, int hour, int minute);
  // True when a life chart is on screen; otherwise the notice is shown.
  bool lifeChartShown();
  // True (after the message) while the case tree is being built.
  bool treeIsBusy();
  void showSaveState(SaveMode mode);
  void recordToPanel(const TRecordData& record);
  // Declined: the user answered No or cancelled; failed: refused or the store failed.
  enum class SaveOutcome { kSaved, kDeclined, kFailed };
  SaveOutcome saveCase();
  void connectCaseTree();
  void applyPendingWindowState();
  void buildContextMenus();
  void buildShortcuts();
  bool chooseCategory(std::string& category);

  AppFolder folder_;
  Prompter& prompter_;
  MRecordBase& store_;
  MUiFont& uiFont_;
  MTaiYiNum engine_;
  MYiDateEx dates_;
  std::unique_ptr<IniFile> initIni_;
  WindowConfig config_;
  SkinEngine skinEngine_;
  std::unique_ptr<SkinMenu> skinMenu_;
  bool shown_ = false;
  bool activateSkin_ = false;
  int panelWidth_ = 0;  // the panel's width after scaling, before fitting
  StoredWindowState pendingWindowState_ = StoredWindowState::kNormal;

  SaveMode saveMode_ = SaveMode::NewCase;
  int currentCaseId_ = 0;
  std::string commentPath_;
  TRecordData savedRecord_;
  CategoryChooser chooseCategory_;
  std::function<bool()> treeBusy_;
  std::unique_ptr<CaseTree> caseTree_;
  std::unique_ptr<DatabaseCommands> dbCommands_;
  bool windowStatePending_ = true;  // the loader's first run applies the saved state once more
  bool ending_ = false;
  QtOutputDialogs qtDialogs_;
  OutputDialogs* dialogs_ = &qtDialogs_;
  TRecordData currentRecord_;
  bool chartValid_ = false;
  double flowMoment_ = 0;
  std::array<std::uint8_t, 4> lastPillars_ = {0, 0, 0, 0};
  std::vector<float> cityLongitudes_;
  std::vector<float> cityLatitudes_;
  std::string duanFontName_ = "宋体";
  int duanFontSize_ = 12;
  Colour duanColour_ = 12635344;

  QPointer<TFrmWnl> wnl_;  // the perpetual calendar, from its first use until it is closed

  QImage chartImage_;
  std::unique_ptr<RichTextEditorSink> duanSink_;

  // Layout.
  QSplitter* splitterTree_ = nullptr;
  QSplitter* splitterDuan_ = nullptr;
  QTreeView* tree_ = nullptr;
  QTabWidget* pageMain_ = nullptr;
  QScrollArea* scrPic_ = nullptr;
  QScrollArea* panelScroll_ = nullptr;  // holds the input panel
  QWidget* panel_ = nullptr;
  QWidget* picBox_ = nullptr;
  QLabel* imgTaiYi_ = nullptr;
  QTextEdit* redtDuan_ = nullptr;
  QTextEdit* redtPingYu_ = nullptr;
  QMenu* optSkin_ = nullptr;

  // Input panel.
  QPushButton* btoNew_ = nullptr;
  QToolButton* sbtoNow_ = nullptr;
  QLineEdit* edtYear_ = nullptr;
  UpDown* upDyear_ = nullptr;
  QComboBox* cbom_ = nullptr;
  QComboBox* cbod_ = nullptr;
  QComboBox* cbos_ = nullptr;
  QComboBox* cbomin_ = nullptr;
  QRadioButton* rdogl_ = nullptr;
  QRadioButton* rdonl_ = nullptr;
  QCheckBox* chkrun_ = nullptr;
  QComboBox* cbodiZ_ = nullptr;
  QToolButton* speedButton1_ = nullptr;
  QComboBox* cbodiC_ = nullptr;
  QRadioButton* rdona_ = nullptr;
  QRadioButton* rdonv_ = nullptr;
  QLineEdit* edtName_ = nullptr;
  QComboBox* cboJuStyle_ = nullptr;
  QPushButton* sbtoSave_ = nullptr;
  QPushButton* btnpai_ = nullptr;
  QComboBox* cboLiuJu_ = nullptr;
  QPushButton* sbtoZwLiu_ = nullptr;
};

}  // namespace taiyi

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <QTranslator>

#include "platform/app_folder.h"
#include "store/record_base.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/program_title.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/qt_translation.h"
#include "ui/widgets/tool_tip_style.h"
#include "ui/widgets/ui_font.h"

namespace {

// The names under which the desktop knows the program: the window class of its windows
// (StartupWMClass of the menu entry) and the menu entry's file.
constexpr char kApplicationName[] = "taiyi";
constexpr char kDesktopFileName[] = "org.moheng.taiyi";

bool AsksForHelpOrVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" || arg == "--version")
      return true;
  }
  return false;
}

// Parses the command line; --help and --version print and end the program.
QString DataDirOption(const QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      taiyi::ToQString(std::string(taiyi::kProgramTitle) + "：太乙神数排盘、流年、分析与案例管理"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption dataDir(
      "data-dir",
      taiyi::ToQString(
          "程序数据文件夹（存放 dat/ 与 TaiYi_f/），也可用环境变量 TAIYI_DATA_DIR 指定"),
      "DIR");
  parser.addOption(dataDir);
  parser.process(app);
  return parser.value(dataDir);
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/taiyi-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(kApplicationName);
  QCoreApplication::setApplicationVersion(TAIYI_VERSION);
  if (AsksForHelpOrVersion(argc, argv)) {
    // Help and version need no display.
    QCoreApplication app(argc, argv);
    DataDirOption(app);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setStyle(new taiyi::ToolTipStyle);
  // Qt's own buttons and dialogs speak Chinese like the rest of the program.
  QTranslator qtChinese;
  if (taiyi::LoadQtChinese(qtChinese)) app.installTranslator(&qtChinese);
  QGuiApplication::setDesktopFileName(kDesktopFileName);
  QApplication::setWindowIcon(ProgramIcon());
  const QString dataDir = DataDirOption(app);

  taiyi::AppFolder folder;
  std::string error;
  if (!taiyi::PrepareAppFolder(taiyi::AppFolderInputs::FromEnvironment(taiyi::ToStdString(dataDir)),
                               folder, error)) {
    QMessageBox::critical(nullptr, taiyi::ToQString("错误"), taiyi::ToQString(error));
    return 1;
  }

  // Program-wide objects first; the window goes before them.
  taiyi::MRecordBase store;
  taiyi::MUiFont uiFont(folder);
  taiyi::QtPrompter prompter;
  taiyi::TFrmMain window(folder, prompter, store, uiFont);
  prompter.SetParent(&window);
  window.show();
  return app.exec();
}

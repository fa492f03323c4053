#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTranslator>

#include "platform/app_folder.h"
#include "store/record_base.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/program_title.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/qt_translation.h"
#include "ui/widgets/ui_font.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app.setApplicationName(taiyi::ToQString(taiyi::kProgramTitle));
  // Qt's own buttons and dialogs speak Chinese like the rest of the program.
  QTranslator qtChinese;
  if (taiyi::LoadQtChinese(qtChinese)) app.installTranslator(&qtChinese);

  QCommandLineParser parser;
  parser.addHelpOption();
  const QCommandLineOption dataDir("data-dir", "Application folder (holds dat/ and TaiYi_f/).",
                                   "DIR");
  parser.addOption(dataDir);
  parser.process(app);

  taiyi::AppFolder folder;
  std::string error;
  if (!taiyi::PrepareAppFolder(
          taiyi::AppFolderInputs::FromEnvironment(taiyi::ToStdString(parser.value(dataDir))),
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

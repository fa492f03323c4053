// The standard dialogs behind the main window's output commands (file save and open, font,
// colour, printer), behind one interface so that the commands run in tests with scripted
// answers.
#pragma once

#include <QColor>
#include <QFont>
#include <string>
#include <string_view>

class QPrinter;
class QWidget;

namespace taiyi {

class OutputDialogs {
 public:
  virtual ~OutputDialogs() = default;
  // filters as "Rtf格式|*.rtf|Txt格式|*.txt"; filter holds the preselected filter (0 based)
  // and receives the chosen one; path receives the file name as typed.  False on cancel.
  virtual bool SaveFileName(QWidget* parent, std::string_view title, std::string_view filters,
                            int& filter, std::string& path) = 0;
  // An existing file.
  virtual bool OpenFileName(QWidget* parent, std::string_view filters, int& filter,
                            std::string& path) = 0;
  // Font dialog preset with the font, which receives the choice (family, size and style).
  virtual bool ChooseFont(QWidget* parent, QFont& font) = 0;
  // Colour dialog preset with the colour, which receives the choice.
  virtual bool ChooseColour(QWidget* parent, QColor& colour) = 0;
  // The print dialog for the printer.  False on cancel.
  virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The Qt standard dialogs.
class QtOutputDialogs final : public OutputDialogs {
 public:
  bool SaveFileName(QWidget* parent, std::string_view title, std::string_view filters, int& filter,
                    std::string& path) override;
  bool OpenFileName(QWidget* parent, std::string_view filters, int& filter,
                    std::string& path) override;
  bool ChooseFont(QWidget* parent, QFont& font) override;
  bool ChooseColour(QWidget* parent, QColor& colour) override;
  bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
};

// "Rtf格式|*.rtf|Txt格式|*.txt" as Qt's "Rtf格式 (*.rtf);;Txt格式 (*.txt)".
QString QtFilterList(std::string_view filters);

}  // namespace taiyi

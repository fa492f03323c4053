// The case on the main window: saving it (new or stored), opening a stored case into the
// panel and the comment editor, starting a new one, and the open case deleted elsewhere.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextEdit>
#include <algorithm>

#include "store/case_actions.h"
#include "store/record_data.h"
#include "ui/case_tree/category_chooser.h"
#include "ui/main_window/editor_rtf.h"
#include "ui/main_window/input_panel_texts.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/main_window_parts.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/up_down.h"

namespace taiyi {
using namespace main_window_parts;
namespace {

constexpr char kNeedChartToSave[] = "请先排一个正确的盘后再保存";

}  // namespace

// ---------------------------------------------------------------- the current case

bool TFrmMain::treeIsBusy() {
  if (!(treeBusy_ ? treeBusy_() : caseTree_->TreeBusy())) return false;
  prompter_.Message(kWaitForTree);
  return true;
}

void TFrmMain::showSaveState(SaveMode mode) {
  const bool stored = mode == SaveMode::StoredCase;
  sbtoSave_->setText(ToQString(stored ? "存旧" : "存新"));
  // A skin colours the button by its "stored" property; without one the palette does.
  sbtoSave_->setProperty("stored", stored);
  if (qApp->styleSheet().isEmpty()) {
    QPalette colours = sbtoSave_->palette();
    colours.setColor(QPalette::ButtonText, stored ? Qt::blue : Qt::black);
    sbtoSave_->setPalette(colours);
  } else {
    sbtoSave_->style()->unpolish(sbtoSave_);
    sbtoSave_->style()->polish(sbtoSave_);
  }
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
      // Refused because another program renumbered the store: the tree is read again and
      // the panel keeps its case as a new one (CurrentCaseRenumbered).
      caseTree_->RereadRenumberedStore();
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
      prompter_.Question("提示", "当前命例评语已改变，要保存吗？", true, QuestionIcon::Warning) &&
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
      prompter_.Question("提示", kCommentChanged, true, QuestionIcon::Warning) &&
      saveCase() == SaveOutcome::kFailed) {
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

void TFrmMain::CurrentCaseRenumbered() {
  // The stored case's id may name another case now: the chart and the comment stay on
  // screen, and saving them makes a new case.
  if (saveMode_ != SaveMode::StoredCase) return;
  saveMode_ = SaveMode::NewCase;
  currentCaseId_ = 0;
  showSaveState(saveMode_);
}

void TFrmMain::CurrentCaseDeleted() {
  redtDuan_->clear();
  chartValid_ = false;
  // Saving must not update a row that no longer exists (that would report a save and keep
  // nothing): the panel now holds a new case.
  saveMode_ = SaveMode::NewCase;
  showSaveState(saveMode_);
}

}  // namespace taiyi

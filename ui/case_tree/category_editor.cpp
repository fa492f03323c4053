#include "ui/case_tree/category_editor.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "platform/clean_name.h"
#include "store/record_base.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

constexpr char kCaption[] = "编辑类别（全部案例）";
constexpr char kNameTitle[] = "新类别";
constexpr char kNamePrompt[] = "请输入新的类别名称：        ";
constexpr char kNameCleaned[] =
    "类别名中包含：\"、*、<、>、?、\\、/、|、'、：等字符。，已经处理为合适的文本！";
constexpr char kNameExists[] = "：这个类别已经存在，请另外起一个名称！";
constexpr char kWarningTitle[] = "注意";
constexpr int kNameRole = Qt::UserRole;

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

// Re-enables a button when the command that disabled it ends, however it ends.
class DisabledWhileRunning {
 public:
  explicit DisabledWhileRunning(QPushButton* button) : button_(button) {
    button_->setEnabled(false);
  }
  ~DisabledWhileRunning() { button_->setEnabled(true); }
  DisabledWhileRunning(const DisabledWhileRunning&) = delete;
  DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

 private:
  QPushButton* button_;
};

}  // namespace

TFrmEditClass::TFrmEditClass(MRecordBase& store, MUiFont& uiFont, Prompter& prompter,
                             QWidget* parent)
    : QDialog(parent), store_(store), prompter_(prompter) {
  setObjectName("FrmEditClass");
  setWindowTitle(ToQString(kCaption));
  setSizeGripEnabled(true);

  LstClass = new QListWidget(this);
  LstClass->setObjectName("LstClass");
  // The counts line up only when a Chinese character is as wide as two blanks.
  QFont lineFont = LstClass->font();
  lineFont.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("monospace")});
  lineFont.setStyleHint(QFont::TypeWriter);
  LstClass->setFont(lineFont);
  LstClass->setMinimumSize(LstClass->fontMetrics().horizontalAdvance(QStringLiteral("国")) * 16,
                           LstClass->fontMetrics().height() * 18);
  Button1 = MakeButton(this, "Button1", QStringLiteral("▲"));
  Button1->setToolTip(QStringLiteral("上移"));
  Button2 = MakeButton(this, "Button2", QStringLiteral("▼"));
  Button2->setToolTip(QStringLiteral("下移"));
  Button3 = MakeButton(this, "Button3", QStringLiteral("增加"));
  BtoDelete = MakeButton(this, "BtoDelete", QStringLiteral("删除"));
  BtoRename = MakeButton(this, "BtoRename", QStringLiteral("改名"));
  BtoMove = MakeButton(this, "BtoMove", QStringLiteral("移动"));
  Button6 = MakeButton(this, "Button6", QStringLiteral("返回"));
  for (QPushButton* arrow : {Button1, Button2})
    arrow->setFixedWidth(arrow->fontMetrics().horizontalAdvance(QStringLiteral("国")) * 3);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {Button1, Button2, Button3, BtoDelete, BtoRename, BtoMove})
    buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(Button6);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LstClass, 1);
  layout->addLayout(buttons);

  connect(Button1, &QPushButton::clicked, this, &TFrmEditClass::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFrmEditClass::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TFrmEditClass::Button3Click);
  connect(BtoDelete, &QPushButton::clicked, this, &TFrmEditClass::BtoDeleteClick);
  connect(BtoRename, &QPushButton::clicked, this, &TFrmEditClass::BtoRenameClick);
  connect(BtoMove, &QPushButton::clicked, this, &TFrmEditClass::BtoMoveClick);
  connect(Button6, &QPushButton::clicked, this, &TFrmEditClass::Button6Click);
  uiFont.ScaleForm(this);
}

std::vector<std::string> TFrmEditClass::Names() const {
  std::vector<std::string> names;
  for (int row = 0; row < LstClass->count(); ++row)
    names.push_back(ToStdString(LstClass->item(row)->data(kNameRole).toString()));
  return names;
}

void TFrmEditClass::FormShow() {
  CategoryOverview overview = LoadCategoryOverview(store_);
  data_ = std::move(overview.data);
  LstClass->clear();
  for (const std::string& name : overview.lines) addLine(name);
  setWindowTitle(QStringLiteral("编辑类别（全部案例，共%1个）").arg(overview.total));
  FitCaption(this);
}

void TFrmEditClass::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TFrmEditClass::addLine(const std::string& name) {
  auto* item = new QListWidgetItem(LstClass);
  item->setSizeHint(QSize(0, static_cast<int>(std::trunc(1.5 * LstClass->fontMetrics().height()))));
  updateLine(LstClass->row(item), name);
}

void TFrmEditClass::updateLine(int row, const std::string& name) {
  QListWidgetItem* item = LstClass->item(row);
  const auto it = data_.cases.find(name);
  const std::size_t count = it == data_.cases.end() ? 0 : it->second.size();
  item->setText(ToQString(CategoryLine(name, count)));
  item->setData(kNameRole, ToQString(name));
}

int TFrmEditClass::rowOf(const std::string& name) const {
  for (int row = 0; row < LstClass->count(); ++row)
    if (ToStdString(LstClass->item(row)->data(kNameRole).toString()) == name) return row;
  return -1;
}

std::string TFrmEditClass::selectedName() const {
  const QListWidgetItem* item = LstClass->currentItem();
  if (!item || !item->isSelected()) return {};
  return ToStdString(item->data(kNameRole).toString());
}

bool TFrmEditClass::askName(const char* title, const char* prompt, std::string& name) {
  if (!prompter_.InputText(title, prompt, name)) return false;
  const CleanedName cleaned = CleanName(name, 10);
  if (cleaned.changed) prompter_.Message(kNameCleaned);
  // A name of blanks alone cleans to nothing: such a line could be neither deleted nor renamed.
  if (ToQString(cleaned.text).trimmed().isEmpty()) {
    if (!cleaned.changed) prompter_.Message(kNameCleaned);
    return false;
  }
  name = cleaned.text;
  return true;
}

void TFrmEditClass::moveSelected(int step) {
  QListWidgetItem* item = LstClass->currentItem();
  if (!item || !item->isSelected()) {
    prompter_.Message("请先点击选择一个类别！");
    return;
  }
  const int row = LstClass->row(item);
  const int target = row + step;
  if (target < 0 || target >= LstClass->count()) {
    prompter_.Message("移动超出列表范围！");
    return;
  }
  LstClass->takeItem(row);
  LstClass->insertItem(target, item);
  LstClass->setCurrentItem(item);
  data_.modified = true;
}

void TFrmEditClass::Button1Click() {
  moveSelected(-1);
}
void TFrmEditClass::Button2Click() {
  moveSelected(1);
}

void TFrmEditClass::Button3Click() {
  std::string name;
  if (!askName(kNameTitle, kNamePrompt, name)) return;
  if (data_.cases.count(name) > 0) {
    prompter_.Message(name + kNameExists);
    return;
  }
  data_.cases.emplace(name, CaseIds{});
  addLine(name);
  data_.modified = true;
  prompter_.Message("新增完成！");
}

void TFrmEditClass::BtoDeleteClick() {
  const std::string name = selectedName();
  if (name.empty()) {
    prompter_.Message("没有选择的类别可以删除！");
    return;
  }
  if (!prompter_.Question(kWarningTitle, "确定要删除“" + name + "”这个类别吗？", false,
                          QuestionIcon::Warning))
    return;
  DisabledWhileRunning busy(BtoDelete);
  CaseIds& ids = data_.cases[name];
  const CaseIds failed = RemoveCases(store_, ids);
  if (failed.empty()) {
    data_.cases.erase(name);
    delete LstClass->takeItem(rowOf(name));
    data_.modified = true;
    prompter_.Message("删除完成！");
    setWindowTitle(ToQString(kCaption));
  } else {
    if (failed.size() != ids.size()) data_.modified = true;
    ids = failed;
    updateLine(rowOf(name), name);
    prompter_.Message(name + "：这个类别的案例没有删除完！");
  }
}

void TFrmEditClass::BtoRenameClick() {
  const std::string oldName = selectedName();
  if (oldName.empty()) {
    prompter_.Message("没有选择的类别可以修改！");
    return;
  }
  if (!prompter_.Question(kWarningTitle, "确定要修改“" + oldName + "”这个类别吗？", false,
                          QuestionIcon::Warning))
    return;
  std::string name = oldName;
  if (!askName(kNameTitle, kNamePrompt, name)) return;
  if (name == oldName) {
    prompter_.Message("类别名称没有改变，请输入新的名称！");
    return;
  }
  if (data_.cases.count(name) > 0) {
    prompter_.Message(name + kNameExists);
    return;
  }
  DisabledWhileRunning busy(BtoRename);
  CaseIds& ids = data_.cases[oldName];
  const RecategorizeResult result = RecategorizeCases(store_, ids, name);
  const int row = rowOf(oldName);
  if (result.failed.empty()) {
    CaseIds moved = std::move(ids);
    data_.cases.erase(oldName);
    data_.cases.emplace(name, std::move(moved));
    updateLine(row, name);
    data_.modified = true;
    prompter_.Message("改名完成！");
  } else {
    // The cases already renamed carry the new name: it is listed (and stored at close) at
    // once, so that no case is left under a category missing from the list.
    ids = result.failed;
    updateLine(row, oldName);
    if (!result.moved.empty()) {
      data_.cases.emplace(name, result.moved);
      LstClass->insertItem(row + 1, new QListWidgetItem);
      LstClass->item(row + 1)->setSizeHint(LstClass->item(row)->sizeHint());
      updateLine(row + 1, name);
      data_.modified = true;
    }
    prompter_.Message(oldName + "：这个类别的案例没有修改完！");
  }
}

void TFrmEditClass::BtoMoveClick() {
  const std::string source = selectedName();
  if (source.empty()) {
    prompter_.Message("没有选择的类别可以移动！");
    return;
  }
  if (data_.cases[source].empty()) {
    prompter_.Message("这个类别没有案例可以移动！");
    return;
  }
  if (!prompter_.Question(kWarningTitle, "确定要移动“" + source + "”这个类别吗？", false,
                          QuestionIcon::Warning))
    return;
  std::string target;
  if (!askName("目的类别", "请输入要移动到目的类别名称：        ", target)) return;
  if (target == source) {
    prompter_.Message("同组类别不能移动，请输入已经存在的其他类别名称！");
    return;
  }
  const int targetRow = rowOf(target);
  if (targetRow < 0) {
    prompter_.Message("请输入已经存在的类别名称，如果不存在可以先新建一个。");
    return;
  }
  DisabledWhileRunning busy(BtoMove);
  const RecategorizeResult result = RecategorizeCases(store_, data_.cases[source], target);
  data_.cases[source] = result.failed;
  CaseIds& targetIds = data_.cases[target];
  targetIds.insert(targetIds.end(), result.moved.begin(), result.moved.end());
  updateLine(rowOf(source), source);
  updateLine(targetRow, target);
  data_.modified = true;
  // A partial move is reported as such, not as done.
  if (result.failed.empty())
    prompter_.Message("移动完成！");
  else
    prompter_.Message(source + "：这个类别的案例没有移动完！");
}

void TFrmEditClass::Button6Click() {
  done(QDialog::Accepted);
}

void TFrmEditClass::done(int result) {
  if (data_.modified && !store_.SaveCategories(Names()))
    prompter_.Error("错误", store_.LastMessage());
  QDialog::done(result);
}

bool EditCategories(MRecordBase& store, MUiFont& uiFont, Prompter& prompter, QWidget* parent) {
  TFrmEditClass dialog(store, uiFont, prompter, parent);
  dialog.exec();
  return dialog.Modified();
}

}  // namespace taiyi

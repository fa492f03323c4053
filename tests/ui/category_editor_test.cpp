// The category editor over a small store: its lines, reordering, adding, deleting, renaming
// and moving with their refusals, and the category list written when it closes.
#include "ui/case_tree/category_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/record_base.h"
#include "support/temp_dir.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

class CategoryEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirs(dir_.path() + "dat");
    CreateDirs(dir_.path() + "TaiYi_f");
    ASSERT_EQ(store_.Open(CaseDatabasePath(dir_.path()), dir_.path(), false), 0);
    ASSERT_TRUE(store_.SaveCategories({"家人", "亲戚朋友", "IT名人"}));
    for (const char* category : {"家人", "家人", "亲戚朋友", "家人", "外人"}) Add(category);
  }
  void Add(const std::string& category) {
    TRecordData r;
    r.name = "甲";
    r.year = 1990;
    r.className = category;
    r.remarkFile = "甲" + std::to_string(store_.PrimaryId() + 1);
    ASSERT_GT(store_.AddCase(r), 0);
  }
  QListWidget* List() { return editor_.findChild<QListWidget*>("LstClass"); }
  QStringList Lines() {
    QStringList lines;
    for (int i = 0; i < List()->count(); ++i) lines << List()->item(i)->text();
    return lines;
  }
  void Select(int row) { List()->setCurrentRow(row); }
  std::vector<std::string> StoredCategories() {
    std::vector<std::string> list;
    store_.LoadCategories(list);
    return list;
  }
  std::string CategoryOf(int id) {
    TRecordData r;
    return store_.LoadCase(id, r) ? r.className : "(none)";
  }

  test::TempDir dir_;
  MRecordBase store_;
  MUiFont font_{0, false};
  ScriptedPrompter prompter_;
  TFrmEditClass editor_{store_, font_, prompter_};
};

TEST_F(CategoryEditorTest, ListsStoredCategoriesThenThoseOnlyInCasesAndWritesThemAtClose) {
  editor_.FormShow();
  EXPECT_EQ(editor_.windowTitle(), QStringLiteral("编辑类别（全部案例，共5个）"));
  // Wide enough for the whole caption in its title bar.
  EXPECT_GE(editor_.minimumWidth(), CaptionWidth(&editor_));
  EXPECT_GT(CaptionWidth(&editor_), editor_.fontMetrics().horizontalAdvance(editor_.windowTitle()));
  EXPECT_EQ(Lines(),
            (QStringList{
                QStringLiteral("家人          3 案例"), QStringLiteral("亲戚朋友      1 案例"),
                QStringLiteral("IT名人        0 案例"), QStringLiteral("外人          1 案例")}));
  EXPECT_TRUE(editor_.Modified());
  editor_.Button6Click();
  EXPECT_EQ(StoredCategories(), (std::vector<std::string>{"家人", "亲戚朋友", "IT名人", "外人"}));
}

TEST_F(CategoryEditorTest, ArrowsSwapLinesWithinTheList) {
  ASSERT_TRUE(store_.SaveCategories({"家人", "亲戚朋友", "IT名人", "外人"}));
  editor_.FormShow();
  EXPECT_FALSE(editor_.Modified());
  editor_.Button1Click();
  EXPECT_EQ(prompter_.LastText(), "请先点击选择一个类别！");
  Select(0);
  editor_.Button1Click();
  EXPECT_EQ(prompter_.LastText(), "移动超出列表范围！");
  EXPECT_FALSE(editor_.Modified());
  editor_.Button2Click();
  EXPECT_EQ(List()->currentRow(), 1);
  EXPECT_EQ(editor_.Names(), (std::vector<std::string>{"亲戚朋友", "家人", "IT名人", "外人"}));
  EXPECT_TRUE(editor_.Modified());
  editor_.Button6Click();
  EXPECT_EQ(StoredCategories(), editor_.Names());
}

TEST_F(CategoryEditorTest, AddingCleansTheNameAndRefusesOneThatExists) {
  editor_.FormShow();
  prompter_.AnswerInput("十二个字的类别名称再长一点");
  editor_.Button3Click();
  const auto& shown = prompter_.ShownBoxes();
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown[0].title, "新类别");
  EXPECT_EQ(shown[0].text, "请输入新的类别名称：        ");
  EXPECT_EQ(shown[1].text,
            "类别名中包含：\"、*、<、>、?、\\、/、|、'、：等字符。，已经处理为合适的文本！");
  EXPECT_EQ(shown[2].text, "新增完成！");
  EXPECT_EQ(editor_.Names().back(), "十二个字的类别名称再");
  prompter_.AnswerInput("家人");
  editor_.Button3Click();
  EXPECT_EQ(prompter_.LastText(), "家人：这个类别已经存在，请另外起一个名称！");
  EXPECT_EQ(List()->count(), 5);
  // Names that clean to nothing are refused with the cleaning message, for a new line and
  // for a rename alike.
  for (const char* blank : {"   ", "\'", "　"}) {
    const std::size_t before = shown.size();
    prompter_.AnswerInput(blank);
    editor_.Button3Click();
    EXPECT_EQ(prompter_.LastText(), shown[1].text) << blank;
    EXPECT_EQ(shown.size(), before + 2) << blank;
  }
  EXPECT_EQ(List()->count(), 5);
  Select(0);
  prompter_.AnswerQuestion(true);
  prompter_.AnswerInput(" ");
  editor_.BtoRenameClick();
  EXPECT_EQ(prompter_.LastText(), shown[1].text);
  EXPECT_EQ(editor_.Names().front(), "家人");
}

// The deleted cases' comment files go with them: no case names them any more.
TEST_F(CategoryEditorTest, DeletingRemovesTheCategorysCasesWithTheirCommentFiles) {
  TRecordData first;
  ASSERT_TRUE(store_.LoadCase(1, first));
  ASSERT_TRUE(WriteFileAtomic(store_.CommentPath(first), "{\\rtf1 x}"));
  editor_.FormShow();
  editor_.BtoDeleteClick();
  EXPECT_EQ(prompter_.LastText(), "没有选择的类别可以删除！");
  Select(0);
  prompter_.AnswerQuestion(false);
  editor_.BtoDeleteClick();
  EXPECT_EQ(prompter_.ShownBoxes().back().icon, QuestionIcon::Warning);
  EXPECT_EQ(CategoryOf(1), "家人");
  prompter_.AnswerQuestion(true);
  editor_.BtoDeleteClick();
  EXPECT_EQ(prompter_.ShownBoxes().back().text, "删除完成！");
  for (int id : {1, 2, 4}) EXPECT_EQ(CategoryOf(id), "(none)") << id;
  EXPECT_EQ(CategoryOf(3), "亲戚朋友");
  EXPECT_FALSE(FileExists(store_.CommentPath(first)));
  EXPECT_EQ(editor_.windowTitle(), QStringLiteral("编辑类别（全部案例）"));
  EXPECT_EQ(editor_.Names(), (std::vector<std::string>{"亲戚朋友", "IT名人", "外人"}));
  EXPECT_TRUE(editor_.findChild<QPushButton*>("BtoDelete")->isEnabled());
}

TEST_F(CategoryEditorTest, RenamingRewritesTheCasesAndRefusesSameOrExistingNames) {
  editor_.FormShow();
  Select(0);
  struct Step {
    const char* answer;
    const char* message;
  };
  for (const Step& s : {Step{"家人", "类别名称没有改变，请输入新的名称！"},
                        Step{"亲戚朋友", "亲戚朋友：这个类别已经存在，请另外起一个名称！"},
                        Step{"亲人", "改名完成！"}}) {
    prompter_.AnswerQuestion(true);
    prompter_.AnswerInput(s.answer);
    editor_.BtoRenameClick();
    EXPECT_EQ(prompter_.LastText(), s.message) << s.answer;
  }
  EXPECT_EQ(List()->item(0)->text(), QStringLiteral("亲人          3 案例"));
  for (int id : {1, 2, 4}) EXPECT_EQ(CategoryOf(id), "亲人") << id;
  editor_.Button6Click();
  EXPECT_EQ(StoredCategories().front(), "亲人");
}

TEST_F(CategoryEditorTest, MovingPutsEveryCaseIntoAnExistingOtherCategory) {
  editor_.FormShow();
  Select(2);  // IT名人, no cases
  editor_.BtoMoveClick();
  EXPECT_EQ(prompter_.LastText(), "这个类别没有案例可以移动！");
  Select(0);
  struct Step {
    const char* answer;
    const char* message;
  };
  for (const Step& s : {Step{"家人", "同组类别不能移动，请输入已经存在的其他类别名称！"},
                        Step{"陌生人", "请输入已经存在的类别名称，如果不存在可以先新建一个。"},
                        Step{"IT名人", "移动完成！"}}) {
    prompter_.AnswerQuestion(true);
    prompter_.AnswerInput(s.answer);
    editor_.BtoMoveClick();
    EXPECT_EQ(prompter_.LastText(), s.message) << s.answer;
  }
  EXPECT_EQ(Lines()[0], QStringLiteral("家人          0 案例"));
  EXPECT_EQ(Lines()[2], QStringLiteral("IT名人        3 案例"));
  for (int id : {1, 2, 4}) EXPECT_EQ(CategoryOf(id), "IT名人") << id;
}

TEST_F(CategoryEditorTest, CasesThatCannotBeRewrittenStayAndAreReported) {
  // Case 2 refuses every change.
  ASSERT_EQ(store_.Connect(), 0);
  ASSERT_TRUE(
      store_.Execute("create trigger keep_two before update on case_data when old.id = 2 "
                     "begin select raise(abort, 'locked'); end;"));
  ASSERT_TRUE(
      store_.Execute("create trigger keep_two_row before delete on case_data when old.id = 2 "
                     "begin select raise(abort, 'locked'); end;"));
  ASSERT_TRUE(store_.Disconnect());
  editor_.FormShow();
  Select(0);
  prompter_.AnswerQuestion(true);
  prompter_.AnswerInput("亲人");
  editor_.BtoRenameClick();
  EXPECT_EQ(prompter_.LastText(), "家人：这个类别的案例没有修改完！");
  EXPECT_EQ(CategoryOf(1), "亲人");
  EXPECT_EQ(CategoryOf(2), "家人");
  // Both categories are listed with their cases, so none is missing from the stored list.
  EXPECT_EQ(Lines()[0], QStringLiteral("家人          1 案例"));
  EXPECT_EQ(Lines()[1], QStringLiteral("亲人          2 案例"));

  Select(0);
  prompter_.AnswerQuestion(true);
  editor_.BtoDeleteClick();
  EXPECT_EQ(prompter_.LastText(), "家人：这个类别的案例没有删除完！");
  EXPECT_EQ(CategoryOf(2), "家人");
  EXPECT_EQ(Lines()[0], QStringLiteral("家人          1 案例"));

  Select(0);
  prompter_.AnswerQuestion(true);
  prompter_.AnswerInput("IT名人");
  editor_.BtoMoveClick();
  EXPECT_EQ(prompter_.LastText(), "家人：这个类别的案例没有移动完！");
  editor_.Button6Click();
  EXPECT_EQ(StoredCategories(),
            (std::vector<std::string>{"家人", "亲人", "亲戚朋友", "IT名人", "外人"}));
}

TEST_F(CategoryEditorTest, ShownModallyItSaysWhetherAnythingChanged) {
  ASSERT_TRUE(store_.SaveCategories({"家人", "亲戚朋友", "IT名人", "外人"}));
  QApplication::processEvents();  // timers other tests left pending must not close ours
  auto close = [](bool reorder) {
    QTimer::singleShot(0, [reorder] {
      auto* dialog = qobject_cast<TFrmEditClass*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      if (reorder) {
        dialog->findChild<QListWidget*>("LstClass")->setCurrentRow(3);
        dialog->Button1Click();
      }
      dialog->Button6Click();
    });
  };
  close(false);
  EXPECT_FALSE(EditCategories(store_, font_, prompter_, nullptr));
  close(true);
  EXPECT_TRUE(EditCategories(store_, font_, prompter_, nullptr));
  EXPECT_EQ(StoredCategories(), (std::vector<std::string>{"家人", "亲戚朋友", "外人", "IT名人"}));
}

}  // namespace
}  // namespace taiyi

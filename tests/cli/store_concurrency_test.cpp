// Two taiyi-cli programs writing one store at once: adds against adds of the same name and
// minute, adds against repeated compaction, and an add that meets a whole-store operation.
// Every add that said it succeeded is stored, with its own comment file.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "store/record_base.h"
#include "store/store_journal.h"
#include "store/store_lock.h"
#include "store/store_messages.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

// Starts a shell loop that runs `taiyi-cli --data-dir dir case <command>` for i = 1..count
// ($i may appear in command) and prints "ok<i>" or "no<i>" with what the run said per run.
FILE* StartLoop(const test::TempDir& dir, int count, const std::string& command) {
  const std::string script = "for i in $(seq 1 " + std::to_string(count) + "); do out=$(" +
                             std::string(TAIYI_CLI_PATH) + " --data-dir " + dir.path() + " case " +
                             command + " 2>&1 >/dev/null) && echo ok$i || echo \"no$i $out\"; done";
  return popen(script.c_str(), "r");
}

// What the loop printed: the runs that succeeded; the lines of the others go to failures.
std::set<std::string> Succeeded(FILE* loop, std::string* failures = nullptr) {
  std::set<std::string> ok;
  char line[512];
  while (fgets(line, sizeof line, loop)) {
    std::string word(line);
    while (!word.empty() && word.back() == '\n') word.pop_back();
    if (word.rfind("ok", 0) == 0)
      ok.insert(word.substr(2));
    else if (failures)
      *failures += word + "\n";
  }
  pclose(loop);
  return ok;
}

struct StoredCase {
  std::string name;
  std::string remark;
  std::string comment;  // the plain text of its comment file
  std::string stem;
};

std::vector<StoredCase> Stored(const test::TempDir& dir) {
  MRecordBase store;
  EXPECT_EQ(store.Open(CaseDatabasePath(dir.path()), dir.path(), false), 0);
  std::vector<StoredCase> cases;
  store.Connect();
  TRecordData r;
  for (int id = 1; id <= store.PrimaryId(); ++id) {
    if (!store.LoadCaseInBatch(id, r)) continue;
    StoredCase c{r.name, r.remarkText, "(no file)", r.remarkFile};
    ReadCommentPlainText(store.CommentPath(r), c.comment);
    cases.push_back(c);
  }
  store.Disconnect();
  return cases;
}

constexpr char kSameMinute[] = "add --name 同名 --date 1990-05-12 --time 10:00 --category 家人 ";

TEST(TwoPrograms, AddingTheSameNameInTheSameMinuteKeepsEveryCaseWithItsOwnComment) {
  test::TempDir dir;
  constexpr int kEach = 8;
  FILE* a = StartLoop(dir, kEach, std::string(kSameMinute) + "--comment 甲$i");
  FILE* b = StartLoop(dir, kEach, std::string(kSameMinute) + "--comment 乙$i");
  std::string failures;
  const auto okA = Succeeded(a, &failures), okB = Succeeded(b, &failures);
  // Every add succeeds: neither program gives up waiting for the other.
  EXPECT_EQ(okA.size(), static_cast<std::size_t>(kEach)) << failures;
  EXPECT_EQ(okB.size(), static_cast<std::size_t>(kEach)) << failures;

  const std::vector<StoredCase> cases = Stored(dir);
  EXPECT_EQ(cases.size(), okA.size() + okB.size());
  std::set<std::string> stems, comments;
  for (const StoredCase& c : cases) {
    EXPECT_EQ(c.comment, c.remark) << c.stem;
    stems.insert(c.stem);
    comments.insert(c.remark);
  }
  EXPECT_EQ(stems.size(), cases.size());
  EXPECT_EQ(comments.size(), cases.size());
  // No comment file without its case, no temporary file.
  EXPECT_EQ(ListFiles(CommentFolder(dir.path()), "*").size(), cases.size());
}

TEST(TwoPrograms, AddsDuringRepeatedCompactionAreAllKept) {
  test::TempDir dir;
  {
    // 500 cases, one of them removed, so that every compaction renumbers.
    ASSERT_EQ(test::RunCli("--data-dir " + dir.path() + " case categories").code, 0);
    MRecordBase store;
    ASSERT_EQ(store.Open(CaseDatabasePath(dir.path()), dir.path(), false), 0);
    store.Connect();
    for (int i = 0; i < 500; ++i) {
      TRecordData r;
      r.name = "旧" + std::to_string(i);
      r.className = "家人";
      r.remarkFile = r.name;
      store.AddCaseInBatch(r);
    }
    store.Disconnect();
    ASSERT_TRUE(store.RemoveCase(1));
  }
  constexpr int kAdds = 8;
  FILE* adds = StartLoop(dir, kAdds, "add --name 新$i --category 家人 --comment 新评语$i");
  FILE* compactions = StartLoop(dir, 3, "compact");
  const auto added = Succeeded(adds);
  Succeeded(compactions);

  const std::vector<StoredCase> cases = Stored(dir);
  std::set<std::string> names;
  for (const StoredCase& c : cases) names.insert(c.name);
  for (const std::string& i : added) {
    EXPECT_EQ(names.count("新" + i), 1u) << "acknowledged add " << i << " is lost";
  }
  EXPECT_EQ(cases.size(), 499 + added.size());
  for (const StoredCase& c : cases) {
    if (c.name.rfind("新", 0) == 0) {
      EXPECT_EQ(c.comment, c.remark) << c.name;
    }
  }
}

TEST(TwoPrograms, AnAddThatMeetsAWholeStoreOperationSaysTheStoreIsBusy) {
  test::TempDir dir;
  ASSERT_EQ(test::RunCli("--data-dir " + dir.path() + " case categories").code, 0);
  StoreLock other;  // another program in the middle of a compaction
  other.SetPath(StoreLockPath(CaseDatabasePath(dir.path())));
  ASSERT_TRUE(other.Acquire(StoreLockMode::kExclusive));
  const auto run = test::RunCli("--data-dir " + dir.path() + " case add --name 甲 --category 家人");
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, std::string(kMsgStoreBusy) + "\n");
  other.Release();
  EXPECT_TRUE(Stored(dir).empty());
  EXPECT_TRUE(ListFiles(CommentFolder(dir.path()), "*").empty());
}

}  // namespace
}  // namespace taiyi

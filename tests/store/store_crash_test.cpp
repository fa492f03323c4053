// Every operation that changes the store, cut short at each of its file and database steps in
// turn: once ended there as by a crash (a child process exits at the step) and once with the
// step failing.  The store opened afterwards must hold exactly the state before the
// operation or the state after it, its comment files included, with no temporary file and
// no comment file that no case names.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/fault_point.h"
#include "platform/file_util.h"
#include "platform/gbk.h"
#include "store/case_actions.h"
#include "store/case_schema.h"
#include "store/category_cases.h"
#include "store/comment_file.h"
#include "store/record_base.h"
#include "store/rtf_writer.h"
#include "store/whole_store.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

namespace fs = std::filesystem;

TRecordData Case(const std::string& name, int minute) {
  TRecordData r;
  r.name = name;
  r.year = 1990;
  r.month = 5;
  r.day = 12;
  r.hour = 23;
  r.minute = static_cast<std::int16_t>(minute);
  r.className = "家人";
  return r;
}

// The application folder of a scene: root/app; what the operations read or write outside it
// lives in root/src and root/out.
std::string App(const std::string& root) { return root + "app/"; }
std::string Db(const std::string& root) { return CaseDatabasePath(App(root)); }

int AddWithComment(MRecordBase& store, TRecordData r, const std::string& comment) {
  std::string path;
  return SaveNewCase(store, r, r.className, PlainTextToRtf(comment), comment, path);
}

// A store of three cases (one more was added and removed), a backup of another store in
// src/backup/ and a case database to import in src/import.db.
void MakeScene(const std::string& root) {
  CreateDirs(App(root) + "dat");
  CreateDirs(App(root) + "TaiYi_f");
  CreateDirs(root + "out");
  {
    MRecordBase store;
    store.Open(Db(root), App(root), false);
    AddWithComment(store, Case("甲", 1), "甲的评语");
    AddWithComment(store, Case("乙", 2), "乙的评语");
    AddWithComment(store, Case("丙", 3), "丙的评语");
    AddWithComment(store, Case("丁", 4), "丁的评语");
    DeleteCase(store, 3, "");
  }
  const std::string other = root + "src/other/";
  CreateDirs(other + "dat");
  CreateDirs(other + "TaiYi_f");
  MRecordBase store;
  store.Open(CaseDatabasePath(other), other, false);
  AddWithComment(store, Case("戊", 5), "戊的评语");
  TRecordData noFile = Case("己", 6);
  noFile.remarkText = "己没有评语文件";
  noFile.remarkFile = "己_stem";
  store.AddCase(noFile);
  CreateDirs(root + "src/backup");
  Backup(store, root + "src/backup/");
  CopyFile(CaseDatabasePath(other), root + "src/import.db", true);
}

// One record of the old-version case file.
std::string OldRecord(const std::string& name, const std::string& stem) {
  std::string b(152, '\0');
  const auto text = [&b](std::size_t at, std::size_t size, const std::string& utf8) {
    const std::string gbk = Utf8ToGbk(utf8);
    std::memcpy(&b[at], gbk.data(), std::min(gbk.size(), size - 1));
  };
  text(5, 11, name);
  text(16, 14, "老友");
  b[30] = static_cast<char>(1950 & 0xFF);
  b[31] = static_cast<char>(1950 >> 8);
  for (int at = 32; at <= 38; at += 2) b[at] = 3;
  text(68, 51, "北京-东城区");
  text(119, 33, stem);
  return b;
}

// The rows and the extra row of a case database, as text.
std::string DumpDatabase(const std::string& path) {
  sqlite3* db = nullptr;
  std::string dump;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return "(unreadable)";
  }
  for (const char* sql : {"select * from case_data order by id;", "select * from case_extra;"}) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
      dump += "(no table)\n";
      continue;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
      for (int c = 0; c < sqlite3_column_count(st); ++c) {
        const auto* v = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
        dump += std::string(v ? v : "") + "|";
      }
      dump += "\n";
    }
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return dump;
}

// Every folder and file under root with its contents (databases by their rows), the lock
// file left out.
std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string path = it->path().string();
    const std::string name = path.substr(root.size());
    if (it->is_directory()) {
      files[name + "/"] = "";
    } else if (name.ends_with(".lock")) {
      continue;
    } else if (name.ends_with(".db")) {
      files[name] = DumpDatabase(path);
    } else {
      ReadFile(path, files[name]);
    }
  }
  return files;
}

std::string Difference(const std::map<std::string, std::string>& got,
                       const std::map<std::string, std::string>& want) {
  std::string text;
  for (const auto& [name, content] : got) {
    const auto it = want.find(name);
    if (it == want.end())
      text += " extra " + name;
    else if (it->second != content)
      text += " changed " + name;
  }
  for (const auto& [name, content] : want)
    if (got.count(name) == 0) text += " missing " + name;
  return text;
}

// What is wrong with the scene's store and files: a case without its comment file, a comment
// file that no case names, a file or folder of an unfinished step.  Empty when nothing is.
std::string Whole(const std::string& root) {
  std::string wrong;
  MRecordBase store;
  store.OpenPrivate(Db(root), App(root));
  std::vector<std::string> named;
  store.Connect();
  TRecordData r;
  for (int id = 1; id <= store.PrimaryId(); ++id) {
    if (!store.LoadCaseInBatch(id, r)) continue;
    const std::string path = store.CommentPath(r);
    named.push_back(path.substr(CommentFolder(App(root)).size()));
    if (!FileExists(path)) wrong += " no comment file for case " + std::to_string(id);
  }
  store.Disconnect();
  for (const std::string& name : ListFiles(CommentFolder(App(root)), "*"))
    if (std::find(named.begin(), named.end(), name) == named.end()) wrong += " unnamed " + name;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    for (const char* mark : {".tmp", ".pending-", ".restore", ".old", ".part", "-journal"})
      if (name.find(mark) != std::string::npos) wrong += " left " + name;
  }
  return wrong;
}

struct Operation {
  const char* name;
  // Makes what the operation needs beyond the scene (may be empty).
  std::function<void(const std::string& root)> prepare;
  // Runs it on a store object opened on the scene (the conversion opens its own).
  std::function<void(MRecordBase& store, const std::string& root)> run;
  bool opensItself = false;
  // Goes on past a case that fails (the count tells how many arrived), so a failing step
  // may leave a third state, which must still be whole.
  bool goesOnPastFailures = false;
};

std::vector<Operation> Operations() {
  const auto none = [](const std::string&) {};
  return {
      {"add", none,
       [](MRecordBase& s, const std::string&) { AddWithComment(s, Case("庚", 7), "庚的评语"); }},
      {"add with a taken name", none,
       [](MRecordBase& s, const std::string&) { AddWithComment(s, Case("甲", 1), "又一个甲"); }},
      {"add several", none,
       [](MRecordBase& s, const std::string&) {
         std::vector<MRecordBase::NewCase> cases;
         for (const char* name : {"庚", "甲", "辛"}) {
           TRecordData r = Case(name, 9);
           r.remarkText = std::string(name) + "的新评语";
           cases.push_back({r, PlainTextToRtf(r.remarkText)});
         }
         s.AddCasesWithComments(cases);
       }},
      {"update", none,
       [](MRecordBase& s, const std::string&) {
         TRecordData r;
         s.LoadCase(1, r);
         r.name = "甲改";
         SaveCaseChanges(s, 1, r, PlainTextToRtf("新评语"), "新评语", s.CommentPath(r));
       }},
      {"remove", none, [](MRecordBase& s, const std::string&) { DeleteCase(s, 2, ""); }},
      {"move", none,
       [](MRecordBase& s, const std::string&) {
         TRecordData r;
         s.LoadCase(4, r);
         r.className = "朋友";
         s.UpdateCase(4, r);
       }},
      {"rename a category", none,
       [](MRecordBase& s, const std::string&) { RecategorizeCases(s, {1, 4}, "新类"); }, false,
       true},
      {"delete a category", none,
       [](MRecordBase& s, const std::string&) { RemoveCases(s, {1, 4}); }, false, true},
      {"import", none,
       [](MRecordBase& s, const std::string& root) { ImportStore(s, root + "src/import.db", {}); },
       false, true},
      {"export", none,
       [](MRecordBase& s, const std::string& root) {
         ExportStore(s, root + "out/export.db", {}, true, {});
       },
       false, true},
      {"backup", [](const std::string& root) { CreateDirs(root + "out/backup"); },
       [](MRecordBase& s, const std::string& root) { Backup(s, root + "out/backup/"); }},
      {"restore", none,
       [](MRecordBase& s, const std::string& root) { ReplaceWithBackup(s, root + "src/backup/"); }},
      {"restore into the comments", none,
       [](MRecordBase& s, const std::string& root) { Restore(s, root + "src/backup/"); }},
      {"compact", none, [](MRecordBase& s, const std::string&) { Compact(s, {}); }},
      {"delete all", none, [](MRecordBase& s, const std::string&) { DeleteAll(s); }},
      {"convert the old version",
       [](const std::string& root) {
         WriteFileAtomic(OldCaseFilePath(App(root)),
                         OldRecord("老一", "老一_old") + OldRecord("老:二", "老二_old"));
         CreateDirs(App(root) + "taiYi_f");
         WriteCommentFromPlainText(App(root) + "taiYi_f/老一_old.rtf", "老一的评语");
       },
       [](MRecordBase& s, const std::string& root) { s.Open(Db(root), App(root), true); }, true,
       true},
  };
}

// A scene copied from the prepared one, so that each cut starts from the same files.
std::string CopyScene(const std::string& from, const test::TempDir& dir, int n) {
  const std::string root = dir.path() + std::to_string(n) + "/";
  std::error_code ec;
  fs::copy(from, root, fs::copy_options::recursive, ec);
  return root;
}

void RunOn(const Operation& op, const std::string& root) {
  MRecordBase store;
  if (!op.opensItself) store.Open(Db(root), App(root), false);
  op.run(store, root);
}

// The scene after the program's next start (which repairs what it finds).
std::map<std::string, std::string> Reopened(const std::string& root) {
  {
    MRecordBase store;
    store.Open(Db(root), App(root), true);
  }
  return Snapshot(root);
}

class StoreCrash : public ::testing::Test {
 protected:
  void SetUp() override { fault::SetDurable(false); }
  void TearDown() override {
    fault::SetHook({});
    fault::SetDurable(true);
  }
};

TEST_F(StoreCrash, EveryStepOfEveryOperationLeavesTheOldOrTheNewState) {
  test::TempDir dir("/dev/shm");
  const std::string base = dir.path() + "base/";
  MakeScene(base);
  int copies = 0;
  for (const Operation& op : Operations()) {
    SCOPED_TRACE(op.name);
    const std::string prepared = CopyScene(base, dir, copies++);
    op.prepare(prepared);
    const auto before = Snapshot(prepared);

    // The whole operation, counting its steps.
    const std::string whole = CopyScene(prepared, dir, copies++);
    int steps = 0;
    fault::SetHook([&steps](std::string_view) {
      ++steps;
      return true;
    });
    RunOn(op, whole);
    fault::SetHook({});
    const auto after = Reopened(whole);
    ASSERT_GT(steps, 0);
    ASSERT_NE(before, after) << "the operation changed nothing";

    for (int cut = 1; cut <= steps; ++cut) {
      // Ended at the step, as by a crash.
      const std::string killed = CopyScene(prepared, dir, copies++);
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        int step = 0;
        fault::SetHook([&step, cut](std::string_view) {
          if (++step == cut) _exit(0);
          return true;
        });
        RunOn(op, killed);
        _exit(0);
      }
      int status = 0;
      waitpid(child, &status, 0);
      const auto state = Reopened(killed);
      EXPECT_TRUE(state == before || state == after)
          << "killed at step " << cut << " of " << steps << ":"
          << Difference(state, after) << "  /  against the old state:" << Difference(state, before);

      // The step fails.
      const std::string failed = CopyScene(prepared, dir, copies++);
      int step = 0;
      fault::SetHook([&step, cut](std::string_view) { return ++step != cut; });
      RunOn(op, failed);
      fault::SetHook({});
      const auto left = Reopened(failed);
      EXPECT_TRUE(left == before || left == after ||
                  (op.goesOnPastFailures && Whole(failed).empty()))
          << "step " << cut << " of " << steps << " failed:" << Difference(left, after)
          << "  /  against the old state:" << Difference(left, before) << "  /  " << Whole(failed);
      fs::remove_all(killed);
      fs::remove_all(failed);
    }
  }
}

}  // namespace
}  // namespace taiyi

// A program that keeps the store open while another one compacts it, restores it or deletes it
// and starts anew holds ids that name other cases (or none) afterwards: every write it makes by
// such an id is refused and changes nothing, until it reads its cases again.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/file_util.h"
#include "store/case_actions.h"
#include "store/case_schema.h"
#include "store/category_cases.h"
#include "store/comment_file.h"
#include "store/record_base.h"
#include "store/rtf_writer.h"
#include "store/store_messages.h"
#include "store/whole_store.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

TRecordData Case(const std::string& name) {
  TRecordData r;
  r.name = name;
  r.year = 1990;
  r.month = 5;
  r.day = 12;
  r.hour = 10;
  r.className = "家人";
  return r;
}

int Add(MRecordBase& store, const std::string& name) {
  TRecordData r = Case(name);
  std::string path;
  return SaveNewCase(store, r, r.className, PlainTextToRtf(name + "的评语"), name + "的评语", path);
}

// The rows of the store and its comment files with their contents.
std::map<std::string, std::string> Scene(const std::string& app) {
  std::map<std::string, std::string> scene;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(CaseDatabasePath(app).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
      SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "select * from case_data order by id;", -1, &st, nullptr) ==
        SQLITE_OK) {
      while (sqlite3_step(st) == SQLITE_ROW) {
        std::string row;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
          const auto* v = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
          row += std::string(v ? v : "") + "|";
        }
        scene["row " + std::to_string(sqlite3_column_int(st, 0))] = row;
      }
    }
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  for (const std::string& name : ListFiles(CommentFolder(app), "*"))
    ReadFile(CommentFolder(app) + name, scene["file " + name]);
  return scene;
}

struct Replacement {
  const char* name;
  // Run by another program on the store; returns whether it succeeded.
  std::function<bool(const std::string& app, const std::string& backup)> run;
};

TEST(StoreGeneration, WritesByAnIdReadBeforeTheStoreWasRenumberedAreRefused) {
  const std::vector<Replacement> replacements = {
      {"compact",
       [](const std::string& app, const std::string&) {
         MRecordBase other;
         return other.Open(CaseDatabasePath(app), app, false) == 0 && Compact(other, {}) == 3;
       }},
      {"restore",
       [](const std::string& app, const std::string& backup) {
         MRecordBase other;
         return other.Open(CaseDatabasePath(app), app, false) == 0 && Restore(other, backup);
       }},
      {"replace with a backup",
       [](const std::string& app, const std::string& backup) {
         MRecordBase other;
         return other.Open(CaseDatabasePath(app), app, false) == 0 &&
                ReplaceWithBackup(other, backup);
       }},
      {"delete everything and start anew",
       [](const std::string& app, const std::string&) {
         MRecordBase other;
         if (other.Open(CaseDatabasePath(app), app, false) != 0 || !DeleteAll(other)) return false;
         MRecordBase fresh;
         return fresh.Open(CaseDatabasePath(app), app, false) == 0 && Add(fresh, "新甲") == 1 &&
                Add(fresh, "新乙") == 2 && Add(fresh, "新丙") == 3;
       }},
  };
  for (const Replacement& replacement : replacements) {
    SCOPED_TRACE(replacement.name);
    test::TempDir dir("/dev/shm");
    const std::string app = dir.path() + "app/";
    CreateDirs(app + "dat");
    CreateDirs(CommentFolder(app));
    const std::string backup = dir.path() + "backup/";
    {
      MRecordBase store;
      ASSERT_EQ(store.Open(CaseDatabasePath(app), app, false), 0);
      for (const char* name : {"甲", "乙", "丙", "丁"}) ASSERT_GT(Add(store, name), 0);
      CreateDirs(backup);
      ASSERT_TRUE(Backup(store, backup));
      ASSERT_TRUE(DeleteCase(store, 2, ""));  // compaction moves 丙 to 2 and 丁 to 3
    }
    // The window: it read the ids 1, 3 and 4 and keeps the store open.
    MRecordBase window;
    ASSERT_EQ(window.Open(CaseDatabasePath(app), app, false), 0);
    TRecordData held;
    ASSERT_TRUE(window.LoadCase(3, held));
    const std::string heldComment = window.CommentPath(held);

    ASSERT_TRUE(replacement.run(app, backup));
    const auto after = Scene(app);
    EXPECT_TRUE(window.GenerationChanged());

    TRecordData changed = held;
    changed.name = "改名";
    const std::vector<std::pair<const char*, std::function<bool()>>> writes = {
        {"update", [&] { return window.UpdateCase(3, changed); }},
        {"remove", [&] { return window.RemoveCase(3); }},
        {"save changes",
         [&] {
           return SaveCaseChanges(window, 3, changed, PlainTextToRtf("新评语"), "新评语",
                                  heldComment);
         }},
        {"delete", [&] { return DeleteCase(window, 3, heldComment); }},
        {"move", [&] { return RecategorizeCases(window, {3}, "朋友").failed.size() == 0; }},
        {"delete a category",
         [&] {
           return RemoveCases(window, {1, 3}).empty();
         }},
    };
    for (const auto& [what, write] : writes) {
      SCOPED_TRACE(what);
      window.SetLastMessage("");
      EXPECT_FALSE(write());
      EXPECT_EQ(window.LastMessage(), kMsgStoreRenumbered);
      EXPECT_EQ(Scene(app), after);
    }
    // Adding needs no old id.
    EXPECT_GT(Add(window, "戊"), 0);

    // Once the window has read its cases again it writes as before.
    window.AdoptGeneration();
    EXPECT_FALSE(window.GenerationChanged());
    TRecordData now;
    ASSERT_TRUE(window.LoadCase(3, now));
    now.className = "朋友";
    EXPECT_TRUE(window.UpdateCase(3, now)) << window.LastMessage();
    ASSERT_TRUE(window.LoadCase(3, now));
    EXPECT_EQ(now.className, "朋友");
  }
}

TEST(StoreGeneration, OldStoresAreGenerationZeroAndNewStoresStartAtRandom) {
  test::TempDir dir("/dev/shm");
  CreateDirs(dir.path() + "dat");
  CreateDirs(CommentFolder(dir.path()));
  const std::string db = CaseDatabasePath(dir.path());
  int first = 0;
  {
    MRecordBase store;
    ASSERT_EQ(store.Open(db, dir.path(), false), 0);
    first = store.Generation();
    EXPECT_GT(first, 0);
    EXPECT_EQ(store.ReadGeneration(), first);
    ASSERT_EQ(Add(store, "甲"), 1);
    ASSERT_TRUE(DeleteAll(store));
  }
  {
    MRecordBase store;
    ASSERT_EQ(store.Open(db, dir.path(), false), 0);
    EXPECT_GT(store.Generation(), 0);
    EXPECT_NE(store.Generation(), first);
    // A store written before there were generations: its header holds 0.
    ASSERT_TRUE(store.WriteGeneration(0));
    ASSERT_EQ(Add(store, "甲"), 1);
    ASSERT_EQ(Add(store, "乙"), 2);
  }
  MRecordBase store;
  ASSERT_EQ(store.Open(db, dir.path(), false), 0);
  EXPECT_EQ(store.Generation(), 0);
  TRecordData r;
  ASSERT_TRUE(store.LoadCase(2, r));
  r.className = "朋友";
  EXPECT_TRUE(store.UpdateCase(2, r));
  ASSERT_TRUE(store.RemoveCase(1));
  ASSERT_EQ(Compact(store, {}), 1);
  EXPECT_EQ(store.ReadGeneration(), 1);
  EXPECT_EQ(NextGeneration(2147483647), 1);
}

}  // namespace
}  // namespace taiyi

// A case store in a temporary application folder, filled with cases for the case-tree
// tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "store/record_base.h"
#include "support/temp_dir.h"

namespace taiyi::test {

inline TRecordData TreeCase(const std::string& name, int year, int month, int day,
                            const std::string& category, bool male = true, bool lunar = false,
                            bool leap = false) {
  TRecordData r;
  r.name = name;
  r.year = static_cast<std::int16_t>(year);
  r.month = static_cast<std::int16_t>(month);
  r.day = static_cast<std::int16_t>(day);
  r.hour = 7;
  r.minute = 8;
  r.male = male;
  r.lunar = lunar;
  r.leapMonth = leap;
  r.className = category;
  return r;
}

class CaseStoreFixture {
 public:
  CaseStoreFixture() {
    CreateDirs(dir.path() + "dat");
    CreateDirs(dir.path() + "TaiYi_f");
    opened = store.Open(CaseDatabasePath(dir.path()), dir.path(), false) == 0;
  }
  // Adds the case with a comment file; its id.
  int Add(TRecordData r) {
    std::string stem;
    store.MakeCommentFileName(r, stem);
    r.remarkFile = stem;
    const int id = store.AddCase(r);
    if (id > 0) WriteCommentFromPlainText(store.CommentPath(r), "评语");
    return id;
  }

  TempDir dir;
  MRecordBase store;
  bool opened = false;
};

}  // namespace taiyi::test

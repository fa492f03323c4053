// Application folders and generated cases for the store benchmarks.
#pragma once

#include <filesystem>
#include <string>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/record_base.h"

namespace taiyi::bench {

// An empty application folder (dat/ and the comment folder) under the temporary directory;
// whatever an earlier run left there is removed first.
inline std::string FreshAppFolder(const std::string& name) {
  const std::string dir = (std::filesystem::temp_directory_path() / name).string() + "/";
  std::filesystem::remove_all(dir);
  CreateDirs(dir + "dat");
  CreateDirs(dir + "TaiYi_f");
  return dir;
}

// Case i of a generated archive: 100 names, 120 years, four categories, a two-line comment.
inline TRecordData SampleCase(int i) {
  static const char* const kCategories[] = {"家人", "亲戚朋友", "文学家", "历史人物"};
  TRecordData r;
  r.name = "张三" + std::to_string(i % 100);
  r.year = static_cast<int16_t>(1900 + i % 120);
  r.month = static_cast<int16_t>(1 + i % 12);
  r.day = static_cast<int16_t>(1 + i % 28);
  r.className = kCategories[i % 4];
  r.place = "福建省-福州市";
  r.remarkText = "命例" + std::to_string(i) + "的评语：一生平顺，晚年有福。\n第二段评语。";
  r.remarkFile = r.name + "_" + std::to_string(i);
  return r;
}

// Adds the sample cases from..to (inclusive) to the store in one batch.
inline void AddSampleCases(MRecordBase& store, int from, int to) {
  store.Connect();
  for (int i = from; i <= to; ++i) {
    TRecordData r = SampleCase(i);
    store.AddCaseInBatch(r);
  }
  store.Disconnect();
}

}  // namespace taiyi::bench

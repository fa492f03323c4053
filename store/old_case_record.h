// The case file of the old release (dat/taiYi.dat): a plain sequence of 152-byte
// little-endian records, GBK texts.  OldCaseRecord is one record taken apart; MDataBase
// reads the file record by record for the one-time conversion.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace taiyi {

inline constexpr std::size_t kOldCaseRecordSize = 152;

struct OldCaseRecord {
  bool deleted = false;  // byte 4 not 0
  std::string name;      // UTF-8, from 11 GBK bytes at 5
  std::string category;  // from 14 bytes at 16
  std::int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;  // at 30..38
  bool lunar = false, leapMonth = false, male = false;               // at 40, 41, 42
  std::int16_t provinceIndex = 0, cityIndex = 0;                     // at 44, 46
  float longitude = 0, latitude = 0;                                 // at 52, 56
  std::int32_t kind = 0;                                             // at 60
  std::string place;        // from 51 bytes at 68
  std::string commentStem;  // from 33 bytes at 119
};

// Takes one record apart; bytes must hold kOldCaseRecordSize bytes.
OldCaseRecord ParseOldCaseRecord(std::string_view bytes);

class MDataBase {
 public:
  MDataBase() = default;
  ~MDataBase() { EndRead(); }
  MDataBase(const MDataBase&) = delete;
  MDataBase& operator=(const MDataBase&) = delete;

  // Kind 0 names appDir + "dat/taiYi.dat"; a missing file is created empty.
  bool Open(const std::string& appDir, int kind = 0);
  const std::string& Path() const { return path_; }
  // Whole records in the file; a trailing partial record does not count.
  int RecordCount() const;
  bool BeginRead();
  // False when the index is outside 0..count-1, or the record is deleted.
  bool ReadRecord(int index, OldCaseRecord& record);
  void EndRead();

 private:
  std::string appDir_;
  std::string path_;
  std::FILE* file_ = nullptr;
  int count_ = 0;
};

}  // namespace taiyi

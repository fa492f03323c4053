#include "store/old_case_record.h"

#include <cstring>

#include "platform/file_util.h"
#include "platform/gbk.h"
#include "store/case_schema.h"

namespace taiyi {

namespace {

std::string Text(std::string_view bytes, std::size_t offset, std::size_t size) {
  std::string_view field = bytes.substr(offset, size);
  const std::size_t nul = field.find('\0');
  if (nul != std::string_view::npos) field = field.substr(0, nul);
  return GbkToUtf8(field);
}

template <typename T>
T Number(std::string_view bytes, std::size_t offset) {
  unsigned char b[sizeof(T)];
  std::memcpy(b, bytes.data() + offset, sizeof(T));
  std::uint32_t v = 0;
  for (std::size_t i = sizeof(T); i-- > 0;) v = (v << 8) | b[i];  // little-endian
  T out;
  if constexpr (sizeof(T) == 2) {
    const auto u = static_cast<std::uint16_t>(v);
    std::memcpy(&out, &u, sizeof out);
  } else {
    std::memcpy(&out, &v, sizeof out);
  }
  return out;
}

}  // namespace

OldCaseRecord ParseOldCaseRecord(std::string_view b) {
  OldCaseRecord r;
  r.deleted = b[4] != 0;
  r.name = Text(b, 5, 11);
  r.category = Text(b, 16, 14);
  r.year = Number<std::int16_t>(b, 30);
  r.month = Number<std::int16_t>(b, 32);
  r.day = Number<std::int16_t>(b, 34);
  r.hour = Number<std::int16_t>(b, 36);
  r.minute = Number<std::int16_t>(b, 38);
  r.lunar = b[40] != 0;
  r.leapMonth = b[41] != 0;
  r.male = b[42] != 0;
  r.provinceIndex = Number<std::int16_t>(b, 44);
  r.cityIndex = Number<std::int16_t>(b, 46);
  r.longitude = Number<float>(b, 52);
  r.latitude = Number<float>(b, 56);
  r.kind = Number<std::int32_t>(b, 60);
  r.place = Text(b, 68, 51);
  r.commentStem = Text(b, 119, 33);
  return r;
}

bool MDataBase::Open(const std::string& appDir, int kind) {
  EndRead();
  appDir_ = appDir;
  if (kind != 0) return false;
  path_ = OldCaseFilePath(appDir);
  if (!FileExists(path_)) return WriteFileAtomic(path_, "");
  return true;
}

int MDataBase::RecordCount() const {
  const std::int64_t size = FileSize(path_);
  return size < 0 ? 0 : static_cast<int>(size / static_cast<std::int64_t>(kOldCaseRecordSize));
}

bool MDataBase::BeginRead() {
  EndRead();
  file_ = std::fopen(path_.c_str(), "rb");
  count_ = file_ ? RecordCount() : 0;
  return file_ != nullptr;
}

bool MDataBase::ReadRecord(int index, OldCaseRecord& record) {
  if (!file_ || index < 0 || index >= count_) return false;
  char buf[kOldCaseRecordSize];
  if (std::fseek(file_, static_cast<long>(index) * static_cast<long>(kOldCaseRecordSize),
                 SEEK_SET) != 0 ||
      std::fread(buf, 1, sizeof buf, file_) != sizeof buf)
    return false;
  record = ParseOldCaseRecord(std::string_view(buf, sizeof buf));
  return !record.deleted;
}

void MDataBase::EndRead() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace taiyi

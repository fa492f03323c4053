#include "store/comment_file.h"

#include <cstdio>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/rtf_reader.h"
#include "store/rtf_writer.h"

namespace taiyi {

std::string CommentFilePath(const std::string& appDir, std::string_view stem) {
  return CommentFolder(appDir) + std::string(stem) + ".rtf";
}

std::string CommentStemBase(const TRecordData& r) {
  char moment[64];
  std::snprintf(moment, sizeof moment, "_%04d%02d%02d%02d%02d", r.year, r.month, r.day, r.hour,
                r.minute);
  // A name from a foreign database may hold a path separator; the file stays in the folder.
  std::string name = r.name;
  std::erase_if(name, [](char c) { return c == '/' || c == '\\' || c == '\0'; });
  return name + moment;
}

std::string MakeCommentFileName(const std::string& appDir, const TRecordData& r,
                                std::string& stem) {
  const std::string base = CommentStemBase(r);
  std::string path;
  for (int i = -1;; ++i) {
    stem = i < 0 ? base : base + "_" + std::to_string(i);
    path = CommentFilePath(appDir, stem);
    if (!FileExists(path) && !DirExists(path)) return path;
  }
}

bool ReadCommentPlainText(const std::string& path, std::string& text) {
  std::string bytes;
  if (!ReadFile(path, bytes)) return false;
  text = RtfPlainText(bytes);
  return true;
}

bool WriteCommentFile(const std::string& path, std::string_view bytes) {
  return WriteFileAtomic(path, bytes);
}

bool WriteCommentFromPlainText(const std::string& path, std::string_view text,
                               FileSync sync) {
  return WriteFileAtomic(path, PlainTextToRtf(text), sync);
}

}  // namespace taiyi

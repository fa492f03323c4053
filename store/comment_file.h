// The comment files of the cases: one RTF file per case in the comment folder, named by a
// stem made from the case's name and moment; reading their plain text and writing them.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_util.h"
#include "store/record_data.h"

namespace taiyi {

// appDir + "TaiYi_f/" + stem + ".rtf".
std::string CommentFilePath(const std::string& appDir, std::string_view stem);

// The comment stem of a record before any "_0": "%s_%04d%02d%02d%02d%02d" of name, year,
// month, day, hour and minute.
std::string CommentStemBase(const TRecordData& record);

// A comment file path that does not exist yet: the stem "%s_%04d%02d%02d%02d%02d" of name,
// year, month, day, hour and minute, then the same followed by "_0", "_1", … until the file
// does not exist.  The stem goes into stem.
std::string MakeCommentFileName(const std::string& appDir, const TRecordData& record,
                                std::string& stem);

// The plain text of a comment file (RTF, or a plain text file); false when it cannot be read.
bool ReadCommentPlainText(const std::string& path, std::string& text);

// Writes bytes over a comment file through a temporary file renamed into place.
bool WriteCommentFile(const std::string& path, std::string_view bytes);
// Writes a comment file holding the plain text, one paragraph per line.  With kLater the
// writer of many files calls SyncFileSystem once after the last.
bool WriteCommentFromPlainText(const std::string& path, std::string_view text,
                               FileSync sync = FileSync::kNow);

}  // namespace taiyi

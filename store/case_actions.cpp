#include "store/case_actions.h"

#include <utility>

#include "platform/file_util.h"
#include "store/comment_file.h"
#include "store/store_messages.h"

namespace taiyi {

int SaveNewCase(MRecordBase& store, TRecordData& record, const std::string& category,
                const std::string& commentRtf, const std::string& plainComment,
                std::string& commentPath) {
  record.className = category;
  std::string stem;
  const std::string path = store.MakeCommentFileName(record, stem);
  commentPath = path;
  record.remarkFile = stem;
  record.remarkText = RemoveApostrophes(plainComment);
  if (!WriteCommentFile(path, commentRtf)) {
    // Saving the case without its comment file would lose the formatted comment unnoticed.
    store.SetLastMessage(kMsgCannotWriteComment + path);
    return -1;
  }
  return store.AddCase(record);
}

bool SaveCaseChanges(MRecordBase& store, int id, TRecordData& record,
                     const std::string& commentRtf, const std::string& plainComment,
                     const std::string& commentPath) {
  record.remarkText = RemoveApostrophes(plainComment);
  if (!store.UpdateCase(id, record)) return false;
  if (WriteCommentFile(commentPath, commentRtf)) return true;
  store.SetLastMessage(kMsgCannotWriteComment + commentPath);
  return false;
}

bool DeleteCase(MRecordBase& store, int id, const std::string& commentPath) {
  std::string path = commentPath;
  if (path.empty()) {
    TRecordData record;
    if (store.LoadCase(id, record)) path = store.CommentPath(record);
  }
  if (!path.empty() && FileExists(path)) DeleteFile(path);
  return store.RemoveCase(id);
}

bool ShowCase(MRecordBase& store, int id, TRecordData& record, CaseComment& comment,
              std::string& commentPath) {
  if (!store.LoadCase(id, record)) return false;
  commentPath = store.CommentPath(record);
  comment = CaseComment{};
  if (FileExists(commentPath) && ReadFile(commentPath, comment.text)) {
    comment.isRichText = true;
  } else {
    comment.text = record.remarkText;
  }
  return true;
}

}  // namespace taiyi

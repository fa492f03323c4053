#include "store/case_actions.h"

#include <utility>

#include "platform/file_util.h"
#include "store/comment_file.h"
#include "store/record_data.h"
#include "store/store_journal.h"
#include "store/store_messages.h"

namespace taiyi {

int SaveNewCase(MRecordBase& store, TRecordData& record, const std::string& category,
                const std::string& commentRtf, const std::string& plainComment,
                std::string& commentPath) {
  record.className = category;
  record.remarkText = RemoveApostrophes(plainComment);
  return store.AddCaseWithComment(record, commentRtf, commentPath);
}

bool SaveCaseChanges(MRecordBase& store, int id, TRecordData& record,
                     const std::string& commentRtf, const std::string& plainComment,
                     const std::string& commentPath) {
  record.remarkText = RemoveApostrophes(plainComment);
  MRecordBase::WriteGuard guard(store, StoreLockMode::kShared);
  if (!guard) return false;
  // The new comment waits in a temporary file beside its place; an entry names it with the
  // row the update writes, so that a program that dies between the two steps leaves the next
  // open to put the comment in place (when the row was updated) or to drop it (when not).
  std::string temp;
  if (!WriteTempFile(commentPath, commentRtf, temp)) {
    store.SetLastMessage(kMsgCannotWriteComment + commentPath);
    return false;
  }
  std::vector<std::string> texts;
  for (const SqlValue& value : CaseToValues(record)) texts.push_back(value.ToText());
  const std::string pending =
      WritePendingStep(store, {{"kind", "update"},
                               {"id", std::to_string(id)},
                               {"digest", RowDigest(texts)},
                               {"temp", temp},
                               {"target", commentPath}});
  if (pending.empty()) {
    DeleteFile(temp);
    store.SetLastMessage(kMsgCannotWriteComment + commentPath);
    return false;
  }
  if (!store.UpdateCase(id, record)) {
    DeleteFile(temp);
    RemovePendingStep(pending);
    return false;
  }
  if (!RenameFile(temp, commentPath) || !SyncFolder(FolderOfPath(commentPath))) {
    // The entry stays: the next open puts the comment in place.
    store.SetLastMessage(kMsgCannotWriteComment + commentPath);
    return false;
  }
  RemovePendingStep(pending);
  return true;
}

bool DeleteCase(MRecordBase& store, int id, const std::string& commentPath) {
  MRecordBase::WriteGuard guard(store, StoreLockMode::kShared);
  if (!guard) return false;
  std::string path = commentPath;
  if (path.empty()) {
    TRecordData record;
    if (store.LoadCase(id, record)) path = store.CommentPath(record);
  }
  // The row goes first: a program that dies before the file goes leaves a comment file that
  // no case names, which the next open removes.
  if (!store.RemoveCase(id)) return false;
  if (!path.empty() && FileExists(path)) DeleteFile(path);
  return true;
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

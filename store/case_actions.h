// What the main window does with the store when it saves a new case, saves the changes of a
// stored case, deletes a case and shows one: the store calls and the comment files, in the
// order that keeps the two together.  The window adds its questions and its tree.
#pragma once

#include <string>

#include "store/record_base.h"

namespace taiyi {

// The comment of a case as the comment editor receives it.
struct CaseComment {
  bool isRichText = false;  // true: text holds the comment file's bytes (RTF)
  std::string text;         // otherwise the stored plain comment
};

// Saves the record as a new case in the category with its comment file, both or neither
// (MRecordBase::AddCaseWithComment).  Returns the new id, or -1 with the message in
// store.LastMessage().  commentPath receives the comment file's path.
int SaveNewCase(MRecordBase& store, TRecordData& record, const std::string& category,
                const std::string& commentRtf, const std::string& plainComment,
                std::string& commentPath);

// Saves the changes of the stored case id and its comment file at commentPath: the row and
// the file change together (a program that dies in between has the change finished or
// undone by the next open).  False with the message in store.LastMessage().
bool SaveCaseChanges(MRecordBase& store, int id, TRecordData& record,
                     const std::string& commentRtf, const std::string& plainComment,
                     const std::string& commentPath);

// Deletes a case: the row, then its comment file (when it exists).  commentPath may be
// empty: the stored case's own comment file is used then.  False with the message in
// store.LastMessage() when the row could not be deleted.
bool DeleteCase(MRecordBase& store, int id, const std::string& commentPath);

// Loads a case and its comment: the comment file when it exists, else the stored plain text.
// commentPath receives the comment file's path.
bool ShowCase(MRecordBase& store, int id, TRecordData& record, CaseComment& comment,
              std::string& commentPath);

}  // namespace taiyi

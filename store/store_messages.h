// The case store's own message texts, word for word as the user sees them.
#pragma once

namespace taiyi {

inline constexpr char kMsgCannotOpenDatabase[] = "无法创建或者打开数据库！";
inline constexpr char kMsgCannotCreateCaseTable[] = "无法创建数据主表！";
inline constexpr char kMsgCannotCreateExtraTable[] = "无法创建额外表！";
inline constexpr char kMsgCannotWriteExtraRow[] = "无法往额外表写入数据！";
inline constexpr char kMsgCannotReadPrimaryId[] = "无法读取额外表的主键id！";
// The stored primaryId is outside 0..2147483646: the store is left as it is.
inline constexpr char kMsgPrimaryIdOutOfRange[] =
    "额外表的主键id超出范围（0到2147483646），数据库可能已经损坏，未作任何改动！";
// Every id up to 2147483646 has been given; compaction numbers the cases from 1 again.
inline constexpr char kMsgNoMoreCaseIds[] = "案例编号已经用完，无法保存案例！请先整理数据。";
inline constexpr char kMsgCannotSaveCase[] = "无法保存案例！";
inline constexpr char kMsgCannotUpdatePrimaryId[] = "无法更新主键id！";
inline constexpr char kMsgCannotUpdateCase[] = "无法修改案例！";
inline constexpr char kMsgCannotDeleteCase[] = "无法删除案例！";
inline constexpr char kMsgCannotUpdateCategories[] = "无法更新案例类别！";
// A category list that would not read back as written, refused before it is stored.
inline constexpr char kMsgEmptyCategoryList[] = "类别列表不能为空，至少要保留一个类别！";
// The refused name follows (in “”).
inline constexpr char kMsgBadCategoryName[] = "类别名称不能为空，也不能包含空格：";
// Typed text (a name, comment, category or keyword) that is not valid UTF-8.
inline constexpr char kMsgTextNotUtf8[] = "文字不是有效的UTF-8编码：";
// Another program held the store for longer than a writer waits (a whole-store operation
// such as a compaction, an import or a restore, or a change while this one was one).
inline constexpr char kMsgStoreBusy[] = "案例数据正被另一个程序使用（整理、导入、还原等），请稍后再试！";
// A write by id after another program compacted or restored the store: the id may name
// another case now, so nothing was written.
inline constexpr char kMsgStoreRenumbered[] = "案例数据已被另一个程序整理或还原，请刷新后再试！";
// Format with the number of converted cases.
inline constexpr char kMsgOldStoreConverted[] = "已经把旧版数据库转换到新版，共转换 %d 个案例！";
// Shown after the changes of a stored case were saved.
inline constexpr char kMsgCaseChangesSaved[] = "已保存编辑后的命例。";
// Format with the stored case's name: the question before its changes are saved.
inline constexpr char kMsgAskUpdateCase[] = "要修改“%s”这条记录吗？";
// A comment file could not be written (the path follows).
inline constexpr char kMsgCannotWriteComment[] = "无法保存评语文件：";

// Whole-store operations: import, export, backup, restore and compaction.
inline constexpr char kMsgCannotOpenImport[] = "无法打开导入的数据库文件！";
inline constexpr char kMsgImportNotSameType[] = "不是相同的数据库类型，无法导入！";
// Format with the number of imported cases (0 when nothing arrived).
inline constexpr char kMsgImported[] = "共导入 %d 个案例！";
// Added to the import's message, with the number of imported cases whose texts held bytes
// that are not UTF-8 (each such byte became U+FFFD).
inline constexpr char kMsgImportRepaired[] = "其中 %d 个案例的文字含有无效的编码，已用“\uFFFD”代替。";
// Added to the import's message, with the number of cases left out because their comment
// file could not be written.
inline constexpr char kMsgImportNoComment[] = "另有 %d 个案例无法写入评语文件，没有导入。";
inline constexpr char kMsgCannotCopyDatabase[] = "无法复制db文件！";
inline constexpr char kMsgCannotCreateBackupCommentDir[] = "无法创建目的评语文件夹！";
inline constexpr char kMsgNoCommentFiles[] = "找不到评语文件！";
inline constexpr char kMsgNoSourceDatabase[] = "没有源db文件！";
// The backup's database is not a case store of this program.
inline constexpr char kMsgRestoreNotSameType[] = "不是相同的数据库类型，无法还原！";
inline constexpr char kMsgNoSourceCommentDir[] = "没有源评语文件夹！";
inline constexpr char kMsgNoSourceCommentFiles[] = "找不到源评语文件！";
inline constexpr char kMsgCannotRename[] = "无法更改文件名！";

// What the whole-store commands of the window and the command line say around them.
inline constexpr char kMsgImportFileMissing[] = "不存在这个数据库文件，无法导入！";
inline constexpr char kMsgRestartProgram[] = "请重启软件！";
inline constexpr char kMsgExportFileExists[] = "当前时间的数据库文件已经存在，请稍后再导出！";
inline constexpr char kMsgExportFailed[] =
    "没有可以导出的案例，或者无法创建导出数据库，导出失败，请重启软件再次试试！";
// Format with the number of exported cases and the export file.
inline constexpr char kMsgExported[] = " %d 个案例生日文件已经保存到：%s";
inline constexpr char kMsgAskOpenExportFolder[] = "，要打开所在文件夹吗？";
inline constexpr char kMsgBackupFolderExists[] = "当前时间的文件夹已经存在，请稍后再备份！";
// The backup folder goes between the two.
inline constexpr char kMsgBackupDoneBefore[] = "成功备份，已保存到";
inline constexpr char kMsgBackupDoneAfter[] = "目录下";
inline constexpr char kMsgRestoreNoDatabase[] = "没有要还原的的db数据文件！";
inline constexpr char kMsgRestoreNoCommentDir[] = "没有要还原的评语文件夹！";
inline constexpr char kMsgRestored[] = "成功还原，请重新打开软件！";
inline constexpr char kMsgAskDeleteAll[] = "确定要删除所有案例吗？";
inline constexpr char kMsgDeletedAll[] = "成功删除所有记录，请重新打开软件！";
inline constexpr char kMsgCannotDeleteDatabase[] =
    "无法删除案例数据库文件，案例没有删除！请检查数据文件夹是否可写。";
inline constexpr char kMsgCannotDeleteComments[] =
    "案例已经删除，但有些评语文件无法删除！请检查评语文件夹是否可写，并重新打开软件。";
inline constexpr char kMsgTooFewToCompact[] = "案例数据过少，无需整理！";
// Format with the number of cases kept.
inline constexpr char kMsgCompacted[] = " %d 个案例已经整理出来！";
// A whole-store operation that the user stopped: what it had done is undone.
inline constexpr char kMsgWorkStopped[] = "操作已停止，案例数据没有改变！";
inline constexpr char kMsgImportStopped[] = "已停止导入，案例数据没有改变！";
inline constexpr char kMsgExportStopped[] = "已停止导出，没有生成导出文件！";
inline constexpr char kMsgBackupStopped[] = "已停止备份，没有留下备份文件夹！";
inline constexpr char kMsgRestoreStopped[] = "已停止还原，案例数据没有改变！";
inline constexpr char kMsgCompactStopped[] = "已停止整理，案例数据没有改变！";

}  // namespace taiyi

// The case store's own message texts, word for word as the user sees them.
#pragma once

namespace taiyi {

inline constexpr char kMsgCannotOpenDatabase[] = "无法创建或者打开数据库！";
inline constexpr char kMsgCannotCreateCaseTable[] = "无法创建数据主表！";
inline constexpr char kMsgCannotCreateExtraTable[] = "无法创建额外表！";
inline constexpr char kMsgCannotWriteExtraRow[] = "无法往额外表写入数据！";
inline constexpr char kMsgCannotReadPrimaryId[] = "无法读取额外表的主键id！";
inline constexpr char kMsgCannotSaveCase[] = "无法保存案例！";
inline constexpr char kMsgCannotUpdatePrimaryId[] = "无法更新主键id！";
inline constexpr char kMsgCannotUpdateCase[] = "无法修改案例！";
inline constexpr char kMsgCannotDeleteCase[] = "无法删除案例！";
inline constexpr char kMsgCannotUpdateCategories[] = "无法更新案例类别！";
// Format with the number of converted cases.
inline constexpr char kMsgOldStoreConverted[] = "已经把旧版数据库转换到新版，共转换 %d 个案例！";
// Shown after the changes of a stored case were saved.
inline constexpr char kMsgCaseChangesSaved[] = "已保存编辑后的命例。";
// Format with the stored case's name: the question before its changes are saved.
inline constexpr char kMsgAskUpdateCase[] = "要修改“%s”这条记录吗？";
// A comment file could not be written (the path follows).
inline constexpr char kMsgCannotWriteComment[] = "无法保存评语文件：";

}  // namespace taiyi

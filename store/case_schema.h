// What the case store is on disk: the database and comment-folder names, the statements that
// create the two tables, the column list of case_extra and the default categories.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace taiyi {

// The constant word in the store's file names.
inline constexpr std::string_view kStoreName = "TaiYi";
// The old release spelled it with a small t (its file names; the folder is the same one).
inline constexpr std::string_view kOldStoreName = "taiYi";
// The store type tag kept in case_extra.baseType.
inline constexpr std::string_view kStoreBaseType = "birthData";
inline constexpr int kStorePlatformId = 0;
// Case ids run 1..kMaxCaseId: the next id must still fit a 32-bit signed number, and a
// stored primaryId outside 0..kMaxCaseId marks a store that cannot be trusted.
inline constexpr int kMaxCaseId = 2147483646;
inline constexpr int kStoreVerCode = 1000;

// The columns of case_extra in their declared order.
inline constexpr std::array<std::string_view, 5> kExtraColumns = {
    "PlatformId", "verCode", "primaryId", "className", "baseType"};

// The categories of a new store, in their order.
inline constexpr std::array<std::string_view, 15> kDefaultCategories = {
    "家人",     "亲戚朋友", "富商巨贾", "政界名人", "社会名流", "影视明星", "命理学者", "IT名人",
    "宗教人士", "历史人物", "军事家",   "文学家",   "科学家",   "刑事犯罪", "临时保存"};

// "create table case_data(id integer primary key,name char(20),…,remarkText text);"
const std::string& CaseTableStatement();
// "create table case_extra(PlatformId,verCode,primaryId,className,baseType);"
const std::string& ExtraTableStatement();
// The insert of the one case_extra row, with five parameters in column order.
const std::string& ExtraRowInsertStatement();

// The default categories joined by single spaces.
std::string DefaultCategoryText();
std::vector<std::string> DefaultCategoryList();

// Paths under the application folder (which ends with '/').
std::string CaseDatabasePath(const std::string& appDir);     // dat/TaiYi.db
std::string CommentFolder(const std::string& appDir);        // TaiYi_f/
std::string OldCaseFilePath(const std::string& appDir);      // dat/taiYi.dat
std::string OldCategoryIniPath(const std::string& appDir);   // dat/bzinit.ini

}  // namespace taiyi

// File-system helpers used by the store, the settings and the windows.  Paths are UTF-8
// with '/' separators.  Every function reports failure by its result; none throws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace taiyi {

bool FileExists(const std::string& path);  // a regular file
bool DirExists(const std::string& path);
// Creates the folder and its missing parents; true when it exists afterwards.
bool CreateDirs(const std::string& path);
// Copies a file; with replace false an existing target is left alone and false returned.
bool CopyFile(const std::string& from, const std::string& to, bool replace);
bool DeleteFile(const std::string& path);
// Renames (moves) a file or folder, replacing an existing file (or empty folder) there.
bool RenameFile(const std::string& from, const std::string& to);
// Removes a folder with everything in it; true when it is gone afterwards.
bool RemoveTree(const std::string& path);
// File size in bytes, or -1 when the file does not exist.
std::int64_t FileSize(const std::string& path);

// The whole file; false when it cannot be read (a folder cannot).
bool ReadFile(const std::string& path, std::string& bytes);

// When a written file is flushed to disk: kNow before it is renamed into place; kLater by a
// SyncFileSystem call the writer makes once after many files (one flush costs milliseconds).
enum class FileSync { kNow, kLater };
// Writes the bytes to a temporary file in the same folder and renames it over the target: a
// crash leaves either the old file or the new one, never half of one (with kLater, once the
// writer's SyncFileSystem has returned).
bool WriteFileAtomic(const std::string& path, std::string_view bytes,
                     FileSync sync = FileSync::kNow);
// Flushes every file written on the file system that holds path to disk.
bool SyncFileSystem(const std::string& path);
// Flushes a folder's entries (a rename or a new file in it) to disk.
bool SyncFolder(const std::string& dir);
// The folder that holds a path, ending with '/' (empty for a bare name).
std::string FolderOfPath(const std::string& path);

// The first half of WriteFileAtomic: the bytes in a new temporary file beside path, flushed
// to disk (with kLater: by the writer's later SyncFileSystem); its name goes into temp.  A
// temporary file's name is path + ".tmp" + more.
bool WriteTempFile(const std::string& path, std::string_view bytes, std::string& temp,
                   FileSync sync = FileSync::kNow);
// Gives the written temporary file the name path unless a file of that name exists (false
// then, and the temporary file stays); the folder is flushed (with kLater: by the writer's
// later SyncFileSystem).
bool ClaimFileName(const std::string& temp, const std::string& path,
                   FileSync sync = FileSync::kNow);

// Names (not paths) of the regular files of a folder that match a shell pattern such as
// "*.rtf", sorted by name.  With ignoreCase the pattern matches regardless of letter case.
std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern,
                                   bool ignoreCase = false);

// A folder path with exactly one trailing '/'.
std::string WithSlash(std::string dir);

}  // namespace taiyi

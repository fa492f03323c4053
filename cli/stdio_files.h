// "-" names standard input or standard output wherever the command-line program reads or
// writes a file (--comment-file -, --png -, --pdf -, chart --batch -, case load -).
#pragma once

#include <string>
#include <string_view>

namespace taiyi::cli {

bool IsStdStream(const std::string& path);

// The whole file, or everything on standard input for "-".  False when it cannot be read.
bool ReadInputFile(const std::string& path, std::string& bytes);

// Writes the bytes to standard output for "-", else over the file through a temporary file
// renamed into place.  False when it cannot be written.
bool WriteOutputFile(const std::string& path, std::string_view bytes);

// For writers that only write to a path: a temporary file to write into when path is "-",
// then CopyToStdout sends it to standard output and removes it.
std::string TemporaryOutputPath(const std::string& suffix);
bool CopyToStdout(const std::string& temporaryPath);

}  // namespace taiyi::cli

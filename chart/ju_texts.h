// The 144 ju texts: one per ju and 遁, numbered 1000 + ju (阳遁) and 1800 + ju (阴遁), each a
// title, "_" and a body.  They are read from a text file of "number=text" lines; a missing or
// damaged file leaves the texts it could not read empty.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace taiyi {

inline constexpr int kJuTextCount = 144;
inline constexpr char kJuTextFileName[] = "jutext.txt";

// 1001 … 1072 for 阳遁, 1801 … 1872 for 阴遁; 0 for a ju outside 1..72.
int JuTextNumber(bool yang, int ju);

// The title (before the first "_") and the body (after it).  A text without "_" has an
// empty title and is all body.
struct JuTextParts {
  std::string_view title;
  std::string_view body;
};
JuTextParts SplitJuText(std::string_view text);

class JuTexts {
 public:
  // Reads the file; false when it cannot be read (every text is then empty).
  bool Load(const std::string& path);
  // Takes the texts from a file's content: UTF-8, or GBK when it is not valid UTF-8.  Lines
  // starting with "#" and lines that are no "number=text" of a known number are skipped; of
  // two lines with the same number the first counts.  Returns the number of texts read.
  int Parse(std::string_view content);

  // The text of a number, empty when it is unknown or was not read.
  std::string_view Text(int number) const;
  std::string_view Text(bool yang, int ju) const { return Text(JuTextNumber(yang, ju)); }
  // How many of the 144 texts are present (non-empty).
  int Count() const;

 private:
  std::array<std::string, kJuTextCount> texts_;  // 阳遁 ju 1..72, then 阴遁 ju 1..72
};

}  // namespace taiyi

// The star texts of the analysis: sections of interpretive lines per star ("[WuFu]" … "[end]")
// and per star's grade ("[WuFu_Grade]"), read from dat/yistar.txt, with the line lookup and
// the grade sentence of a star standing on a branch.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "chart/deity_positions.h"

namespace taiyi {

inline constexpr char kStarTextFileName[] = "yistar.txt";

// Section key of a deity ("TaiSui" … "DingMu"); empty for a code outside 0..36.
std::string_view StarKey(DeityCode code);

class StarTexts {
 public:
  // Reads the file; false when it cannot be read (every line is then empty).
  bool Load(const std::string& path);
  // Takes the lines from a file's content: UTF-8, or GBK when it is not valid UTF-8.  Lines
  // of at most one character after trimming are dropped.  Returns the number of kept lines.
  int Parse(std::string_view content);

  // The n-th kept line (n from 1) after the line "[key]"; empty when there is no such
  // section, when n < 1, or when "[end]" comes before the n-th line.
  std::string_view StarLine(std::string_view key, int n) const;

  // The line of a deity standing on a position: its branch line (2..13 for 子 … 亥) or its
  // 乾/艮/巽/坤 line (14..17); empty for the centre or a deity without texts.
  std::string_view PositionLine(DeityCode code, int position) const;

  // "★%s入命，%s": the full deity name and the line of the first grade (上, 中, 下) whose
  // branches hold the branch of the position.  Empty for a deity outside the grade table,
  // for a corner palace or the centre, and when the branch is in no list.
  std::string GradeText(DeityCode code, int position) const;

  bool Empty() const { return lines_.empty(); }

 private:
  std::vector<std::string> lines_;                             // the kept lines, trimmed
  std::unordered_map<std::string, std::size_t> sectionStart_;  // "[key]" -> its line index
};

}  // namespace taiyi

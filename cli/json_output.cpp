#include "cli/json_output.h"

#include <iostream>

namespace taiyi::cli {

void PrintJson(const Json& doc) {
  std::cout << JsonText(doc, 2) << '\n';
}

void PrintJsonLine(const Json& doc) {
  std::cout << JsonText(doc) << '\n';
}

}  // namespace taiyi::cli

// The one way the command line prints a JSON document: a text that is not valid UTF-8 (a
// case stored by an older program, a file name) comes out with U+FFFD in place of its bad
// bytes instead of stopping the program.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace taiyi::cli {

// The document as text; indent as for nlohmann's dump (-1: one line).
template <typename Json>
std::string JsonText(const Json& doc, int indent = -1) {
  return doc.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace taiyi::cli

// The one way the command line prints JSON: a single result as one indented document, a list
// as JSON Lines (one compact object per line, written as it is made).  A text that is not
// valid UTF-8 (a case stored by an older program, a file name) comes out with U+FFFD in place
// of its bad bytes instead of stopping the program.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace taiyi::cli {

using Json = nlohmann::ordered_json;

// The document as text; indent as for nlohmann's dump (-1: one line).
template <typename Document>
std::string JsonText(const Document& doc, int indent = -1) {
  return doc.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

// One document, indented by two spaces, and a line break.
void PrintJson(const Json& doc);
// One line of JSON Lines on stdout.
void PrintJsonLine(const Json& doc);

}  // namespace taiyi::cli

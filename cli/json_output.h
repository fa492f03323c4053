// The one way the command line prints JSON: a single result as one indented document, a list
// as JSON Lines (one compact object per line, written as it is made).  A text that is not
// valid UTF-8 (a case stored by an older program, a file name) comes out with U+FFFD in place
// of its bad bytes instead of stopping the program.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>

namespace taiyi::cli {

using Json = nlohmann::ordered_json;

// The document as text; indent as for nlohmann's dump (-1: one line).
template <typename Document>
std::string JsonText(const Document& doc, int indent = -1) {
  return doc.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

// An object made member by member in the order given.  nlohmann's initializer lists build a
// two-element array for every member and search the keys made so far; a chart document has
// some two thousand members, so its many small objects are made this way.  Keys must differ.
class JsonObject {
 public:
  explicit JsonObject(std::size_t members) { Members().reserve(members); }
  template <typename Value>
  JsonObject& Add(std::string_view key, Value&& value) & {
    Members().emplace_back(std::string(key), Json(std::forward<Value>(value)));
    return *this;
  }
  template <typename Value>
  JsonObject&& Add(std::string_view key, Value&& value) && {
    return std::move(Add(key, std::forward<Value>(value)));
  }
  operator Json() && { return std::move(doc_); }

 private:
  Json::object_t& Members() { return doc_.get_ref<Json::object_t&>(); }
  Json doc_ = Json::object();
};

// An empty array with room for n elements.
inline Json JsonArray(std::size_t n) {
  Json a = Json::array();
  a.get_ref<Json::array_t&>().reserve(n);
  return a;
}

// One document, indented by two spaces, and a line break.
void PrintJson(const Json& doc);
// One line of JSON Lines on stdout.
void PrintJsonLine(const Json& doc);

}  // namespace taiyi::cli

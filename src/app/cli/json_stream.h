#pragma once

#include <ostream>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace tarnwick {

/// Writes JSON straight to a stream as it is made, so a large document never exists whole in
/// memory. Compact, or indented by two blanks per level exactly as `nlohmann::json::dump(2)` does.
/// Scalars are written by the JSON library, which replaces bytes that are not UTF-8.
class JsonStream {
 public:
  JsonStream(std::ostream& out, bool pretty) : out_(out), pretty_(pretty) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  /// The name of the next value of the open object.
  void Key(std::string_view name);
  void String(std::string_view text);
  void Scalar(const nlohmann::ordered_json& value);
  /// A whole array of strings.
  void Strings(const std::vector<std::string>& texts);

 private:
  void Open(char bracket);
  void WriteScalar(const nlohmann::ordered_json& value);
  void Close(char bracket);
  // The separator and indent before a value or a key.
  void BeforeItem();
  void Indent(size_t level);

  struct Level {
    bool Empty = true;
  };
  std::ostream& out_;
  bool pretty_;
  bool afterKey_ = false;
  std::vector<Level> levels_;
};

}  // namespace tarnwick

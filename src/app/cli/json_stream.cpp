#include "app/cli/json_stream.h"

namespace tarnwick {

void JsonStream::Indent(size_t level) {
  if (!pretty_) return;
  out_.put('\n');
  for (size_t i = 0; i < level; ++i) out_.write("  ", 2);
}

void JsonStream::BeforeItem() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  if (!levels_.back().Empty) out_.put(',');
  levels_.back().Empty = false;
  Indent(levels_.size());
}

void JsonStream::Open(char bracket) {
  BeforeItem();
  out_.put(bracket);
  levels_.emplace_back();
}

void JsonStream::Close(char bracket) {
  bool empty = levels_.back().Empty;
  levels_.pop_back();
  if (!empty) Indent(levels_.size());
  out_.put(bracket);
}

void JsonStream::WriteScalar(const nlohmann::ordered_json& value) {
  out_ << value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void JsonStream::Key(std::string_view name) {
  BeforeItem();
  WriteScalar(name);
  out_ << (pretty_ ? ": " : ":");
  afterKey_ = true;
}

void JsonStream::String(std::string_view text) {
  BeforeItem();
  WriteScalar(text);
}

void JsonStream::Scalar(const nlohmann::ordered_json& value) {
  BeforeItem();
  WriteScalar(value);
}

void JsonStream::Strings(const std::vector<std::string>& texts) {
  BeginArray();
  for (const std::string& text : texts) String(text);
  EndArray();
}

}  // namespace tarnwick

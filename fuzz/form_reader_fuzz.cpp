#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/form_file_reader.h"

namespace {

// A resource header and the stream signature, so that framed inputs reach the objects at once.
const std::string kFrame("\xFF\x0A\x00" "F\x00" "\x30\x10" "\x00\x00\x00\x00" "TPF0", 15);

void Check(const tarnwick::FormConversion& result) {
  if (result.Ok != result.Error.empty() || (!result.Ok && !result.Text.empty())) __builtin_trap();
}

}  // namespace

// Each input is converted as a whole file and again as a component stream behind a valid header.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Check(tarnwick::ConvertFormFile(bytes));
  std::string framed = kFrame;
  framed.append(bytes);
  Check(tarnwick::ConvertFormFile(framed));
  return 0;
}

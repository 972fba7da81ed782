#include <benchmark/benchmark.h>

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "analysis/form_file_reader.h"

namespace {

/// Builds a binary form file in memory: a root form holding panels, each with a run of
/// components that carry properties of every value type.
class FormStreamBuilder {
 public:
  FormStreamBuilder() {
    bytes_.assign("\xFF\x0A\x00" "TBENCHFORM\x00" "\x30\x10" "\x00\x00\x00\x00" "TPF0", 24);
  }

  std::string Build(size_t targetSize) {
    BeginObject("TBenchForm", "BenchForm");
    Name("Caption");
    ShortString("Benchmark");
    End();
    for (int panel = 0; bytes_.size() < targetSize; ++panel) {
      BeginObject("TPanel", "Panel" + std::to_string(panel));
      End();
      for (int item = 0; item < 20; ++item) Component(item);
      End();
    }
    End();
    return std::move(bytes_);
  }

 private:
  void Byte(uint8_t value) { bytes_ += static_cast<char>(value); }
  void Le(uint64_t value, int size) {
    for (int i = 0; i < size; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
  }
  void Name(std::string_view name) {
    Byte(static_cast<uint8_t>(name.size()));
    bytes_ += name;
  }
  void BeginObject(std::string_view className, const std::string& name) {
    Name(className);
    Name(name);
  }
  void End() { Byte(0); }
  void ShortString(std::string_view text) {
    Byte(6);
    Name(text);
  }
  void LongString(uint8_t type, std::string_view text) {
    Byte(type);
    Le(text.size(), 4);
    bytes_ += text;
  }

  // A property whose value is a type byte and `size` little-endian bytes of `bits`.
  void Fixed(std::string_view name, uint8_t type, uint64_t bits, int size) {
    Name(name);
    Byte(type);
    Le(bits, size);
  }

  void Numbers(int item) {
    Fixed("Tag", 2, static_cast<uint64_t>(-item), 1);
    Fixed("Left", 3, 1000 + item, 2);
    Fixed("Width", 4, 100000 + item, 4);
    Fixed("Big", 19, 1234567890123ULL * (item + 1), 8);
    Fixed("Ratio", 5, 0xCCCCCCCCCCCCCCCD, 8);  // 0.1 as an extended: mantissa, then exponent
    Le(0x3FFB, 2);
    Fixed("Scale", 15, std::bit_cast<uint32_t>(1.25f * item), 4);
    Fixed("Price", 16, 123456789 + item, 8);
    Fixed("Stamp", 17, std::bit_cast<uint64_t>(45000.25 + item), 8);
    Fixed("Exact", 21, std::bit_cast<uint64_t>(0.1 * item), 8);
  }

  void Texts() {
    Name("Caption");
    ShortString("Press 'here'\r\nto go on");
    Name("Hint");
    LongString(12, "A hint that is longer than sixty-four characters, so that it is split "
                   "over several lines of the form text.");
    Fixed("Title", 18, 6, 4);
    for (char16_t c : std::u16string_view(u"Gr\u00FC\u00DFe\u20AC")) Le(c, 2);
    Name("Label");
    LongString(20, "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80");
    Name("Color");
    Byte(7);
    Name("clBtnFace");
    for (auto [name, type] : {std::pair{"Visible", 9}, {"Enabled", 8}, {"PopupMenu", 13}}) {
      Name(name);
      Byte(static_cast<uint8_t>(type));
    }
  }

  void Structures() {
    Name("Anchors");
    Byte(11);
    for (std::string_view anchor : {"akLeft", "akTop", "akRight", ""}) Name(anchor);
    Name("Items.Strings");
    Byte(1);
    for (int i = 0; i < 4; ++i) ShortString("Line " + std::to_string(i));
    End();
    Fixed("Picture.Data", 10, 100, 4);
    for (int i = 0; i < 100; ++i) Byte(static_cast<uint8_t>(i * 7));
    Name("Columns");
    Byte(14);
    for (int i = 0; i < 2; ++i) {
      Byte(1);
      Fixed("Width", 2, 50, 1);
      Name("Caption");
      ShortString("Column");
      End();
    }
    End();
  }

  void Component(int item) {
    BeginObject("TBenchControl", "Control" + std::to_string(item));
    Numbers(item);
    Texts();
    Structures();
    End();
    End();
  }

  std::string bytes_;
};

void BM_ConvertBinaryForm(benchmark::State& state) {
  const std::string form = FormStreamBuilder().Build(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    tarnwick::FormConversion result = tarnwick::ConvertFormFile(form);
    if (!result.Ok) state.SkipWithError(result.Error.c_str());
    benchmark::DoNotOptimize(result.Text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(form.size()));
}
BENCHMARK(BM_ConvertBinaryForm)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// jpeglib.h uses FILE and size_t without including their headers: <cstdio> comes first.
#include <jpeglib.h>

#include "platform/jpeg_codec.h"
#include "report/tree_images.h"

namespace {

using namespace tarnwick;

/// Answers every message with OK and remembers that one came, so a benchmark can stop on it.
class CountingPrompter final : public Prompter {
 public:
  MessageAnswer Show(MessageKind, std::string_view, MessageButtons) override {
    ++count_;
    return MessageAnswer::Ok;
  }
  int Count() const { return count_; }

 private:
  int count_ = 0;
};

/// A scratch folder for the pages, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern + "/";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

/// A dependency-like tree of `count` nodes: levels wander between 0 and 8 the way nested uses
/// clauses do, each node one level deeper than the last at most.
struct BenchTree {
  explicit BenchTree(int count) {
    uint32_t seed = 12345;
    int level = 0;
    for (int i = 0; i < count; ++i) {
      texts.push_back((i % 7 == 0 ? "MainFormUnit" : "Unit") + std::to_string(i));
      levels.push_back(level);
      seed = seed * 1103515245u + 12345u;
      level = std::min<int>(8, static_cast<int>((seed >> 16) % static_cast<uint32_t>(level + 2)));
    }
    for (int i = 0; i < count; ++i) rows.push_back(TreeRow{levels[i], texts[i], {}});
  }
  std::vector<std::string> texts;
  std::vector<int> levels;
  std::vector<TreeRow> rows;
};

struct BenchRun {
  CountingPrompter prompter;
  NullProgressSink progress;
  EstimatingTextMeasure measure;
  UserInterface ui{prompter, progress, measure};
  ScratchFolder folder;
  TreeImageRequest request;

  explicit BenchRun(const BenchTree& tree, int linesPerImage) {
    request.BaseName = "Dependencies";
    request.Rows = &tree.rows;
    request.LinesPerImage = linesPerImage;
    request.DocumentationFolder = folder.Path();
  }
};

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The whole job of a document run: draw, encode and save every page of the tree.
void BM_DrawTreePictures(benchmark::State& state) {
  const BenchTree tree(static_cast<int>(state.range(0)));
  BenchRun run(tree, 100);
  for (auto _ : state) {
    std::vector<TreePage> pages = DrawTreeImages(run.request, run.ui);
    benchmark::DoNotOptimize(pages.data());
  }
  if (run.prompter.Count() > 0) state.SkipWithError("the drawing reported a failure");
  const double rows = static_cast<double>(tree.rows.size() + 1);
  state.counters["rows/s"] = benchmark::Counter(rows, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["peak_rss_MB"] = static_cast<double>(PeakResidentKilobytes()) / 1024.0;
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DrawTreePictures)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

constexpr int kPageHeight = 1600;

// The pixels of a drawn page of the bench tree, cut to 480 x 1600, in the renderer's layout.
struct DrawnPixels {
  std::vector<uint8_t> bytes;
  size_t stride = 0;
  PixelView View() const { return PixelView{kTreePageWidth, kPageHeight, PixelLayout::Bgra, bytes, stride}; }
};

const DrawnPixels& BenchPage() {
  static const DrawnPixels page = [] {
    const int rowHeight = MeasureTreeFont(FontChoice{})->RowHeight;
    const BenchTree tree(400);
    BenchRun run(tree, (kPageHeight + rowHeight - 1) / rowHeight);
    DrawnPixels pixels;
    run.request.PageDrawn = [&pixels](const TreePage& page, const PixelView& view) {
      if (page.Top != 0) return;
      pixels.stride = view.RowStride();
      pixels.bytes.assign(view.Data.begin(), view.Data.begin() + static_cast<std::ptrdiff_t>(pixels.stride * kPageHeight));
    };
    DrawTreeImages(run.request, run.ui);
    return pixels;
  }();
  return page;
}

// Drawing alone: the time from the call until the page's pixels are handed over, which takes in
// measuring the font, laying out the tree and painting one page of 1600 pixel rows or a few more.
void BM_DrawPage(benchmark::State& state) {
  const int rowHeight = MeasureTreeFont(FontChoice{})->RowHeight;
  const int linesPerImage = (kPageHeight + rowHeight - 1) / rowHeight;
  const BenchTree tree(linesPerImage - 1);
  BenchRun run(tree, linesPerImage);
  std::chrono::steady_clock::time_point start, drawn;
  run.request.PageDrawn = [&drawn](const TreePage& page, const PixelView&) {
    if (page.Top == 0) drawn = std::chrono::steady_clock::now();
  };
  for (auto _ : state) {
    start = std::chrono::steady_clock::now();
    DrawTreeImages(run.request, run.ui);
    state.SetIterationTime(std::chrono::duration<double>(drawn - start).count());
  }
}
BENCHMARK(BM_DrawPage)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_EncodePage(benchmark::State& state) {
  const PixelView view = BenchPage().View();
  for (auto _ : state) {
    std::optional<std::string> jpeg = EncodeJpeg(view, 100);
    benchmark::DoNotOptimize(jpeg->data());
  }
}
BENCHMARK(BM_EncodePage)->Unit(benchmark::kMicrosecond);

// libjpeg with nothing around it: the same pixels, defaults, quality 100, into memory.
void BM_BareLibjpegEncode(benchmark::State& state) {
  const DrawnPixels& page = BenchPage();
  for (auto _ : state) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = kTreePageWidth;
    info.image_height = kPageHeight;
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
      JSAMPROW row = const_cast<JSAMPROW>(page.bytes.data() + page.stride * info.next_scanline);
      jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    benchmark::DoNotOptimize(output);
    std::free(output);
  }
}
BENCHMARK(BM_BareLibjpegEncode)->Unit(benchmark::kMicrosecond);

}  // namespace

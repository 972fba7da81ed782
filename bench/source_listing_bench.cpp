// Throughput of the source listing (Pascal source to HTML) over a large generated source of varied
// units: indented declarations and routines, all three comment forms (one over several lines),
// string literals holding quotes, "&" and angle brackets, numbers, and CR LF line ends.
//
// Besides the benchmarks, the program has two modes used by compare-listing.sh to time the
// listing against other highlighters, one process per tool:
//   source_listing_bench --write-corpus FOLDER COUNT   writes COUNT generated units into FOLDER
//   source_listing_bench --list FILE...                writes the listing of every file to stdout
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include <unistd.h>

#include "analysis/project_model.h"
#include "app/workspace.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "report/html_writer.h"
#include "report/report_options.h"
#include "report/source_listing.h"

namespace {

using tarnwick::ListingToHtml;

std::string InterfacePart(const std::string& id) {
  return "unit Customers" + id + ";\r\n\r\n{ Customer maintenance, part " + id + ".\r\n"
         "  Keeps the grid and the detail panel in step;\r\n  see <Orders" + id +
         "> & \"Invoices\". }\r\n\r\ninterface\r\n\r\nuses\r\n"
         "  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs,\r\n"
         "  DB, Grids, DBGrids, StdCtrls, ExtCtrls;\r\n\r\ntype\r\n"
         "  TCustomerForm" + id + " = class(TForm)\r\n    CustomerGrid: TDBGrid;\r\n"
         "    DetailPanel: TPanel;\r\n    SaveButton: TButton;\r\n"
         "    procedure FormCreate(Sender: TObject);\r\n"
         "    procedure SaveButtonClick(Sender: TObject);\r\n  private\r\n"
         "    FCount: Integer;      // rows shown\r\n    FCaption: string;\r\n"
         "    function RowText(Row: Integer): string; virtual;\r\n  public\r\n"
         "    property Count: Integer read FCount write FCount;\r\n  end;\r\n\r\n"
         "var\r\n  CustomerForm" + id + ": TCustomerForm" + id + ";\r\n\r\n"
         "implementation\r\n\r\nuses DataModule" + id + ";\r\n\r\n{$R *.dfm}\r\n\r\n";
}

std::string ImplementationPart(const std::string& id) {
  return "procedure TCustomerForm" + id + ".FormCreate(Sender: TObject);\r\nBegin\r\n"
         "  (* Size the grid before the first paint. *)\r\n  FCount := " + id + " * 16 + 3;\r\n"
         "  FCaption := 'Customers (' + IntToStr(FCount) + ' rows)';\r\n"
         "\tCustomerGrid.Columns[0].Width := 120;\r\n"
         "  if (FCount > 1000) and (FCount < 5000) then\r\n"
         "    ShowMessage('It''s a \"large\" table: ' + FCaption);\r\nEnd;\r\n\r\n"
         "function TCustomerForm" + id + ".RowText(Row: Integer): string;\r\nbegin\r\n"
         "  case Row mod 3 of\r\n    0: Result := '<none>';\r\n    1: Result := 'A & B';\r\n"
         "  else\r\n    Result := Format('%d of %d', [Row, FCount]);\r\n  end;\r\nend;\r\n\r\n"
         "procedure TCustomerForm" + id + ".SaveButtonClick(Sender: TObject);\r\n"
         "var\r\n  I: Integer;\r\nbegin\r\n  for I := 0 to FCount - 1 do\r\n  begin\r\n"
         "    // Post every modified row.\r\n    if DM.Customers.Modified then\r\n"
         "      DM.Customers.Post;\r\n  end;\r\n  Caption := Format('%s - %d', [FCaption, I]);\r\n"
         "end;\r\n\r\nend.\r\n";
}

std::string GeneratedUnits(size_t minimumSize, int firstId) {
  std::string text;
  for (int n = firstId; text.size() < minimumSize; ++n) {
    const std::string id = std::to_string(n);
    text += InterfacePart(id) + ImplementationPart(id);
  }
  return text;
}

const std::string& Source() {
  static const std::string source = GeneratedUnits(8u << 20, 1);
  return source;
}

void BM_ListingToHtml(benchmark::State& state) {
  const bool lineNumbers = state.range(0) != 0;
  const bool syntaxPrint = state.range(1) != 0;
  for (auto _ : state) {
    std::string html = ListingToHtml(Source(), lineNumbers, syntaxPrint);
    benchmark::DoNotOptimize(html.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Source().size()));
}

// The generated units as a modern project holds them: UTF-8 with a few characters beyond ASCII in
// every unit.
const std::string& Utf8Source() {
  static const std::string source = [] {
    std::string text = Source();
    const std::string mark = "{$R *.dfm}";
    const std::string marked = mark + " // Kunden\xC3\xBCbersicht \xE2\x80\x93 Gr\xC3\xB6\xC3\x9F" "e \xE2\x9C\x93";
    std::string out;
    out.reserve(text.size() + text.size() / 50);
    size_t from = 0;
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, from)) {
      out.append(text, from, at - from).append(marked);
      from = at + mark.size();
    }
    return out.append(text, from);
  }();
  return source;
}

// The listing of a UTF-8 source with and without the decoding every listing goes through: the
// difference is what the code page costs a project that needs none.
void BM_Utf8Listing(benchmark::State& state) {
  const bool decode = state.range(0) != 0;
  const tarnwick::TextDecoder decoder("windows-1252");
  std::string storage;
  for (auto _ : state) {
    const std::string_view text = decode ? decoder.ToUtf8(Utf8Source(), storage) : Utf8Source();
    std::string html = ListingToHtml(text, true, true);
    benchmark::DoNotOptimize(html.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Utf8Source().size()));
}

// A prompter for runs that never ask anything.
class SilentPrompter final : public tarnwick::Prompter {
 public:
  tarnwick::MessageAnswer Show(tarnwick::MessageKind, std::string_view,
                               tarnwick::MessageButtons) override {
    return tarnwick::MessageAnswer::Ok;
  }
};

// A project's worth of unit files of about 200 KB each, read and listed one by one into one
// document as the documentation writer does.
void BM_UnitsIntoDocument(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("listing_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  tarnwick::ProjectModel model;
  model.ProjectFolder = folder.string() + "/";
  size_t bytes = 0;
  for (int i = 0; i < 40; ++i) {
    const std::string name = "Customers" + std::to_string(i);
    const std::string text = GeneratedUnits(200u << 10, i * 1000);
    std::ofstream(folder / (name + ".pas"), std::ios::binary) << text;
    model.AddUnit({name, "", ""});
    bytes += text.size();
  }
  const tarnwick::ReportOptions options;
  SilentPrompter prompter;
  tarnwick::NullProgressSink progress;
  tarnwick::EstimatingTextMeasure measure;
  tarnwick::UserInterface ui{prompter, progress, measure};
  for (auto _ : state) {
    tarnwick::HtmlWriter writer;
    for (const tarnwick::UnitEntry& unit : model.Units()) {
      tarnwick::SourceToHtml(model, unit.UnitName, options, writer, ui);
    }
    benchmark::DoNotOptimize(writer.Text().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  std::filesystem::remove_all(folder);
}

// The same listing made by the four steps one after another, for comparison.
void BM_FourSteps(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = tarnwick::AddLineNumbers(Source());
    text = tarnwick::EscapeAndKeepBlanks(text);
    text = tarnwick::HighlightSyntax(text);
    text = tarnwick::AddLineBreaks(text);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Source().size()));
}

BENCHMARK(BM_ListingToHtml)
    ->ArgNames({"numbers", "syntax"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8Listing)->ArgName("decoded")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnitsIntoDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourSteps)->Unit(benchmark::kMillisecond);

// Files of about 200 KB of generated units each; the unit numbers of no two files overlap.
int WriteCorpus(const std::string& folder, int count) {
  for (int i = 0; i < count; ++i) {
    std::ofstream out(folder + "/Customers" + std::to_string(i) + ".pas", std::ios::binary);
    out << GeneratedUnits(200u << 10, i * 1000);
    if (!out) return 1;
  }
  return 0;
}

// Reads and lists each file, as one document each.
int ListFiles(int count, char** files) {
  for (int i = 0; i < count; ++i) {
    const std::optional<std::string> source = tarnwick::ReadWholeFile(files[i]);
    if (!source) return 1;
    const std::string html = ListingToHtml(*source, true, true);
    std::fwrite(html.data(), 1, html.size(), stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--write-corpus") {
    return WriteCorpus(argv[2], std::atoi(argv[3]));
  }
  if (argc >= 2 && std::string_view(argv[1]) == "--list") return ListFiles(argc - 2, argv + 2);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

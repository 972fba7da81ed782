// Throughput of the source scanner over a large in-memory Delphi source built from varied units:
// uses clauses with paths and form comments, class declarations, routines with string literals,
// numbers and all three comment forms, with CR LF line ends.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "analysis/pascal_parser.h"

namespace {

using tarnwick::TParser;
using tarnwick::Token;
using tarnwick::UsesEntry;

std::string InterfaceText(const std::string& id) {
  std::string text;
  text += "unit Unit" + id + ";\r\n\r\n{ Unit " + id + ": customer maintenance.\r\n"
          "  Keeps the grid and the detail panel in step. }\r\n\r\ninterface\r\n\r\nuses\r\n"
          "  Winapi.Windows, Winapi.Messages, System.SysUtils, System.Classes, Vcl.Graphics,\r\n"
          "  Vcl.Controls, Vcl.Forms, Vcl.Dialogs, Data.DB, Vcl.Grids, Vcl.DBGrids;\r\n\r\n"
          "type\r\n  TCustomerForm" + id + " = class(TForm)\r\n"
          "    CustomerGrid: TDBGrid;\r\n    DetailPanel: TPanel;\r\n    SaveButton: TButton;\r\n"
          "    procedure FormCreate(Sender: TObject);\r\n"
          "    procedure SaveButtonClick(Sender: TObject);\r\n  private\r\n"
          "    FCount: Integer; // rows shown\r\n    FCaption: string;\r\n  end;\r\n\r\n"
          "var\r\n  CustomerForm" + id + ": TCustomerForm" + id + ";\r\n\r\nimplementation\r\n\r\n"
          "uses DataModule" + id + " in '..\\Common\\DataModule" + id + ".pas' {DM" + id +
          ": TDataModule}, About in 'About.pas' {AboutBox};\r\n\r\n{$R *.dfm}\r\n\r\n";
  return text;
}

std::string ImplementationText(const std::string& id) {
  std::string text;
  text += "procedure TCustomerForm" + id + ".FormCreate(Sender: TObject);\r\nbegin\r\n"
          "  (* Size the grid before the first paint. *)\r\n  FCount := " + id + " * 16 + 3;\r\n"
          "  FCaption := 'Customers (' + IntToStr(FCount) + ' rows)';\r\n"
          "  CustomerGrid.Columns[0].Width := 120;\r\n"
          "  if FCount > 1000 then\r\n    ShowMessage('It''s a large table: ' + FCaption);\r\n"
          "end;\r\n\r\nprocedure TCustomerForm" + id + ".SaveButtonClick(Sender: TObject);\r\n"
          "var\r\n  I: Integer;\r\nbegin\r\n  for I := 0 to FCount - 1 do\r\n  begin\r\n"
          "    // Post every modified row.\r\n    if DM" + id + ".Customers.Modified then\r\n"
          "      DM" + id + ".Customers.Post;\r\n  end;\r\n"
          "  Caption := Format('%s - %d', [FCaption, I]);\r\n"
          "end;\r\n\r\nend.\r\n";
  return text;
}

const std::string& Source() {
  static const std::string source = [] {
    std::string text;
    for (int n = 1; text.size() < (8u << 20); ++n) {
      const std::string id = std::to_string(n);
      text += InterfaceText(id) + ImplementationText(id);
    }
    return text;
  }();
  return source;
}

void TokenLoop(benchmark::State& state, bool crIsWhitespace, bool skipComments) {
  TParser parser(Source());
  parser.SetCrIsWhitespace(crIsWhitespace);
  parser.SetSkipComments(skipComments);
  Token token;
  for (auto _ : state) {
    parser.SetPosition(0);
    size_t count = 0;
    do {
      parser.NextToken(token);
      ++count;
    } while (!token.IsEnd());
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Source().size()));
}

// Project and unit files: comments skipped, line ends are whitespace.
void BM_NextTokenDefault(benchmark::State& state) { TokenLoop(state, true, true); }
// The source listing: comments and line ends come back as tokens.
void BM_NextTokenListing(benchmark::State& state) { TokenLoop(state, false, false); }

void BM_UsesClauses(benchmark::State& state) {
  TParser parser(Source());
  Token token;
  UsesEntry entry;
  for (auto _ : state) {
    parser.SetPosition(0);
    size_t entries = 0;
    for (parser.NextToken(token); parser.FindUses(token); parser.NextToken(token)) {
      do {
        ++entries;
      } while (!parser.ReadUsesEntry(entry));
    }
    benchmark::DoNotOptimize(entries);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Source().size()));
}

BENCHMARK(BM_NextTokenDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextTokenListing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UsesClauses)->Unit(benchmark::kMillisecond);

}  // namespace

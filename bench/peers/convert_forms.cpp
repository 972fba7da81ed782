// convert-forms ROUNDS LIST: converts every binary form file named in LIST (one path per line)
// to form text, ROUNDS times over, and prints the timings as one JSON object:
//   {"files": F, "bytes": B, "output_bytes": O, "seconds": [s1, s2, ...]}
// The files are read into memory first; a round times only the conversions, in CPU time of the
// process, which a busy machine disturbs less than the wall clock. The Free Pascal program
// convert_forms.pas does the same with ObjectResourceToText, for comparison.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "analysis/form_file_reader.h"

namespace {

double CpuSeconds() {
  timespec time{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

std::vector<std::string> ReadForms(const char* listPath) {
  std::vector<std::string> forms;
  std::ifstream list(listPath);
  for (std::string path; std::getline(list, path);) {
    if (path.empty()) continue;
    std::ifstream in(path, std::ios::binary);
    forms.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in) std::fprintf(stderr, "convert-forms: cannot read %s\n", path.c_str());
  }
  return forms;
}

// Converts every form once; gives the size of all form text, or -1 when a form fails.
long long ConvertAll(const std::vector<std::string>& forms) {
  long long outputBytes = 0;
  for (const std::string& form : forms) {
    const tarnwick::FormConversion result = tarnwick::ConvertFormFile(form);
    if (!result.Ok) {
      std::fprintf(stderr, "convert-forms: %s\n", result.Error.c_str());
      return -1;
    }
    outputBytes += static_cast<long long>(result.Text.size());
  }
  return outputBytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[1]) < 1) {
    std::fputs("usage: convert-forms ROUNDS LIST\n", stderr);
    return 1;
  }
  const std::vector<std::string> forms = ReadForms(argv[2]);
  long long bytes = 0;
  for (const std::string& form : forms) bytes += static_cast<long long>(form.size());
  std::string seconds;
  long long outputBytes = 0;
  for (int round = 0; round < std::atoi(argv[1]); ++round) {
    const double start = CpuSeconds();
    outputBytes = ConvertAll(forms);
    const double elapsed = CpuSeconds() - start;
    if (outputBytes < 0) return 1;
    if (!seconds.empty()) seconds += ", ";
    seconds += std::to_string(elapsed);
  }
  std::printf("{\"files\": %zu, \"bytes\": %lld, \"output_bytes\": %lld, \"seconds\": [%s]}\n", forms.size(), bytes,
              outputBytes, seconds.c_str());
  return 0;
}

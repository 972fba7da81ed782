#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "project_plan.h"

namespace tarnwick {

/// What to generate. The same options give the same files, byte for byte.
struct GeneratorOptions {
  int Units = 50;
  uint64_t Seed = 1;
  /// The folder that receives the project folder (named after the program) and the shared
  /// "Common" folder that some units live in.
  std::string OutputFolder;
  GraphShape Shape = GraphShape::RealLike;
  /// About how many lines each unit has.
  int LinesPerUnit = 300;
  /// The share of forms stored as text; the others are binary.
  int TextFormPercent = 30;
  /// Units in the project folder that the project does not use; -1: two, plus one per 50 units.
  int UnusedSources = -1;
  /// Saved form pictures in the documentation folder, as JPEG and BMP files.
  int Pictures = 6;
  /// Binary forms hold only what every reader knows (no null, single, currency, date or double
  /// values, no ordered collection items), for comparisons with other converters.
  bool PortableForms = false;
};

/// What was generated, with full host paths.
struct GeneratedProject {
  ProjectPlan Plan;
  std::string ProjectFile;
  std::string ProjectFolder;  // ends with "/"
  std::vector<std::string> UnitFiles;
  std::vector<std::string> BinaryForms;
  std::vector<std::string> TextForms;
  std::vector<std::string> UnusedFiles;
  std::vector<std::string> PictureFiles;
  uint64_t SourceBytes = 0;
  uint64_t BinaryFormBytes = 0;
  uint64_t TextFormBytes = 0;
};

/// Writes a Delphi project: the project file, every unit's source, the form files (binary and
/// text), unused sources and saved form pictures. The project folder must not hold files yet.
/// Throws std::runtime_error when a folder or file cannot be written.
GeneratedProject GenerateProject(const GeneratorOptions& options);

}  // namespace tarnwick

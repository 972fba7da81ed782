#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "analysis/image_entry.h"
#include "analysis/tree_nodes.h"
#include "platform/text_encoding.h"
#include "analysis/uses_graph.h"

namespace tarnwick {

/// One row of the Source list: a unit of the project with its form and the folder it was named in.
struct UnitEntry {
  std::string UnitName;
  std::string FormName;
  std::string Path;  // folder part as written in the project file, "" for the project folder
};

/// Pixel widths of the Source list's columns "Unit", "Formname" and "Path", as the project file
/// parser measures them for the desktop program.
struct SourceColumnWidths {
  int Unit = 0;
  int FormName = 0;
  int Path = 0;
};

/// The open project: its files, the sorted unit list, the unused sources, the two trees, the uses
/// graph and the images. Plain data that every front end displays; it owns the trees and the pictures.
class ProjectModel {
 public:
  std::string ProjectFile;
  std::string ProjectFolder;        // ends with the path delimiter
  std::string DocumentationFolder;  // ProjectFolder + "Documentation" + delimiter
  std::string MainFormName;
  std::string RootUnitName;
  std::vector<std::string> UnusedSources;  // sorted without regard to case
  DependencyForest DependencyTree;
  /// Who uses whom among the units, with the circular reference groups; built with the tree.
  UsesGraph Uses;
  ObjectForest ObjectTree;
  std::vector<ImageEntry> Images;
  /// The lower-cased host paths of the files whose read failure has been shown during this open,
  /// so a later document run notes them without showing the same failure again.
  std::unordered_set<std::string> ReportedUnreadable;
  /// The form names the image-naming dialog offers for a capture, in unit order.
  std::vector<std::string> ImageFormNames;
  SourceColumnWidths ColumnWidths;
  /// The code page of the project's text that is not UTF-8, as decided at the open
  /// (`TextDecoder` turns the model's text into UTF-8 with it).
  std::string CodePage = std::string(kFallbackCodePage);

  /// The units, always sorted by name with `CompareNames` (rows of equal names in the order added).
  const std::vector<UnitEntry>& Units() const;
  /// Adds a row; it takes its sorted place.
  void AddUnit(UnitEntry entry);

  /// True when a unit's name equals `name` without regard to case.
  bool ContainsUnit(std::string_view name) const;
  /// The first unit, in list order, whose name equals `name` without regard to case; null if none.
  const UnitEntry* FindUnitByName(std::string_view name) const;
  /// The first unit, in list order, whose form name equals `formName` exactly; null if none.
  const UnitEntry* FindUnitByForm(std::string_view formName) const;

  /// Empties what a closed project leaves behind: project file, units, unused sources, trees, the
  /// uses graph and images. The folders and the two names stay until the next open overwrites them.
  void Clear();

 private:
  // Rows are appended and sorted when next read, so adding n units costs n log n, not n squared.
  void EnsureSorted() const;

  mutable std::vector<UnitEntry> units_;
  mutable bool sorted_ = true;
  std::unordered_set<std::string> lowerNames_;
  // Lower-cased unit name to the row's index: the first row of a name, as a list walk finds it.
  mutable std::unordered_map<std::string, size_t> indexByLowerName_;
};

}  // namespace tarnwick

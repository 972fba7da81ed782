#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/project_model.h"
#include "analysis/tree_nodes.h"
#include "report/html_writer.h"
#include "report/report_options.h"
#include "views/dependency_filter.h"
#include "views/object_filter.h"

namespace tarnwick {

/// One node of a tree in pre-order, as the text writers and the tree pictures read it. The row
/// refers into its forest, which must outlive it.
struct TreeRow {
  int Level = 0;  // 0 for a root, one more per generation
  std::string_view Text;
  std::span<const std::string> Properties;  // the object's property lines; empty for dependencies
};

/// The nodes of a forest in pre-order: a node, its children with their subtrees, then its next
/// sibling. Walks with an explicit stack, so a deep tree cannot exhaust the call stack.
std::vector<TreeRow> TreeRowsOf(const DependencyForest& forest);
std::vector<TreeRow> TreeRowsOf(const ObjectForest& forest);

/// The tree a page shows and prints: the full one, the filtered one, or none at all.
const DependencyForest& CurrentDependencyTree(const ProjectModel& model, const DependencyFilter& filter);
const ObjectForest& CurrentObjectTree(const ProjectModel& model, const ObjectFilter& filter);

/// Keeps runs of blanks visible in HTML: in every run of bytes 0 to 32 other than CR and LF, the
/// last becomes a space and each one before it "&nbsp " (no semicolon).
std::string KeepBlanks(std::string_view text);
/// The indent of a tree level: `KeepBlanks` of `indentSpaces` x `level` blanks.
std::string IndentPrefix(int indentSpaces, int level);

/// The form name of an object tree root: the label before its first ":", blanks and tabs trimmed;
/// empty when the label has no ":".
std::string_view FormNameOf(std::string_view label);

/// The most levels of the dependency tree printed: `DependencyMaxLevelNum` when "Max Levels" is
/// checked and the number is above 0, else 0 for all of them. Throws `DocumentError` when the
/// level field holds no whole number.
int DependencyLevelLimit(const ReportOptions& options);
/// The rows of the dependency tree as printed, text or pictures: the levels below the limit cut.
std::vector<TreeRow> DependencyRowsOf(const DependencyForest& tree, const ReportOptions& options);

/// The dependency tree as indented lines, one per node, cut below the level limit and then with a
/// note line saying so. Throws `DocumentError` when the level or the indent field holds no whole
/// number.
void WriteDependencyText(const DependencyForest& tree, const ReportOptions& options, HtmlWriter& writer);

/// The object tree as indented lines inside its own font tags, each form's line starting with the
/// anchor the index links to when the form is in `formAnchorList`, and with the property lines
/// under each object when they are shown. Writes nothing for an empty tree. Throws
/// `DocumentError` when the indent field holds no whole number.
void WriteObjectText(const ObjectForest& tree, const ReportOptions& options,
                     const std::vector<std::string>& formAnchorList, HtmlWriter& writer);

}  // namespace tarnwick

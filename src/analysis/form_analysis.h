#pragma once

#include <cstddef>
#include <string>

#include "analysis/pascal_parser.h"
#include "analysis/tree_nodes.h"
#include "analysis/workspace.h"

namespace tarnwick {

/// Objects nested deeper than this many levels get no node of their own: their lines are kept as
/// property lines of the deepest object, so hostile nesting cannot exhaust the stack of any walk
/// over the tree (the node destructors included).
inline constexpr size_t kMaxObjectDepth = 1000;

/// Reads the form file of every unit that has a form into the object tree and fills the object
/// filter's "Show Objects:" list with the object types found.
void AnalyzeForms(Workspace& workspace, UserInterface& ui);

/// Reads one object block of form text whose keyword ("object", "inherited" or "inline") was just
/// read: adds its node as the last child of `parent` (or as a new root of `tree` when `parent` is
/// null) with its property lines and nested objects, and returns after the block's "end" or at the
/// end of the text. Gives the new node. The lines of a collection value (from a line ending with
/// "<" to its "end>") are property lines of the object that holds the property.
ObjectNode* ParseObject(TParser& parser, ObjectForest& tree, ObjectNode* parent);

/// Builds the tree of one form's text and appends its root to `tree`. Lines may end with CR LF, CR
/// or LF. False, with nothing added, when the first word is no object keyword.
bool ParseFormText(std::string text, ObjectForest& tree);

/// Appends the object types of the tree to "Show Objects:": the type of every root unchecked, then
/// every node's type, depth first, unless the list holds it already (ignoring case); the list is
/// then brought into its sorted order.
void FillObjectTypeList(const ObjectForest& tree, ObjectFilter& filter);

}  // namespace tarnwick

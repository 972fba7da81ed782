#pragma once

#include <cstddef>
#include <string>

#include "analysis/pascal_parser.h"
#include "analysis/tree_nodes.h"
#include "analysis/project_model.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// Objects nested deeper than this many levels get no node of their own: their lines are kept as
/// property lines of the deepest object, so hostile nesting cannot exhaust the stack of any walk
/// over the tree (the node destructors included).
inline constexpr size_t kMaxObjectDepth = 1000;

/// Reads the form file of every unit that has a form into the object tree.
void AnalyzeForms(ProjectModel& model, UserInterface& ui);

/// Reads one object block of form text whose keyword ("object", "inherited" or "inline") was just
/// read: adds its node as the last child of `parent` (or as a new root of `tree` when `parent` is
/// null) with its property lines and nested objects, and returns after the block's "end" or at the
/// end of the text. Gives the new node. The lines of a collection value (from a line ending with
/// "<" to its "end>") are property lines of the object that holds the property.
ObjectNode* ParseObject(TParser& parser, ObjectForest& tree, ObjectNode* parent);

/// Builds the tree of one form's text and appends its root to `tree`. Lines may end with CR LF, CR
/// or LF. False, with nothing added, when the first word is no object keyword.
bool ParseFormText(std::string text, ObjectForest& tree);

}  // namespace tarnwick

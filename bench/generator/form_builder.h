#pragma once

#include <string>
#include <vector>

#include "form_model.h"
#include "project_plan.h"

namespace tarnwick {

class RandomSource;

/// The names every frame and the base dialog give their first components, so that inline frames
/// and inherited dialogs can refer to them.
inline constexpr const char* kFrameHeaderPanel = "HeaderPanel";
inline constexpr const char* kDialogButtonPanel = "ButtonPanel";

/// Builds the form of the unit at `unitIndex` of `plan`, which must have a form: the main form
/// with menu, tool bar, actions and views; list forms with grids or list views; edit dialogs
/// with pages of controls; dialogs that inherit from the base dialog; frames; data modules with
/// data access components. Embeds an inline instance of each frame the unit plans.
FormObject BuildForm(const ProjectPlan& plan, int unitIndex, bool portableValues, RandomSource& random);

/// A plain form with a few controls, for a unit that the project does not list.
FormObject BuildLooseForm(const std::string& formName, RandomSource& random);

/// A component field of the form's class: every component the form adds, not those it inherits
/// and not the parts of an embedded frame.
struct ComponentField {
  std::string Name;
  std::string ClassName;
};

std::vector<ComponentField> DeclaredComponents(const FormObject& root);

/// The event handlers that the form's properties name ("OnClick = SaveButtonClick"), each once,
/// in file order, without those of an embedded frame.
std::vector<std::string> EventHandlers(const FormObject& root);

}  // namespace tarnwick

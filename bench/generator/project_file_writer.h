#pragma once

#include <string>

#include "project_plan.h"

namespace tarnwick {

class RandomSource;

/// Writes the project file of `plan`: the program heading, a uses clause with the forms unit and
/// every project unit (the main unit first) with its path after "in", written with backslashes
/// and sometimes in another letter case than on disk, and a comment naming its form
/// ("{frmCustomer}", "{DMStock: TDataModule}", "{SearchFrame: TFrame}"); then the main block
/// with Application.CreateForm for the main form, the data modules and some other forms. Lines
/// end with CR LF.
std::string WriteProjectFile(const ProjectPlan& plan, RandomSource& random);

/// The path of a unit as the project file writes it: its folder and file name.
std::string UnitPathInProject(const UnitPlan& unit);

}  // namespace tarnwick

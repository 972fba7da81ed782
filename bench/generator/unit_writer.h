#pragma once

#include <string>

#include "form_model.h"
#include "project_plan.h"

namespace tarnwick {

class RandomSource;

/// Writes the Pascal source of `unit` (a unit of `plan`, or an unused unit planned like one):
/// a heading comment, the interface with its uses clause and declarations (the form class with a
/// field per component of `form` and a method per event handler, a service class, or the
/// constants, types and routines of a basic unit), the implementation with its own uses clause,
/// "{$R *.dfm}" for a unit with a form, and routine bodies until the unit has about `lines`
/// lines. Names of project units are sometimes written in another letter case than they are
/// declared in. Lines end with CR LF.
std::string WriteUnitSource(const ProjectPlan& plan, const UnitPlan& unit, const FormObject* form, int lines,
                            RandomSource& random);

/// A project unit's name as a uses clause writes it: mostly as declared, sometimes all in lower
/// or upper case.
std::string WrittenUnitName(const std::string& name, RandomSource& random);

}  // namespace tarnwick

#pragma once

#include <string>
#include <vector>

#include "analysis/project_model.h"
#include "app/app_settings.h"
#include "platform/user_interface.h"
#include "report/documentation_writer.h"
#include "views/dependency_filter.h"
#include "views/object_filter.h"

namespace tarnwick {

/// Everything one open project fills, owned by the front end for the whole run: the model, the
/// state of both tree pages, the settings that steer the analyses, and the main window's caption.
struct Workspace {
  ProjectModel Model;
  DependencyFilter Dependencies;
  ObjectFilter Objects;
  AppSettings Settings;
  std::string Caption = "Tarnwick:";
  /// Pixel width of the Source list, for its column widths.
  int SourceListWidth = 600;

  /// What a document of this workspace describes.
  DocumentSubject Subject() {
    return DocumentSubject{Model, Dependencies, Objects, Settings.JPegCompressionQuality};
  }
};

}  // namespace tarnwick

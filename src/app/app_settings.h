#pragma once

#include <cstdint>
#include <string>

#include "platform/registry_values.h"
#include "platform/settings_store.h"
#include "platform/text_encoding.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// Which program shows the written documentation.
enum class Viewer { BuiltIn, DefaultBrowser, AlternateBrowser };

/// The user's preferences of the main window, read once at start and written once at the end.
struct AppSettings {
  bool BitmapImages = false;
  int32_t JPegCompressionQuality = 100;
  Viewer DocumentViewer = Viewer::DefaultBrowser;
  std::string AlternateBrowserPath;
  bool AnalyzeDependencies = true;
  bool AnalyzeForms = true;
  /// The code page of the project's text that is not UTF-8: "auto" (detected at each open) or a
  /// name as `CanonicalCodePage` gives it.
  std::string SourceCodePage = std::string(kAutoCodePage);
  /// The dependency tree expands each unit once; later places are " (see above)" leaves.
  bool DependencyCompact = false;
};

/// Loads the settings; a missing key leaves every start value. A stored quality outside 1..100 is
/// brought into that range, since the JPEG encoder cannot use it.
void LoadSettings(SettingsStore& store, AppSettings& settings);
/// Writes the nine values in their fixed order and saves the store; reports failures through
/// `prompter` with the two messages of the settings. Gives true when everything was written.
bool SaveSettings(SettingsStore& store, const AppSettings& settings, Prompter& prompter);

}  // namespace tarnwick

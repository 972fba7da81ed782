#include "app/app_settings.h"

#include <algorithm>

namespace tarnwick {

void LoadSettings(SettingsStore& store, AppSettings& settings) {
  RegistryKey key(store);
  if (!key.OpenKey(kRegistryKey, false)) return;
  settings.BitmapImages = ReadBoolDefault(key, "BitmapImages", false);
  settings.JPegCompressionQuality =
      std::clamp(ReadIntegerDefault(key, "JPegCompressionQuality", 100), 1, 100);
  // "BuiltInBrowser" is written for other readers of the key but never read: the built-in
  // viewer is what remains when neither browser is chosen.
  if (ReadBoolDefault(key, "DefaultBrowser", false)) {
    settings.DocumentViewer = Viewer::DefaultBrowser;
  } else if (ReadBoolDefault(key, "AlternateBrowser", false)) {
    settings.DocumentViewer = Viewer::AlternateBrowser;
  } else {
    settings.DocumentViewer = Viewer::BuiltIn;
  }
  settings.AlternateBrowserPath = ReadStringDefault(key, "AlternateBrowserPath", "");
  settings.AnalyzeDependencies = ReadBoolDefault(key, "AnalyzeDependencies", true);
  settings.AnalyzeForms = ReadBoolDefault(key, "AnalyzeForms", true);
  // A stored value that names no code page is read as "auto".
  settings.SourceCodePage = CanonicalCodePage(ReadStringDefault(key, "SourceCodePage", std::string(kAutoCodePage)))
                                .value_or(std::string(kAutoCodePage));
  settings.DependencyCompact = ReadBoolDefault(key, "DependencyCompact", false);
  key.CloseKey();
}

bool SaveSettings(SettingsStore& store, const AppSettings& settings, Prompter& prompter) {
  RegistryKey key(store);
  if (!key.OpenKey(kRegistryKey, true)) {
    prompter.Show(MessageKind::Error, kSaveOpenFailed);
    return false;
  }
  key.WriteInteger("BitmapImages", settings.BitmapImages ? 1 : 0);
  key.WriteInteger("JPegCompressionQuality", settings.JPegCompressionQuality);
  key.WriteInteger("BuiltInBrowser", settings.DocumentViewer == Viewer::BuiltIn ? 1 : 0);
  key.WriteInteger("DefaultBrowser", settings.DocumentViewer == Viewer::DefaultBrowser ? 1 : 0);
  key.WriteInteger("AlternateBrowser", settings.DocumentViewer == Viewer::AlternateBrowser ? 1 : 0);
  key.WriteString("AlternateBrowserPath", settings.AlternateBrowserPath);
  key.WriteInteger("AnalyzeDependencies", settings.AnalyzeDependencies ? 1 : 0);
  key.WriteInteger("AnalyzeForms", settings.AnalyzeForms ? 1 : 0);
  key.WriteString("SourceCodePage", settings.SourceCodePage);
  key.WriteInteger("DependencyCompact", settings.DependencyCompact ? 1 : 0);
  key.CloseKey();
  if (!store.Save()) {
    prompter.Show(MessageKind::Error, kSaveWriteFailed);
    return false;
  }
  return true;
}

}  // namespace tarnwick

#include "app/version_text.h"

#include "version.h"

namespace tarnwick {

namespace {

std::string_view AfterFirstDot(std::string_view text) {
  size_t dot = text.find('.');
  return dot == std::string_view::npos ? text : text.substr(dot + 1);
}

}  // namespace

std::string VersionText(std::string_view fileVersion) {
  std::string_view build = AfterFirstDot(AfterFirstDot(fileVersion));
  std::string_view version = fileVersion;
  if (fileVersion.find('.') != std::string_view::npos) {
    size_t kept = fileVersion.size() - build.size();
    version = fileVersion.substr(0, kept > 0 ? kept - 1 : 0);
  }
  return "Version " + std::string(version) + "  (Build " + std::string(build) + ")";
}

std::string ProgramFileVersion() { return std::string(kFileVersion); }

}  // namespace tarnwick

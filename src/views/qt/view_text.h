#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarnwick {

/// Project text (labels, type and unit names, property lines) as the tree pages show it, and back.
inline QString ViewText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromViewText(const QString& text) { return text.toStdString(); }

}  // namespace tarnwick

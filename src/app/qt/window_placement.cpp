#include "app/qt/window_placement.h"

namespace tarnwick {

std::optional<QRect> MainWindowPlacement(const QRect& screen, const QRect& workArea) {
  if (workArea.isEmpty() || workArea == screen) return std::nullopt;
  return workArea;
}

}  // namespace tarnwick

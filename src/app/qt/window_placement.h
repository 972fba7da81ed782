#pragma once

#include <QRect>
#include <optional>

namespace tarnwick {

/// Where the main window goes on a screen: filling the work area beside the desktop's panels
/// when there are any, or nothing, meaning maximised, when the work area is the whole screen.
std::optional<QRect> MainWindowPlacement(const QRect& screen, const QRect& workArea);

}  // namespace tarnwick

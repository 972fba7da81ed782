#include "app/status_bar_progress.h"

#include <utility>

namespace tarnwick {

TStatusBarProgress::TStatusBarProgress(int32_t panelWidth, int32_t statusBarHeight,
                                       RepaintCallback repaint)
    : StepSize(panelWidth / 10),
      BarRect{0, 0, 0, statusBarHeight},
      EraseRect{0, 0, 0, statusBarHeight},
      MaxLength(panelWidth / 2),
      PanelWidth(panelWidth),
      repaint_(std::move(repaint)) {}

void TStatusBarProgress::Step() {
  if (Forward) {
    StepForward();
  } else {
    StepBackward();
  }
  Repaint();
}

void TStatusBarProgress::StepForward() {
  if (BarRect.Right + StepSize >= MaxLength) {
    // Erase the strip the left edge left behind on the step before.
    EraseRect.Right = BarRect.Left;
    EraseRect.Left = BarRect.Left - StepSize;
  }
  if (BarRect.Right - BarRect.Left >= MaxLength) BarRect.Left += StepSize;
  BarRect.Right += StepSize;
  if (BarRect.Right >= PanelWidth) {
    Forward = false;
    BarRect.Left = PanelWidth;
    EraseRect.Left = 0;
    EraseRect.Right = 0;
  }
}

void TStatusBarProgress::StepBackward() {
  if (BarRect.Left - StepSize <= MaxLength) {
    EraseRect.Left = BarRect.Right;
    EraseRect.Right = BarRect.Right + StepSize;
  }
  if (BarRect.Right - BarRect.Left >= MaxLength) BarRect.Right -= StepSize;
  BarRect.Left -= StepSize;
  if (BarRect.Left < 1) {
    Forward = true;
    BarRect.Right = 0;
    EraseRect.Left = 0;
    EraseRect.Right = 0;
  }
}

void TStatusBarProgress::Reset() {
  BarRect.Left = 0;
  BarRect.Right = 0;
  EraseRect.Left = 0;
  EraseRect.Right = PanelWidth;
  Repaint();
  EraseRect.Right = 0;
}

void TStatusBarProgress::Repaint() const {
  if (repaint_) repaint_();
}

}  // namespace tarnwick

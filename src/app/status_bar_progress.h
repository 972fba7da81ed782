#pragma once

#include <cstdint>
#include <functional>

namespace tarnwick {

/// A rectangle in status bar pixels; Left and Top inclusive, Right and Bottom exclusive.
struct BarRectangle {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

/// The busy indicator in the first panel of a status bar: a bar that grows from the left, slides
/// right, vanishes at the right end and comes back the same way, one step per unit of work. It
/// owns only its geometry; the window that shows it supplies `Repaint`, which must paint the panel
/// at once (the work does not return to the message loop between steps). Painting fills `BarRect`
/// in blue and `EraseRect` in the panel's background colour.
class TStatusBarProgress {
 public:
  using RepaintCallback = std::function<void()>;

  TStatusBarProgress(int32_t panelWidth, int32_t statusBarHeight, RepaintCallback repaint = {});

  void Step();
  void Reset();

  int32_t StepSize;
  bool Forward = true;
  BarRectangle BarRect;
  BarRectangle EraseRect;
  int32_t MaxLength;
  int32_t PanelWidth;

 private:
  void StepForward();
  void StepBackward();
  void Repaint() const;

  RepaintCallback repaint_;
};

}  // namespace tarnwick

#pragma once

#include <string>

namespace tarnwick {

class RandomSource;

/// A small picture of a form as a capture would show it: a window frame with a title bar, a
/// client area and a few controls, `width` by `height` pixels, as a 24-bit BMP file or (with
/// `jpeg`) a JPEG file. Empty when the encoder fails.
std::string DrawFormPicture(int width, int height, bool jpeg, RandomSource& random);

}  // namespace tarnwick

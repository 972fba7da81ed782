#pragma once

#include <QImage>

#include "analysis/image_entry.h"
#include "platform/pixel_image.h"

namespace tarnwick {

/// A picture as Qt draws it: bitmap pixels or pixels not yet encoded as they are, JPEG bytes
/// decoded. A null image when the picture cannot be read.
QImage ToQImage(const Picture& picture);
/// Red, green, blue, alpha pixels of any image Qt read or drew.
PixelImage ToPixelImage(const QImage& image);

}  // namespace tarnwick

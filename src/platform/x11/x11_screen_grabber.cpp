#include "platform/x11/x11_screen_grabber.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tarnwick {

namespace {

// The root visual's channel masks, to read the pixels in whatever order the server keeps them.
const xcb_visualtype_t* RootVisual(const xcb_screen_t& screen) {
  for (xcb_depth_iterator_t depth = xcb_screen_allowed_depths_iterator(&screen); depth.rem > 0; xcb_depth_next(&depth)) {
    for (xcb_visualtype_iterator_t visual = xcb_depth_visuals_iterator(depth.data); visual.rem > 0;
         xcb_visualtype_next(&visual)) {
      if (visual.data->visual_id == screen.root_visual) return visual.data;
    }
  }
  return nullptr;
}

uint8_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  uint32_t value = (pixel & mask) >> std::countr_zero(mask);
  uint32_t max = mask >> std::countr_zero(mask);
  return static_cast<uint8_t>(max == 255 ? value : value * 255 / max);
}

}  // namespace

std::optional<ScreenRect> X11ScreenGrabber::FrameOf(xcb_window_t window, const ScreenRect& client) {
  xcb_ewmh_get_extents_reply_t extents;
  if (session_.HasEwmh() &&
      xcb_ewmh_get_frame_extents_reply(&session_.Ewmh(), xcb_ewmh_get_frame_extents(&session_.Ewmh(), window),
                                       &extents, nullptr)) {
    return ScreenRect{client.Left - static_cast<int>(extents.left), client.Top - static_cast<int>(extents.top),
                      client.Width + static_cast<int>(extents.left + extents.right),
                      client.Height + static_cast<int>(extents.top + extents.bottom)};
  }
  // Without the extents the frame is the ancestor just below the root.
  xcb_connection_t* c = session_.Connection();
  for (xcb_window_t current = window;;) {
    auto tree = Owned(xcb_query_tree_reply(c, xcb_query_tree(c, current), nullptr));
    if (!tree) return std::nullopt;
    if (tree->parent == session_.Root() || tree->parent == XCB_WINDOW_NONE) return session_.WindowRect(current);
    current = tree->parent;
  }
}

std::optional<ScreenRect> X11ScreenGrabber::AreaOf(CaptureKind kind) {
  const xcb_screen_t& screen = session_.Screen();
  if (kind == CaptureKind::Screen) return ScreenRect{0, 0, screen.width_in_pixels, screen.height_in_pixels};
  xcb_window_t active = XCB_WINDOW_NONE;
  if (!session_.HasEwmh() ||
      !xcb_ewmh_get_active_window_reply(&session_.Ewmh(),
                                        xcb_ewmh_get_active_window(&session_.Ewmh(), session_.ScreenNumber()), &active,
                                        nullptr) ||
      active == XCB_WINDOW_NONE) {
    return std::nullopt;
  }
  std::optional<ScreenRect> client = session_.WindowRect(active);
  if (!client || kind == CaptureKind::ClientArea) return client;
  return FrameOf(active, *client);
}

std::optional<PixelImage> X11ScreenGrabber::GrabRect(ScreenRect rect) {
  const xcb_screen_t& screen = session_.Screen();
  const int right = std::min<int>(rect.Left + rect.Width, screen.width_in_pixels);
  const int bottom = std::min<int>(rect.Top + rect.Height, screen.height_in_pixels);
  rect.Left = std::max(rect.Left, 0);
  rect.Top = std::max(rect.Top, 0);
  if (right <= rect.Left || bottom <= rect.Top) return std::nullopt;
  rect.Width = right - rect.Left;
  rect.Height = bottom - rect.Top;
  const xcb_visualtype_t* visual = RootVisual(screen);
  xcb_connection_t* c = session_.Connection();
  auto image = Owned(xcb_get_image_reply(
      c,
      xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, session_.Root(), static_cast<int16_t>(rect.Left),
                    static_cast<int16_t>(rect.Top), static_cast<uint16_t>(rect.Width),
                    static_cast<uint16_t>(rect.Height), ~0u),
      nullptr));
  const size_t pixelCount = static_cast<size_t>(rect.Width) * static_cast<size_t>(rect.Height);
  if (!image || !visual || xcb_get_image_data_length(image.get()) < static_cast<int>(pixelCount * 4) ||
      xcb_get_setup(c)->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
    return std::nullopt;
  }
  PixelImage pixels{rect.Width, rect.Height, std::vector<uint8_t>(pixelCount * 4)};
  const uint8_t* data = xcb_get_image_data(image.get());
  for (size_t i = 0; i < pixelCount; ++i) {
    uint32_t pixel;
    std::memcpy(&pixel, data + i * 4, 4);
    uint8_t* out = &pixels.Pixels[i * 4];
    out[0] = Channel(pixel, visual->red_mask);
    out[1] = Channel(pixel, visual->green_mask);
    out[2] = Channel(pixel, visual->blue_mask);
    out[3] = 255;
  }
  return pixels;
}

std::optional<PixelImage> X11ScreenGrabber::Grab(CaptureKind kind) {
  std::optional<ScreenRect> area = AreaOf(kind);
  return area ? GrabRect(*area) : std::nullopt;
}

}  // namespace tarnwick

#include "platform/x11/x11_session.h"

#include <cstring>

namespace tarnwick {

namespace {

xcb_screen_t* ScreenOf(xcb_connection_t* connection, int number) {
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; it.rem > 0; xcb_screen_next(&it), ++i)
    if (i == number) return it.data;
  return nullptr;
}

}  // namespace

X11Session::X11Session(xcb_connection_t* connection, int screenNumber)
    : connection_(connection), screenNumber_(screenNumber), screen_(ScreenOf(connection, screenNumber)) {
  if (!screen_) screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(connection_, &ewmh_);
  ewmhReady_ = cookies && xcb_ewmh_init_atoms_replies(&ewmh_, cookies, nullptr) != 0;
}

X11Session::~X11Session() {
  if (ewmhReady_) xcb_ewmh_connection_wipe(&ewmh_);
}

bool X11Session::WindowManagerSupports(xcb_atom_t atom) {
  if (!ewmhReady_) return false;
  xcb_ewmh_get_atoms_reply_t supported;
  if (!xcb_ewmh_get_supported_reply(&ewmh_, xcb_ewmh_get_supported(&ewmh_, screenNumber_), &supported, nullptr))
    return false;
  bool found = false;
  for (uint32_t i = 0; i < supported.atoms_len; ++i) found = found || supported.atoms[i] == atom;
  xcb_ewmh_get_atoms_reply_wipe(&supported);
  return found;
}

std::optional<ScreenRect> X11Session::WindowRect(xcb_window_t window) {
  auto geometry = Owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
  auto origin = Owned(xcb_translate_coordinates_reply(
      connection_, xcb_translate_coordinates(connection_, window, Root(), 0, 0), nullptr));
  if (!geometry || !origin) return std::nullopt;
  return ScreenRect{origin->dst_x, origin->dst_y, geometry->width, geometry->height};
}

std::vector<xcb_window_t> X11Session::TopLevelWindows() {
  std::vector<xcb_window_t> windows;
  xcb_ewmh_get_windows_reply_t clients;
  if (ewmhReady_ &&
      xcb_ewmh_get_client_list_reply(&ewmh_, xcb_ewmh_get_client_list(&ewmh_, screenNumber_), &clients, nullptr)) {
    windows.assign(clients.windows, clients.windows + clients.windows_len);
    xcb_ewmh_get_windows_reply_wipe(&clients);
    return windows;
  }
  // No window manager list: the clients are the root's children, or one level below a frame.
  auto tree = Owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, Root()), nullptr));
  if (!tree) return windows;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
    windows.push_back(children[i]);
    auto below = Owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, children[i]), nullptr));
    if (!below) continue;
    const xcb_window_t* inner = xcb_query_tree_children(below.get());
    windows.insert(windows.end(), inner, inner + xcb_query_tree_children_length(below.get()));
  }
  return windows;
}

xcb_atom_t X11Session::InternAtom(const char* name) {
  auto reply = Owned(xcb_intern_atom_reply(
      connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

}  // namespace tarnwick

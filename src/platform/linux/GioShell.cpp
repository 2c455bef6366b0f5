#include "platform/linux/GioShell.h"

#include <gio/gio.h>

#include <cstring>
#include <memory>

namespace warpix {

namespace {

struct CharsFree {
  void operator()(gchar* text) const { g_free(text); }
};
using CharsPtr = std::unique_ptr<gchar, CharsFree>;

struct ErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};

std::string specialFolder(GUserDirectory which) {
  const gchar* path = g_get_user_special_dir(which);
  if (path == nullptr || *path == '\0') return {};
  // The user-dirs convention marks a switched-off folder by pointing it at
  // the home folder; that is no pictures folder.
  if (std::strcmp(path, g_get_home_dir()) == 0) return {};
  return path;
}

}  // namespace

std::string GioShell::picturesFolder() const { return specialFolder(G_USER_DIRECTORY_PICTURES); }

std::string GioShell::documentsFolder() const { return specialFolder(G_USER_DIRECTORY_DOCUMENTS); }

std::string GioShell::realName() const {
  const gchar* name = g_get_real_name();
  // GLib answers "Unknown" when the password database has no name.
  if (name == nullptr || std::strcmp(name, "Unknown") == 0) return {};
  return name;
}

bool GioShell::open(const std::string& pathOrUri) {
  if (pathOrUri.empty()) return false;
  std::string uri = pathOrUri;
  if (g_path_is_absolute(pathOrUri.c_str())) {
    const CharsPtr converted(g_filename_to_uri(pathOrUri.c_str(), nullptr, nullptr));
    if (!converted) return false;
    uri = converted.get();
  }
  GError* raw = nullptr;
  const bool launched = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &raw);
  const std::unique_ptr<GError, ErrorFree> error(raw);
  return launched;
}

}  // namespace warpix

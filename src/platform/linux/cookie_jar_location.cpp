#include "platform/linux/cookie_jar_location.h"

#include <errno.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace quorrin::platform {
namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

std::optional<std::string> HomeFolder() {
  if (const char* home = std::getenv("HOME"); IsAbsolute(home)) return home;
  long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
  if (bufferSize <= 0) bufferSize = 16384;
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize));
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || !IsAbsolute(found->pw_dir)) {
    return std::nullopt;
  }
  return std::string(found->pw_dir);
}

bool IsFolder(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::optional<JarLocation> FindJarLocation() {
  std::string data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); IsAbsolute(xdg)) {
    data = xdg;
  } else if (std::optional<std::string> home = HomeFolder()) {
    data = *home + "/.local/share";
  } else {
    return std::nullopt;
  }
  while (data.size() > 1 && data.back() == '/') data.pop_back();

  JarLocation location;
  location.folder = data + "/quorrin";
  location.file = location.folder + "/cookies.txt";
  location.lockFile = location.file + ".lock";
  location.nextFile = location.file + ".new";
  return location;
}

bool CreateJarFolder(const JarLocation& location) {
  const std::string& folder = location.folder;
  if (IsFolder(folder)) return true;
  // Each prefix ending before a '/', then the folder itself.
  for (std::size_t slash = folder.find('/', 1);;
       slash = folder.find('/', slash + 1)) {
    const std::string prefix = folder.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return IsFolder(folder);
}

}  // namespace quorrin::platform

// Where the user's cookie file lives: the XDG data folder, as the user's
// other programs expect to find it.

#ifndef QUORRIN_PLATFORM_LINUX_COOKIE_JAR_LOCATION_H_
#define QUORRIN_PLATFORM_LINUX_COOKIE_JAR_LOCATION_H_

#include <optional>
#include <string>

namespace quorrin::platform {

struct JarLocation {
  std::string folder;    // .../quorrin
  std::string file;      // .../quorrin/cookies.txt
  std::string lockFile;  // .../quorrin/cookies.txt.lock
  std::string nextFile;  // .../quorrin/cookies.txt.new, the file's successor
};

// $XDG_DATA_HOME/quorrin when that is an absolute path, else
// $HOME/.local/share/quorrin, HOME falling back to the password database.
// Nothing when no home folder can be found.
std::optional<JarLocation> FindJarLocation();

// Creates the folder and any missing parents, each new one 0700 (the
// cookies are the user's alone). True when the folder exists afterwards.
bool CreateJarFolder(const JarLocation& location);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_COOKIE_JAR_LOCATION_H_

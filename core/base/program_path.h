#pragma once

// Where the running program and the user's folders are on this system.

#include <string>

namespace norvella {

// The full path of the running executable (from /proc/self/exe), or an
// empty text when the system does not tell.
std::string RunningExecutablePath();

// The folder for temporary files, with a trailing "/": $TMPDIR when it is an
// absolute path of at most 1000 characters, else "/tmp/".
std::string TemporaryFolder();

// The user's configuration folder, without a trailing "/":
// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config (the
// home folder from the user database when HOME is unset).
std::string UserConfigFolder();

}  // namespace norvella

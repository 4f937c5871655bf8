#pragma once

// Hands the current document to the device maker's librarian application,
// which transfers it to the Rocket eBook.

#include <QString>

namespace norvella {

inline constexpr const char* kLibrarianProgram = "RocketLibrarian";

// Starts RocketLibrarian from the PATH with the document path as its one
// argument and does not wait for it. False when it could not be started;
// as with the shell's own launch, the caller reports nothing.
bool SendToRocket(const QString& documentPath);

}  // namespace norvella

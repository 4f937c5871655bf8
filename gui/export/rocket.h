#pragma once

// Hands the current document to the device maker's librarian application,
// which transfers it to the Rocket eBook.

#include <QString>

namespace norvella {

inline constexpr const char* kLibrarianProgram = "RocketLibrarian";

// Starts RocketLibrarian from the PATH with the document path as its one
// argument and does not wait for it. Returns the system's reason when it
// could not be started, empty when it was.
QString SendToRocket(const QString& documentPath);

}  // namespace norvella

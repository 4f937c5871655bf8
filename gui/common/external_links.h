#pragma once

// Addresses that leave the program. A web or mail link that the user clicks
// in a shown document is opened by the desktop's own handler (the web
// browser, the mail program), never by the program's views. Tests replace
// the handler to see what would have been opened.

#include <functional>

#include <QUrl>

namespace norvella {

// Whether the desktop may open the address for the user: http, https and
// mailto addresses.
bool IsExternalLink(const QUrl& url);

// Hands an external link to the handler; false (and nothing happens) for
// any other address.
bool OpenExternalLink(const QUrl& url);

using ExternalLinkHandler = std::function<bool(const QUrl&)>;

// Replaces the handler; an empty one restores the desktop's. Returns the
// handler in place before.
ExternalLinkHandler SetExternalLinkHandler(ExternalLinkHandler handler);

}  // namespace norvella

#include "gui/common/external_links.h"

#include <utility>

#include <QDesktopServices>

namespace norvella {
namespace {

ExternalLinkHandler& Handler() {
  static ExternalLinkHandler handler;
  return handler;
}

}  // namespace

bool IsExternalLink(const QUrl& url) {
  if (!url.isValid()) return false;
  const QString scheme = url.scheme().toLower();
  if (scheme == "mailto") return !url.path().isEmpty();
  return (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

bool OpenExternalLink(const QUrl& url) {
  if (!IsExternalLink(url)) return false;
  const ExternalLinkHandler& handler = Handler();
  return handler ? handler(url) : QDesktopServices::openUrl(url);
}

ExternalLinkHandler SetExternalLinkHandler(ExternalLinkHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace norvella

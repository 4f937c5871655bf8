#include "gui/reader/comment_window.h"

#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/common/external_links.h"

namespace norvella {
namespace {

// Rich text that fetches no resource at all (the markup of a note comes
// from a document of unknown origin): neither through the view nor through
// the document's own fallback, which would read local files.
class NoteDocument : public QTextDocument {
 public:
  using QTextDocument::QTextDocument;

 protected:
  QVariant loadResource(int, const QUrl&) override { return QVariant(); }
};

}  // namespace

TCommentWnd::TCommentWnd(QWidget* parent) : QDialog(parent), view_(new QTextBrowser(this)) {
  setObjectName("TCommentWnd");
  setWindowTitle("Comment");
  setModal(false);
  view_->setObjectName("CommentView");
  view_->setDocument(new NoteDocument(view_));
  view_->setOpenLinks(false);
  view_->setOpenExternalLinks(false);
  connect(view_, &QTextBrowser::anchorClicked, this, [](const QUrl& url) { OpenExternalLink(url); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  resize(kWidth, kHeight);
}

void TCommentWnd::ShowNote(const QString& noteHtml) {
  noteHtml_ = noteHtml;
  view_->setHtml(noteHtml);
  show();
  raise();
  activateWindow();
}

QString TCommentWnd::NoteText() const { return view_->toPlainText(); }

}  // namespace norvella

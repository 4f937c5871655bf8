#include "gui/options/option_tree_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "gui/options/option_tree_model.h"

namespace norvella {

OptionsTreeView::OptionsTreeView(QWidget* parent) : QTreeView(parent) {
  setObjectName("OptionsTree");
  setHeaderHidden(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setExpandsOnDoubleClick(true);
  setUniformRowHeights(true);
  setIconSize(QSize(16, 16));
}

QRect OptionsTreeView::IconRect(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  option.index = index;
  option.features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
  option.icon = index.data(Qt::DecorationRole).value<QIcon>();
  option.text = index.data(Qt::DisplayRole).toString();
  option.decorationSize = iconSize();
  return style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
}

bool OptionsTreeView::OnIcon(const QPoint& position, QModelIndex* index) const {
  const QModelIndex at = indexAt(position);
  if (index != nullptr) *index = at;
  return at.isValid() && IconRect(at).contains(position);
}

void OptionsTreeView::mousePressEvent(QMouseEvent* event) {
  // The press selects the node first, as on a caption.
  QTreeView::mousePressEvent(event);
  QModelIndex at;
  pressedIcon_ = event->button() == Qt::LeftButton && OnIcon(event->position().toPoint(), &at)
                     ? QPersistentModelIndex(at)
                     : QPersistentModelIndex();
}

void OptionsTreeView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  QModelIndex at;
  const bool icon = event->button() == Qt::LeftButton && OnIcon(event->position().toPoint(), &at);
  const QPersistentModelIndex pressed = pressedIcon_;
  pressedIcon_ = QPersistentModelIndex();
  if (icon && pressed.isValid() && pressed == at && at == currentIndex())
    emit ToggleRequested(OptionTreeModel::NodeOf(at), true);
}

void OptionsTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second click of a quick pair on an icon switches again, like the
  // first; elsewhere a double click opens or closes a group.
  QModelIndex at;
  if (event->button() == Qt::LeftButton && OnIcon(event->position().toPoint(), &at)) {
    pressedIcon_ = at;
    event->accept();
    return;
  }
  QTreeView::mouseDoubleClickEvent(event);
}

void OptionsTreeView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (currentIndex().isValid()) emit ToggleRequested(OptionTreeModel::NodeOf(currentIndex()), false);
      event->accept();
      return;
    case Qt::Key_Asterisk:
    case Qt::Key_Plus: {
      // On an on/off node the key switches it; on a group it keeps its
      // usual meaning of opening the group.
      const int icon = currentIndex().data(OptionTreeModel::kIconRole).toInt();
      if (currentIndex().isValid() && (icon == 0 || icon == 1)) {
        emit ToggleRequested(OptionTreeModel::NodeOf(currentIndex()), false);
        event->accept();
        return;
      }
      break;
    }
    default:
      break;
  }
  QTreeView::keyPressEvent(event);
}

}  // namespace norvella

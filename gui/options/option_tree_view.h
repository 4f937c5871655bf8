#pragma once

// OptionsTree, the tree view of the option panel. A click on a node's icon
// and the keys Enter, space, "*" and "+" ask for the selected node to be
// switched; a click on the caption only selects.

#include <QModelIndex>
#include <QTreeView>

namespace norvella {

class OptionsTreeView final : public QTreeView {
  Q_OBJECT

 public:
  explicit OptionsTreeView(QWidget* parent = nullptr);

  // Where the icon of an item is drawn, in viewport coordinates.
  QRect IconRect(const QModelIndex& index) const;

 signals:
  // The node was clicked on its icon (mouse true) or switched by a key.
  void ToggleRequested(int node, bool mouse);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool OnIcon(const QPoint& position, QModelIndex* index) const;

  QPersistentModelIndex pressedIcon_;  // the item whose icon the button went down on
};

}  // namespace norvella

#pragma once

// The option tree as a Qt item model over the node table: one column, the
// caption and icon of every node as the current values give them.

#include <array>

#include <QAbstractItemModel>
#include <QIcon>

#include "core/settings/options.h"
#include "core/ui/option_tree.h"

namespace norvella {

struct DocumentProperties;
class StringTable;

class OptionTreeModel final : public QAbstractItemModel {
  Q_OBJECT

 public:
  // The node index of an item.
  static constexpr int kNodeRole = Qt::UserRole + 1;
  // The icon index of an item (0 off, 1 on, others pictures).
  static constexpr int kIconRole = Qt::UserRole + 2;

  OptionTreeModel(const Options& options, const DocumentProperties& doc, const StringTable& strings,
                  QObject* parent = nullptr);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  QModelIndex IndexOfNode(int node) const;
  static int NodeOf(const QModelIndex& index);

  // The caption or icon of a node may have changed.
  void NodeChanged(int node);
  // An option changed: its node follows.
  void OptionChanged(Opt id);
  // The document properties changed or were replaced.
  void DocumentChanged();
  // Every caption again (a localisation was loaded).
  void RefreshAll();

 private:
  const Options& options_;
  const DocumentProperties& doc_;
  const StringTable& strings_;
  std::array<QIcon, kTreeIconCount> icons_;
};

}  // namespace norvella

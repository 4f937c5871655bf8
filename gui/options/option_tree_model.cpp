#include "gui/options/option_tree_model.h"

#include "core/convert/context.h"
#include "core/i18n/strings.h"
#include "gui/options/tree_icons.h"
#include "gui/common/qt_text.h"

namespace norvella {

OptionTreeModel::OptionTreeModel(const Options& options, const DocumentProperties& doc, const StringTable& strings,
                                 QObject* parent)
    : QAbstractItemModel(parent), options_(options), doc_(doc), strings_(strings) {
  for (int i = 0; i < kTreeIconCount; ++i) icons_[static_cast<std::size_t>(i)] = TreeIcon(i);
}

QModelIndex OptionTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  if (!parent.isValid()) return row == 0 ? createIndex(0, 0, quintptr{0}) : QModelIndex();
  const auto children = ChildNodes(NodeOf(parent));
  if (row >= static_cast<int>(children.size())) return {};
  return createIndex(row, 0, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
}

QModelIndex OptionTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  const int up = NodeAt(NodeOf(child)).parent;
  return up < 0 ? QModelIndex() : IndexOfNode(up);
}

int OptionTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return 1;
  if (parent.column() != 0) return 0;
  return static_cast<int>(ChildNodes(NodeOf(parent)).size());
}

int OptionTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant OptionTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int node = NodeOf(index);
  switch (role) {
    case Qt::DisplayRole:
      return ToQt(NodeCaption(node, options_, doc_, strings_));
    case Qt::DecorationRole:
      return icons_[static_cast<std::size_t>(NodeIcon(node, options_))];
    case kNodeRole:
      return node;
    case kIconRole:
      return NodeIcon(node, options_);
    default:
      return {};
  }
}

Qt::ItemFlags OptionTreeModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QModelIndex OptionTreeModel::IndexOfNode(int node) const {
  if (node < 0 || node >= kOptionNodeCount) return {};
  return createIndex(node == 0 ? 0 : RowOfNode(node), 0, static_cast<quintptr>(node));
}

int OptionTreeModel::NodeOf(const QModelIndex& index) {
  return index.isValid() ? static_cast<int>(index.internalId()) : -1;
}

void OptionTreeModel::NodeChanged(int node) {
  const QModelIndex at = IndexOfNode(node);
  if (at.isValid()) emit dataChanged(at, at, {Qt::DisplayRole, Qt::DecorationRole, kIconRole});
}

void OptionTreeModel::OptionChanged(Opt id) { NodeChanged(NodeOfOption(id)); }

void OptionTreeModel::DocumentChanged() {
  for (const DocField field :
       {DocField::Author, DocField::Title, DocField::ShortTitle, DocField::Comment, DocField::Cover})
    NodeChanged(NodeOfField(field));
}

void OptionTreeModel::RefreshAll() {
  for (int node = 0; node < kOptionNodeCount; ++node) NodeChanged(node);
}

}  // namespace norvella

#include "grid_table_model.h"

namespace app {

QString ColumnName(int ACol) {
  QString name;
  for (long long rest = static_cast<long long>(ACol) + 1; rest > 0; rest = (rest - 1) / 26)
    name.prepend(QChar(u'A' + static_cast<char16_t>((rest - 1) % 26)));
  return name;
}

TGridTableModel::TGridTableModel(grid::TSpreadGrid& AGrid, QObject* AParent)
    : QAbstractTableModel(AParent),
      FGrid(AGrid),
      FRows(AGrid.RowCount()),
      FCols(AGrid.ColCount()) {}

int TGridTableModel::rowCount(const QModelIndex& AParent) const {
  return AParent.isValid() ? 0 : FRows;
}

int TGridTableModel::columnCount(const QModelIndex& AParent) const {
  return AParent.isValid() ? 0 : FCols;
}

QVariant TGridTableModel::data(const QModelIndex& AIndex, int ARole) const {
  if (!AIndex.isValid() || (ARole != Qt::DisplayRole && ARole != Qt::EditRole)) return {};
  return QString::fromStdString(FGrid.Cells(AIndex.column(), AIndex.row()));
}

bool TGridTableModel::setData(const QModelIndex& AIndex, const QVariant& AValue, int ARole) {
  if (!AIndex.isValid() || ARole != Qt::EditRole) return false;
  FGrid.SetCells(AIndex.column(), AIndex.row(), AValue.toString().toStdString());
  emit dataChanged(AIndex, AIndex, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

Qt::ItemFlags TGridTableModel::flags(const QModelIndex& AIndex) const {
  if (!AIndex.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

QVariant TGridTableModel::headerData(int ASection, Qt::Orientation AOrientation, int ARole) const {
  if (ARole != Qt::DisplayRole) return {};
  // Labels as the exported sheet will have them: grid cell (0, 0) lands in A1.
  if (AOrientation == Qt::Horizontal) return ColumnName(ASection);
  return QString::number(static_cast<long long>(ASection) + 1);
}

void TGridTableModel::Refresh() {
  ResizeColumns(FGrid.ColCount());
  ResizeRows(FGrid.RowCount());
  emit dataChanged(index(0, 0), index(FRows - 1, FCols - 1), {Qt::DisplayRole, Qt::EditRole});
}

void TGridTableModel::ResizeRows(int ACount) {
  if (ACount > FRows) {
    beginInsertRows({}, FRows, ACount - 1);
    FRows = ACount;
    endInsertRows();
  } else if (ACount < FRows) {
    beginRemoveRows({}, ACount, FRows - 1);
    FRows = ACount;
    endRemoveRows();
  }
}

void TGridTableModel::ResizeColumns(int ACount) {
  if (ACount > FCols) {
    beginInsertColumns({}, FCols, ACount - 1);
    FCols = ACount;
    endInsertColumns();
  } else if (ACount < FCols) {
    beginRemoveColumns({}, ACount, FCols - 1);
    FCols = ACount;
    endRemoveColumns();
  }
}

}  // namespace app

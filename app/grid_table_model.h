// The results grid as a Qt table model. The grid tells nobody when it changes, so the window
// calls Refresh after every command and whenever a run lets events through; the model reports
// the counts it last took in, and rows set beyond them appear when the grid's counts grow.
#pragma once

#include <QAbstractTableModel>

#include "grid/spread_grid.h"

namespace app {

// The spreadsheet name of a 0-based column: A, B, ..., Z, AA, AB, ...
QString ColumnName(int ACol);

class TGridTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // AGrid is not owned and must outlive the model.
  explicit TGridTableModel(grid::TSpreadGrid& AGrid, QObject* AParent = nullptr);

  grid::TSpreadGrid& Grid() noexcept { return FGrid; }

  int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
  int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
  QVariant data(const QModelIndex& AIndex, int ARole = Qt::DisplayRole) const override;
  // Edits go into the grid as typed; a text beginning with "=" stays text.
  bool setData(const QModelIndex& AIndex, const QVariant& AValue,
               int ARole = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& AIndex) const override;
  QVariant headerData(int ASection, Qt::Orientation AOrientation,
                      int ARole = Qt::DisplayRole) const override;

  // Takes in the grid's current counts and texts.
  void Refresh();

 private:
  void ResizeRows(int ACount);
  void ResizeColumns(int ACount);

  grid::TSpreadGrid& FGrid;
  int FRows;
  int FCols;
};

}  // namespace app

#include "grid_view.h"

#include <QHeaderView>

namespace app {

TGridView::TGridView(TGridTableModel& AModel, QWidget* AParent)
    : QTableView(AParent), FModel(AModel) {
  setModel(&FModel);
  horizontalHeader()->setDefaultSectionSize(grid::TSpreadGrid::kDefaultColWidth);
  verticalHeader()->setDefaultSectionSize(grid::TSpreadGrid::kDefaultRowHeight);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ApplyColumnWidths(0, FModel.columnCount() - 1);
  ApplyRowHeights(0, FModel.rowCount() - 1);

  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int ACol, int, int ANewSize) {
            if (!FApplying) FModel.Grid().SetColWidth(ACol, ANewSize);
          });
  connect(verticalHeader(), &QHeaderView::sectionResized, this,
          [this](int ARow, int, int ANewSize) {
            if (!FApplying) FModel.Grid().SetRowHeight(ARow, ANewSize);
          });
  // Rows and columns that come back after the grid shrank keep the sizes the grid kept.
  connect(&FModel, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int AFirst, int ALast) { ApplyRowHeights(AFirst, ALast); });
  connect(&FModel, &QAbstractItemModel::columnsInserted, this,
          [this](const QModelIndex&, int AFirst, int ALast) { ApplyColumnWidths(AFirst, ALast); });
}

void TGridView::ApplyRowHeights(int AFirst, int ALast) {
  FApplying = true;
  for (int row = AFirst; row <= ALast; ++row) {
    int height = FModel.Grid().RowHeight(row);
    if (rowHeight(row) != height) setRowHeight(row, height);
  }
  FApplying = false;
}

void TGridView::ApplyColumnWidths(int AFirst, int ALast) {
  FApplying = true;
  for (int col = AFirst; col <= ALast; ++col) {
    int width = FModel.Grid().ColWidth(col);
    if (columnWidth(col) != width) setColumnWidth(col, width);
  }
  FApplying = false;
}

}  // namespace app

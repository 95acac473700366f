// The results grid on screen: a table view over TGridTableModel whose row heights and column
// widths are the grid's own, so that what the user resizes is what the workbook export reads.
#pragma once

#include <QTableView>

#include "grid_table_model.h"

namespace app {

class TGridView : public QTableView {
  Q_OBJECT

 public:
  // AModel is not owned and must outlive the view's use of it.
  explicit TGridView(TGridTableModel& AModel, QWidget* AParent = nullptr);

 private:
  void ApplyRowHeights(int AFirst, int ALast);
  void ApplyColumnWidths(int AFirst, int ALast);

  TGridTableModel& FModel;
  bool FApplying = false;  // sizes going from the grid to the view, not from the user
};

}  // namespace app

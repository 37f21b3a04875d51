// The grid 高级表格1: a virtual (owner-data) report list view of comctl32 6
// that draws from an EGrid. Row 0 of the model is the list view's header, the
// other rows are its items; no item or window exists per cell, the texts are
// fetched from the model while painting.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "viewer/egrid.h"

namespace raz::viewer {

class GridControl : public EGridObserver {
 public:
  GridControl() = default;
  GridControl(const GridControl&) = delete;
  GridControl& operator=(const GridControl&) = delete;
  ~GridControl() override;

  // Creates the list view as a child of `parent` and starts observing
  // `model`. A change of a cell in the rows on screen is repainted once
  // `refresh_message` (posted to the parent at most once until handled) comes
  // back through Refresh(); a change elsewhere posts nothing, since those rows
  // are drawn from the model when they scroll in.
  bool Create(HWND parent, int id, const RECT& rect, EGrid* model, UINT refresh_message);
  HWND Handle() const { return list_; }

  // The parent forwards WM_NOTIFY from the list view; true when handled.
  bool HandleNotify(const NMHDR* header, LRESULT* result);
  // Repaints the changed rows that are visible (handler of the refresh
  // message). Rows out of view are drawn from the model when they scroll in.
  void Refresh();

  void OnRowCountChanged() override;
  void OnColumnsChanged() override;
  void OnColumnWidthChanged(int column) override;
  void OnCellChanged(int row, int column) override;

 private:
  int HeaderRows() const { return model_->FixedRows(); }
  void SyncItemCount();
  // Notes which items the list view shows now. Whatever changes them
  // (scrolling, resizing, a new item count) repaints the list, and each
  // paint reads them anew, so the note never misses a row on screen.
  void ReadPage();
  // At most `max_bytes` of a cell's text, cut at a character boundary, read
  // no further than that.
  std::string_view CellStart(int item, int column, std::size_t max_bytes) const;

  HWND list_ = nullptr;
  HWND parent_ = nullptr;
  EGrid* model_ = nullptr;
  UINT refresh_message_ = 0;
  bool refresh_posted_ = false;
  // Items (list rows) changed since the last Refresh; first > last when none.
  int changed_first_ = 1;
  int changed_last_ = 0;
  int list_columns_ = 0;
  // Items on screen at the last paint: a page and the row cut off below it.
  int page_first_ = 0;
  int page_last_ = -1;
};

}  // namespace raz::viewer

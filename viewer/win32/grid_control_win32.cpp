#include "viewer/win32/grid_control_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "common/gbk_text.h"

namespace raz::viewer {

GridControl::~GridControl() {
  if (model_) model_->SetObserver(nullptr);
}

bool GridControl::Create(HWND parent, int id, const RECT& rect, EGrid* model, UINT refresh_message) {
  parent_ = parent;
  model_ = model;
  refresh_message_ = refresh_message;
  list_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_NOSORTHEADER |
                              LVS_SHOWSELALWAYS,
                          rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!list_) return false;
  ListView_SetExtendedListViewStyle(list_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  // Items take their height from the small image list: a 1-pixel-wide list
  // as high as the model's rows. The list view owns and destroys it.
  if (HIMAGELIST rows = ImageList_Create(1, model_->RowHeight(), ILC_COLOR, 1, 0)) {
    ListView_SetImageList(list_, rows, LVSIL_SMALL);
  }
  model_->SetObserver(this);
  OnColumnsChanged();
  ReadPage();
  return true;
}

void GridControl::ReadPage() {
  page_first_ = ListView_GetTopIndex(list_);
  page_last_ = page_first_ + ListView_GetCountPerPage(list_);
}

void GridControl::SyncItemCount() {
  const int items = model_->RowCount() - HeaderRows();
  ListView_SetItemCountEx(list_, items > 0 ? items : 0, 0);
}

void GridControl::OnRowCountChanged() {
  SyncItemCount();
  ReadPage();  // fewer items may have moved the top
  InvalidateRect(list_, nullptr, FALSE);
}

void GridControl::OnColumnsChanged() {
  // Without drawing while the columns change: otherwise each inserted or
  // deleted column lays out and repaints the whole list, and a thousand
  // columns take seconds each way.
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  for (; list_columns_ > 0; --list_columns_) ListView_DeleteColumn(list_, list_columns_ - 1);
  for (int c = 0; c < model_->ColumnCount(); ++c) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = model_->ColumnWidth(c);
    column.pszText = const_cast<char*>(model_->CellText(0, c));
    if (SendMessageA(list_, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column)) == -1) break;
    ++list_columns_;
  }
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  SyncItemCount();
  InvalidateRect(list_, nullptr, TRUE);
}

void GridControl::OnColumnWidthChanged(int column) {
  if (column < list_columns_) ListView_SetColumnWidth(list_, column, model_->ColumnWidth(column));
}

void GridControl::OnCellChanged(int row, int column) {
  if (row < HeaderRows()) {
    if (column >= list_columns_) return;
    LVCOLUMNA header = {};
    header.mask = LVCF_TEXT;
    header.pszText = const_cast<char*>(model_->CellText(row, column));
    SendMessageA(list_, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&header));
    return;
  }
  // Loading sets millions of cells, nearly all of them below the window:
  // only rows on screen need a repaint, and it comes once the queue is next
  // pumped, not once per cell.
  const int item = row - HeaderRows();
  if (item < page_first_ || item > page_last_) return;
  if (changed_first_ > changed_last_) {
    changed_first_ = changed_last_ = item;
  } else {
    changed_first_ = std::min(changed_first_, item);
    changed_last_ = std::max(changed_last_, item);
  }
  if (!refresh_posted_) refresh_posted_ = PostMessageA(parent_, refresh_message_, 0, 0) != FALSE;
}

void GridControl::Refresh() {
  refresh_posted_ = false;
  const int first = changed_first_;
  const int last = changed_last_;
  changed_first_ = 1;
  changed_last_ = 0;
  if (first > last) return;
  // The list may have scrolled since: the rows that left the screen are
  // drawn afresh when they come back.
  ReadPage();
  const int from = std::max(first, page_first_);
  const int to = std::min(last, page_last_);
  if (from <= to) ListView_RedrawItems(list_, from, to);
}

std::string_view GridControl::CellStart(int item, int column, std::size_t max_bytes) const {
  // A cell may hold megabytes; the list view shows at most its buffer, so no
  // more of the cell is read. A long cell is cut at a character boundary:
  // half a two-byte character would show as a stray glyph.
  const char* cell = model_->CellText(item + HeaderRows(), column);
  const std::string_view text(cell, strnlen(cell, max_bytes + 1));
  return text.substr(0, WholeCharacterPrefix(text, max_bytes));
}

bool GridControl::HandleNotify(const NMHDR* header, LRESULT* result) {
  if (header->hwndFrom != list_) return false;
  switch (header->code) {
    case LVN_GETDISPINFOA: {
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header))->item;
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string_view text =
            CellStart(item.iItem, item.iSubItem, static_cast<std::size_t>(item.cchTextMax) - 1);
        std::memcpy(item.pszText, text.data(), text.size());
        item.pszText[text.size()] = '\0';
      }
      *result = 0;
      return true;
    }
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header))->item;
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        // Each GBK character, of one byte or two, becomes one UTF-16 unit:
        // as many characters as the buffer has units, from at most twice
        // as many bytes.
        const std::size_t room = static_cast<std::size_t>(item.cchTextMax) - 1;
        const std::string_view text = CellStart(item.iItem, item.iSubItem, 2 * room);
        std::size_t bytes = 0;
        for (std::size_t characters = 0; characters < room && bytes < text.size(); ++characters) {
          bytes += IsLeadByte(static_cast<unsigned char>(text[bytes])) ? 2 : 1;
        }
        bytes = std::min(bytes, text.size());  // a lone lead byte at the end
        const int units = bytes == 0 ? 0
                                     : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(bytes),
                                                           item.pszText, item.cchTextMax - 1);
        item.pszText[units] = L'\0';
      }
      *result = 0;
      return true;
    }
    case NM_CUSTOMDRAW: {
      // The fixed header column is drawn in the colour of header cells.
      auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header));
      switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
          ReadPage();
          *result = CDRF_NOTIFYITEMDRAW;
          return true;
        case CDDS_ITEMPREPAINT:
          *result = CDRF_NOTIFYSUBITEMDRAW;
          return true;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
          draw->clrTextBk = GetSysColor(draw->iSubItem < model_->FixedColumns() ? COLOR_BTNFACE : COLOR_WINDOW);
          *result = CDRF_DODEFAULT;
          return true;
        default:
          *result = CDRF_DODEFAULT;
          return true;
      }
    }
    default:
      return false;
  }
}

}  // namespace raz::viewer

// The main window's list view: columns, cell texts, row colours, sorting, the total line.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "core/fixed_string.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/list_texts.h"
#include "ui/common/list_view.h"
#include "ui/main_window/main_window.h"
#include "ui/common/resource_ids.h"

namespace qm {
namespace {

constexpr int kColumnFormats[4] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_LEFT, LVCFMT_LEFT};
constexpr DWORD kListExtendedStyles =
    LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP;
static_assert(kListExtendedStyles == 0x14030);

}  // namespace

void MainWindow::InsertListColumns() {
  const AppSettings& settings = App().settings;
  AddListColumns(list_, 4, kListHeaders, kColumnFormats, settings.listColumnWidths, settings.listColumnOrder);
  ListView_SetExtendedListViewStyle(list_, kListExtendedStyles);
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case LVN_GETDISPINFOW:
      OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
      return 0;
    case LVN_ITEMCHANGED: OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header)); return 0;
    case NM_CUSTOMDRAW: return OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    case LVN_COLUMNCLICK: OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem); return 0;
    case NM_CLICK: OnRowClick(); return 0;
    case NM_RCLICK: ShowRowMenu(); return 0;
    default: return 0;
  }
}

void MainWindow::OnGetDisplayInfo(NMLVDISPINFOW& info) {
  if ((info.item.mask & LVIF_TEXT) == 0 || info.item.iItem < 0) return;
  const uint8_t* record = view_.list.RecordOfRow(static_cast<uint32_t>(info.item.iItem));
  if (record == nullptr) return;
  const ActivityRecord header = ReadRecordHeader(record);
  switch (info.item.iSubItem) {
    case kListStart: CopyToCell(info, StartCellText(header.start)); break;
    case kListDuration: CopyToCell(info, DurationCellText(header.duration)); break;
    case kListTitle: CopyToCell(info, RecordTitle(record)); break;
    case kListExecutable: {
      const PoolEntry* entry = App().pool.Find(static_cast<int32_t>(header.exeKey));
      CopyToCell(info, entry != nullptr ? entry->Text() : std::u16string_view(kNoExecutable));
      break;
    }
    default: break;
  }
}

LRESULT MainWindow::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return 0;
  const uint8_t* record = view_.list.RecordOfRow(static_cast<uint32_t>(draw.nmcd.dwItemSpec));
  if (record != nullptr) draw.clrTextBk = App().colors.RecordColor(ReadRecordHeader(record));
  return CDRF_NEWFONT;
}

std::vector<uint32_t> MainWindow::SelectedRows() const { return SelectedListRows(list_); }

void MainWindow::OnItemChanged(const NMLISTVIEW& change) {
  if (change.iItem == -1 || (change.uNewState & (LVIS_FOCUSED | LVIS_SELECTED)) == 0 || !selectionSummary_) return;
  uint32_t total = 0;
  for (uint32_t row : SelectedRows()) {
    if (const uint8_t* record = view_.list.RecordOfRow(row)) total += ReadRecordHeader(record).duration;
  }
  SetDlgItemTextW(window_, IDC_TOTAL_TEXT, Wide(TotalLineText(total).c_str()));
}

void MainWindow::SetHeaderText(int column, const std::u16string& text) {
  LVCOLUMNW item = {};
  item.mask = LVCF_TEXT;
  item.pszText = const_cast<wchar_t*>(Wide(text.c_str()));
  ListView_SetColumn(list_, column, &item);
}

void MainWindow::ResetHeaders() {
  for (int c = 0; c < 4; ++c) SetHeaderText(c, Tr(kListHeaders[c]));
}

void MainWindow::OnColumnClick(int column) {
  if (column < 0 || column > 3) return;
  AppState& app = App();
  std::vector<uint32_t> selectedRecords;
  for (uint32_t row : SelectedRows()) {
    if (view_.list.RecordOfRow(row) != nullptr) selectedRecords.push_back(view_.list.RecordIndexOfRow(row));
  }
  app.settings.listSortAscending = app.settings.listSortAscending ? 0 : 1;
  const bool ascending = app.settings.listSortAscending != 0;
  for (int c = 0; c < 4; ++c) SetHeaderText(c, c == column ? SortedHeaderText(c, ascending) : Tr(kListHeaders[c]));
  if (view_.list.RowCount() >= 2) {
    app.settings.listSortColumn = column;
    view_.list.SortByColumn(column, ascending, app.pool);
  }
  // The same records at their new rows.
  std::vector<uint32_t> rows;
  for (uint32_t record : selectedRecords) rows.push_back(view_.list.RowOfRecord(record));
  SelectListRows(window_, list_, rows, true);
}

void MainWindow::OnRowClick() {
  MarkRowOnTimeline(window_, view_.list, ListView_GetNextItem(list_, -1, LVNI_SELECTED));
}

void SelectListRows(HWND mainWindow, HWND list, std::span<const uint32_t> rows, bool replace) {
  SendMessageW(mainWindow, kSelectionSummaryMessage, 0, 0);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  if (replace) ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  for (uint32_t row : rows) ListView_SetItemState(list, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
  // The last row goes in once more with the total on, so that the total line changes once.
  if (!rows.empty()) ListView_SetItemState(list, static_cast<int>(rows.back()), 0, LVIS_SELECTED);
  SendMessageW(mainWindow, kSelectionSummaryMessage, 1, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  if (!rows.empty()) {
    ListView_SetItemState(list, static_cast<int>(rows.back()), LVIS_SELECTED, LVIS_SELECTED);
    ListView_EnsureVisible(list, static_cast<int>(rows.back()), TRUE);
  }
  InvalidateRect(list, nullptr, FALSE);
}

void MainWindow::UpdateItemCount() {
  ListView_SetItemCountEx(list_, view_.list.RowCount(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  InvalidateRect(list_, nullptr, TRUE);
}

void MainWindow::ShowViewChange() {
  ResetHeaders();
  SetWindowTextW(window_, Wide(view_.Title().c_str()));
  UpdateItemCount();
  PostMessageW(window_, kTimelineRedrawMessage, 0, 0);
}

}  // namespace qm

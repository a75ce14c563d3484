#include "ui/settings/color_config_window.h"

#include <cstring>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "storage/color_file.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/dpi_scale.h"
#include "ui/common/dpi_win32.h"
#include "ui/common/file_dialog.h"
#include "ui/common/list_view.h"
#include "ui/common/resource_ids.h"

namespace qm {
namespace {

constexpr int kColumnFormats[2] = {LVCFMT_LEFT, LVCFMT_RIGHT};
constexpr DWORD kListExtendedStyles = LVS_EX_LABELTIP | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;
// The controls that follow the window's size, in the order of controlsAtOpening_.
constexpr int kLaidOutControls[6] = {IDC_COLOR_LIST,  IDC_COLOR_GROUP, IDC_COLOR_CLEAR,
                                     IDC_COLOR_LOAD, IDC_COLOR_SAVE,  IDC_CLOSE_BUTTON};

Rect WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void ColorConfigWindow::Run(HWND owner) { ShowModal(IDD_COLOR_CONFIG, owner); }

INT_PTR ColorConfigWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window_ == nullptr && message != WM_INITDIALOG) return 0;
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return TRUE;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      return header.idFrom == IDC_COLOR_LIST ? OnNotify(header) : 0;
    }
    case WM_SIZE: OnSize(wParam); return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return TRUE;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam)); return 0;
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_DESTROY: OnDestroy(); return 0;
    default: return 0;
  }
}

void ColorConfigWindow::OnInitDialog(HWND window) {
  window_ = window;
  dpi_ = WindowDpi(window_);
  list_ = GetDlgItem(window_, IDC_COLOR_LIST);
  RecordOpeningRectangles();
  AppState& app = App();
  app.colors.AdoptPoolPaths(app.pool);
  ShowModeButtons();
  InsertColumns();
  FillRows();
  WriteHeaders(app.settings.colorSortColumn);
  RestorePlacement();
  SetSmallIcon(window_, IDI_SETTINGS);
}

void ColorConfigWindow::RecordOpeningRectangles() {
  dialogAtOpening_ = WindowRect(window_);
  for (int i = 0; i < 6; ++i)
    controlsAtOpening_[i] = ControlRectInClient(window_, GetDlgItem(window_, kLaidOutControls[i]));
  if (minimumSize_.width == 0) minimumSize_ = {dialogAtOpening_.Width(), dialogAtOpening_.Height()};
}

void ColorConfigWindow::InsertColumns() {
  const AppSettings& settings = App().settings;
  AddListColumns(list_, 2, kColorListHeaders, kColumnFormats, settings.colorColumnWidths,
                 settings.colorColumnOrder);
  ListView_SetExtendedListViewStyle(list_, kListExtendedStyles);
}

void ColorConfigWindow::RestorePlacement() {
  WINDOWPLACEMENT placement;
  std::memcpy(&placement, &App().settings.colorPlacement, sizeof placement);
  if (placement.length != sizeof placement) return;
  // A modal window has to stay in view, whatever show state a damaged file names.
  if (placement.showCmd != SW_SHOWMAXIMIZED) placement.showCmd = SW_SHOWNORMAL;
  SetWindowPlacement(window_, &placement);
}

void ColorConfigWindow::FillRows() {
  const AppState& app = App();
  rows_ = ColorRowsOf(app.colors);
  SortRows(app.settings.colorSortColumn);
  ListView_SetItemCountEx(list_, static_cast<int>(rows_.size()), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  InvalidateRect(list_, nullptr, TRUE);
}

void ColorConfigWindow::SortRows(int column) {
  AppState& app = App();
  app.settings.colorSortColumn = column;
  SortColorRows(rows_, column, app.settings.colorSortAscending != 0, app.colors, app.pool);
}

void ColorConfigWindow::WriteHeaders(int sortedColumn) {
  const bool ascending = App().settings.colorSortAscending != 0;
  for (int c = 0; c < 2; ++c) {
    const std::u16string text = ColorHeaderText(c, sortedColumn, ascending);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(Wide(text.c_str()));
    ListView_SetColumn(list_, c, &column);
  }
}

LRESULT ColorConfigWindow::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case LVN_GETDISPINFOW:
      OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
      return 0;
    case LVN_COLUMNCLICK: OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem); return 0;
    case NM_CUSTOMDRAW: return OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    case NM_RCLICK: ShowListMenu(); return 0;
    case NM_DBLCLK: ChangeColor(); return 0;
    default: return 0;
  }
}

void ColorConfigWindow::OnGetDisplayInfo(NMLVDISPINFOW& info) {
  if ((info.item.mask & LVIF_TEXT) == 0 || info.item.iItem < 0) return;
  if (static_cast<size_t>(info.item.iItem) >= rows_.size()) return;
  const AppState& app = App();
  const int32_t key = rows_[info.item.iItem].key;
  if (info.item.iSubItem == kColorKeyColumn) CopyToCell(info, ColorKeyText(app.colors, app.pool, key));
  if (info.item.iSubItem == kColorValueColumn) CopyToCell(info, ColorValueText(app.colors.ColorOf(key)));
}

LRESULT ColorConfigWindow::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  if (draw.nmcd.dwItemSpec < rows_.size()) draw.clrTextBk = App().colors.ColorOf(rows_[draw.nmcd.dwItemSpec].key);
  return CDRF_NEWFONT;
}

std::vector<int32_t> ColorConfigWindow::SelectedKeys(bool clearSelection) const {
  std::vector<int32_t> keys;
  for (int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED); row != -1;
       row = ListView_GetNextItem(list_, row, LVNI_SELECTED)) {
    if (static_cast<size_t>(row) < rows_.size()) keys.push_back(rows_[row].key);
    if (clearSelection) ListView_SetItemState(list_, row, 0, LVIS_SELECTED);
  }
  return keys;
}

void ColorConfigWindow::OnColumnClick(int column) {
  if (rows_.empty()) return;
  const std::vector<int32_t> selected = SelectedKeys(false);
  AppSettings& settings = App().settings;
  settings.colorSortAscending = settings.colorSortAscending ? 0 : 1;
  WriteHeaders(column);
  SortRows(column);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  int last = -1;
  for (int32_t key : selected) {
    for (const ColorEntry& row : rows_) {
      if (row.key != key) continue;
      ListView_SetItemState(list_, row.position, LVIS_SELECTED, LVIS_SELECTED);
      last = row.position;
    }
  }
  if (last != -1) ListView_EnsureVisible(list_, last, FALSE);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void ColorConfigWindow::OnCommand(WORD id) {
  switch (id) {
    case IDC_COLOR_PER_APPLICATION:
    case IDC_COLOR_GENERIC:
    case IDC_COLOR_PER_HOUR:
    case IDC_COLOR_NONE: SetMode(static_cast<ColorMode>(id - IDC_COLOR_PER_APPLICATION)); break;
    case CMD_ADD_COLOR: AddColor(); break;
    case CMD_CHANGE_COLOR: ChangeColor(); break;
    case CMD_DELETE_COLOR: DeleteColors(); break;
    case IDC_COLOR_CLEAR: ResetColors(); break;
    case IDC_COLOR_LOAD: LoadColors(); break;
    case IDC_COLOR_SAVE: SaveColors(); break;
    case IDC_CLOSE_BUTTON: PostMessageW(window_, WM_CLOSE, 0, 0); break;
    default: break;
  }
}

// The buttons show the mode, and the list takes input unless there are no colours to list.
void ColorConfigWindow::ShowModeButtons() {
  const int mode = static_cast<int>(App().colors.mode);
  for (int i = 0; i < 4; ++i) {
    CheckDlgButton(window_, IDC_COLOR_PER_APPLICATION + i, i == mode ? BST_CHECKED : BST_UNCHECKED);
  }
  EnableWindow(list_, mode != static_cast<int>(ColorMode::NoColor));
}

void ColorConfigWindow::SetMode(ColorMode mode) {
  App().colors.mode = mode;
  ShowModeButtons();
  FillRows();
}

void ColorConfigWindow::ShowListMenu() {
  std::vector<WORD> greyed;
  if (App().colors.mode == ColorMode::PerApplication) greyed.push_back(CMD_ADD_COLOR);
  if (ListView_GetNextItem(list_, -1, LVNI_SELECTED) == -1) greyed.insert(greyed.end(), {CMD_CHANGE_COLOR, CMD_DELETE_COLOR});
  TrackMenuResource(window_, L"COLOR_LIST_POPUP_MENU", TPM_LEFTALIGN | TPM_LEFTBUTTON, greyed);
}

void ColorConfigWindow::AddColor() {
  AppState& app = App();
  ColorRef color = 0;
  if (!ChooseColorFrom(window_, app.settings.customColors[0], app.settings.customColors, &color)) return;
  app.colors.AddColor(color);
  FillRows();
}

void ColorConfigWindow::ChangeColor() {
  const std::vector<int32_t> keys = SelectedKeys(false);
  if (keys.empty()) return;
  AppState& app = App();
  ColorRef color = 0;
  if (!ChooseColorFrom(window_, app.colors.ColorOf(keys.front()), app.settings.customColors, &color)) return;
  for (int32_t key : keys) app.colors.SetColor(key, color);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ColorConfigWindow::DeleteColors() {
  AppState& app = App();
  RemoveColors(app.colors, app.pool, SelectedKeys(true));
  FillRows();
}

void ColorConfigWindow::ResetColors() {
  if (!AskYesNo(window_, TextId::ResetColors)) return;
  AppState& app = App();
  app.colors.ResetColors(app.pool);
  FillRows();
}

void ColorConfigWindow::LoadColors() {
  AppState& app = App();
  if (!ShowOpenDialog(app.settings.colorDialog, app.env, window_, Wide(ColorFilters().data()), L"color")) return;
  // Whether or not the file loaded, the window shows what the rules hold now.
  LoadColorFile(app.env, std::u16string(ArrayText(app.settings.colorDialog.fullPath)), app.colors, app.pool);
  FillRows();
  ShowModeButtons();
}

void ColorConfigWindow::SaveColors() {
  AppState& app = App();
  FileDialogState& dialog = app.settings.colorDialog;
  if (ShowSaveDialog(dialog, app.env, window_, Wide(ColorFilters().data()), L"color", 0) == 0) return;
  SaveColorFile(app.env, std::u16string(ArrayText(dialog.fullPath)), app.colors, app.pool);
}

void ColorConfigWindow::OnSize(WPARAM kind) {
  if (kind == SIZE_MINIMIZED) return;
  const Rect now = WindowRect(window_);
  const int32_t dw = now.Width() - dialogAtOpening_.Width();
  const int32_t dh = now.Height() - dialogAtOpening_.Height();
  for (int i = 0; i < 6; ++i) {
    const Rect& r = controlsAtOpening_[i];
    const HWND control = GetDlgItem(window_, kLaidOutControls[i]);
    if (i < 2) {
      SetWindowPos(control, nullptr, 0, 0, r.Width() + dw, r.Height() + dh, SWP_NOMOVE | SWP_NOZORDER);
    } else {
      const int32_t dx = kLaidOutControls[i] == IDC_CLOSE_BUTTON ? dw : 0;
      SetWindowPos(control, nullptr, r.left + dx, r.top + dh, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
  }
  InvalidateRect(window_, nullptr, TRUE);
}

// The system rescales the dialog's font and controls and sends the new size; what the layout starts
// from, the columns and the smallest size follow here.
void ColorConfigWindow::OnDpiChanged(uint32_t dpi) {
  if (dpi == 0 || dpi == dpi_) return;
  dialogAtOpening_ = RescaleRect(dialogAtOpening_, dpi_, dpi);
  for (Rect& control : controlsAtOpening_) control = RescaleRect(control, dpi_, dpi);
  minimumSize_ = {Rescale(minimumSize_.width, dpi_, dpi), Rescale(minimumSize_.height, dpi_, dpi)};
  RescaleListColumns(list_, 2, dpi_, dpi);
  dpi_ = dpi;
  SetSmallIcon(window_, IDI_SETTINGS);
}

void ColorConfigWindow::OnGetMinMaxInfo(MINMAXINFO& info) const {
  if (minimumSize_.width == 0) return;
  info.ptMinTrackSize = {minimumSize_.width, minimumSize_.height};
}

void ColorConfigWindow::StoreLayout() {
  AppSettings& settings = App().settings;
  StoreListColumnWidths(list_, 2, settings.colorColumnWidths);
  int order[2] = {0, 1};
  if (ListView_GetColumnOrderArray(list_, 2, order)) {
    settings.colorColumnOrder[0] = order[0];
    settings.colorColumnOrder[1] = order[1];
  }
  rows_.clear();
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (GetWindowPlacement(window_, &placement)) {
    WindowPlacement stored;
    std::memcpy(&stored, &placement, sizeof stored);
    stored = PlacementToStore(stored);
    std::memcpy(&settings.colorPlacement, &stored, sizeof stored);
  }
}

void ColorConfigWindow::OnClose() {
  StoreLayout();
  EndDialog(window_, 1);
  window_ = nullptr;
  list_ = nullptr;
}

void ColorConfigWindow::OnDestroy() {
  StoreLayout();
  window_ = nullptr;
  list_ = nullptr;
}

}  // namespace qm

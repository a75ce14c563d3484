// The colour settings window: the colour mode, the colours the mode uses in a list that can be sorted,
// and adding, changing, deleting, resetting, loading and saving them. Every edit acts on the colour
// rules at once; closing stores the window's own layout. Modal and resizable.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "ui/settings/color_list.h"
#include "ui/common/window_base.h"
#include "ui/common/window_geometry.h"

namespace qm {

class ColorConfigWindow : public DialogWindowBase {
 public:
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  void Run(HWND owner);

 private:
  // Messages.
  void OnInitDialog(HWND window);
  void OnCommand(WORD id);
  LRESULT OnNotify(const NMHDR& header);
  void OnSize(WPARAM kind);
  void OnGetMinMaxInfo(MINMAXINFO& info) const;
  void OnDpiChanged(uint32_t dpi);
  // Stores the columns and the placement; on closing, and when the window goes with its owner.
  void StoreLayout();
  void OnClose();
  void OnDestroy();

  // Set-up.
  void RecordOpeningRectangles();
  void InsertColumns();
  void RestorePlacement();

  // The list.
  void FillRows();
  void SortRows(int column);
  void WriteHeaders(int sortedColumn);
  void OnGetDisplayInfo(NMLVDISPINFOW& info);
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
  void OnColumnClick(int column);
  std::vector<int32_t> SelectedKeys(bool clearSelection) const;

  // Commands.
  void ShowModeButtons();
  void SetMode(ColorMode mode);
  void ShowListMenu();
  void AddColor();
  void ChangeColor();
  void DeleteColors();
  void ResetColors();
  void LoadColors();
  void SaveColors();

  HWND window_ = nullptr;
  HWND list_ = nullptr;
  uint32_t dpi_ = 96;
  std::vector<ColorEntry> rows_;
  // Taken at opening, in the dialog's client coordinates: the list, the group box, then the buttons
  // "clear", "load", "save" and "close".
  Rect dialogAtOpening_;
  Rect controlsAtOpening_[6];
  // The size of the first opening in this run, below which the window does not shrink.
  Size minimumSize_;
};

}  // namespace qm

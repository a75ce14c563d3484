// The main window's timeline: the image behind static 1041, its redraw, the hover text and the list
// selection that follows the mouse or a drag.
#include <windows.h>

#include <commctrl.h>

#include "ui/main_window/main_window.h"
#include "ui/common/resource_ids.h"

namespace qm {
namespace {

Point ToPoint(POINT p) { return {p.x, p.y}; }

}  // namespace

POINT MainWindow::TimelineCursor() const {
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(GetDlgItem(window_, IDC_TIMELINE), &cursor);
  return cursor;
}

// Hands `bitmap` (or none) to the static. What the static gives back is deleted unless it is the
// image's own bitmap: a static that holds a picture with alpha keeps a copy of its own.
void MainWindow::SetTimelineImage(HBITMAP bitmap) {
  const auto returned = reinterpret_cast<HBITMAP>(
      SendDlgItemMessageW(window_, IDC_TIMELINE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (returned != nullptr && returned != timeline_.Bitmap()) DeleteObject(returned);
}

void MainWindow::RecreateTimelineImage() {
  // The static lets go first, so that it never holds a bitmap that is about to be deleted.
  SetTimelineImage(nullptr);
  RECT client = {};
  GetClientRect(GetDlgItem(window_, IDC_TIMELINE), &client);
  if (!timeline_.CreateImage(client.right, client.bottom)) {
    // Too small to show anything: no image until the next real size.
    timeline_.ReleaseImage();
    return;
  }
  timeline_.SetTimelineFont(TimelineMetricsAt(dpi_).hourFontHeight);
  SetTextColor(timeline_.Dc(), kHourTextColor);
  // The whole picture, not only the scale: it is what the static shows when it repaints by itself.
  SectionTextPainter text(timeline_);
  RenderTimeline(timeline_, {view_.list, App().colors, dpi_}, kNoPoint, kNoPoint, timelineState_, text);
  timeline_.DeselectBitmap();
  SetTimelineImage(timeline_.Bitmap());
}

void MainWindow::RedrawTimeline(const POINT* point) {
  HWND image = GetDlgItem(window_, IDC_TIMELINE);
  RECT client = {};
  GetClientRect(image, &client);
  Point mouse = kNoPoint;
  Point mark = kNoPoint;
  if (point != nullptr) {
    mouse = mark = ToPoint(*point);
  } else {
    const POINT cursor = TimelineCursor();
    if (PtInRect(&client, cursor)) mouse = ToPoint(cursor);
  }
  if (Dragging()) {
    mark = ToPoint(dragAnchor_);
    mouse = ToPoint(TimelineCursor());
  }
  if (timeline_.bits != nullptr) {
    SelectedBitmap selected(timeline_);
    SectionTextPainter text(timeline_);
    RenderTimeline(timeline_, {view_.list, App().colors, dpi_}, mouse, mark, timelineState_, text);
  }
  HDC dc = GetDC(image);
  if (dc == nullptr) return;
  if (timeline_.bits != nullptr) {
    StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, client.right, client.bottom, timeline_.bits,
                  reinterpret_cast<const BITMAPINFO*>(&timeline_.info), DIB_RGB_COLORS, SRCCOPY);
  }
  ReleaseDC(image, dc);
}

void MainWindow::TimelineTick() {
  RECT client = {};
  GetClientRect(GetDlgItem(window_, IDC_TIMELINE), &client);
  POINT cursor = TimelineCursor();
  if (!HoverMoved(timelineState_, GetActiveWindow() == window_, ToPoint(cursor), {client.right, client.bottom})) {
    return;
  }
  const int32_t seconds = SecondsAtX(cursor.x, timeline_.Width());
  const int32_t anchorSeconds = SecondsAtX(dragAnchor_.x, timeline_.Width());
  const std::u16string text = Dragging() ? DragText(anchorSeconds, seconds) : HoverText(seconds);
  SetDlgItemTextW(window_, IDC_HOVER_TEXT, Wide(text.c_str()));
  if (const DayLog* day = view_.list.Source()) {
    if (Dragging()) {
      SelectDraggedRecords(*day, anchorSeconds, seconds);
    } else {
      SelectRecordAt(*day, seconds);
    }
  }
  SendMessageW(window_, kTimelineRedrawMessage, reinterpret_cast<WPARAM>(&cursor), 0);
}

void MainWindow::SelectRecordAt(const DayLog& day, int32_t seconds) {
  const int32_t record = FindRecordAt(day, static_cast<uint32_t>(seconds));
  if (record < 0) return;
  const uint32_t row = view_.list.RowOfRecord(static_cast<uint32_t>(record));
  if (row >= view_.list.RowCount()) return;
  ListView_EnsureVisible(list_, static_cast<int>(row), TRUE);
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list_, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
}

void MainWindow::SelectDraggedRecords(const DayLog& day, int32_t anchorSeconds, int32_t seconds) {
  const std::optional<RecordRange> range = DraggedRecords(day, anchorSeconds, seconds);
  if (!range) return;
  std::vector<uint32_t> rows;
  for (uint32_t record = range->first; record <= range->last; ++record) {
    const uint32_t row = view_.list.RowOfRecord(record);
    if (row < view_.list.RowCount()) rows.push_back(row);
  }
  SelectListRows(window_, list_, rows, true);
}

void MarkRowOnTimeline(HWND mainWindow, const ListModel& list, int row) {
  if (row < 0) return;
  const uint8_t* record = list.RecordOfRow(static_cast<uint32_t>(row));
  if (record == nullptr) return;
  RECT image = {};
  GetClientRect(GetDlgItem(mainWindow, IDC_TIMELINE), &image);
  POINT mark = {TimelineX(ReadRecordHeader(record).start, image.right - image.left), 0};
  SendMessageW(mainWindow, kTimelineRedrawMessage, reinterpret_cast<WPARAM>(&mark), 0);
}

}  // namespace qm

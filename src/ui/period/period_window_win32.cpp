#include "ui/period/period_window.h"

#include <algorithm>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "platform/clipboard.h"
#include "storage/day_log_file.h"
#include "storage/legacy_day_log_file.h"
#include "storage/log_folder.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/dpi_scale.h"
#include "ui/common/dpi_win32.h"
#include "ui/common/resource_ids.h"
#include "ui/main_window/main_window.h"
#include "ui/period/period_steps.h"
#include "ui/period/period_texts.h"

namespace qm {
namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriodMs = 100;

std::u16string LogFolderOfViews() { return std::u16string(ArrayText(App().settings.logDialog.folder)); }

}  // namespace

void PeriodWindow::OpenOrClose(HWND owner) {
  if (window_ != nullptr) {
    SendMessageW(window_, WM_CLOSE, 0, 0);
    return;
  }
  ShowModeless(IDD_PERIOD, owner);
}

INT_PTR PeriodWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return 1;
    case WM_CLOSE: DestroyWindow(window); return 1;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SIZE: OnSize(); return 1;
    case WM_TIMER: OnTimer(); return 1;
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_APPCOMMAND: return 0;
    case kPeriodReadyMessage: OnPeriodReady(); return 1;
    case WM_CONTEXTMENU: CopyHoverText(); return 1;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam)); return 0;
    default: return 0;
  }
}

void PeriodWindow::OnInitDialog(HWND window) {
  window_ = window;
  dpi_ = WindowDpi(window_);
  picture_ = GetDlgItem(window_, IDC_PERIOD_PICTURE);
  pictureAtSetUp_ = ControlRectInClient(window_, picture_);
  hoverAtSetUp_ = ControlRectInClient(window_, GetDlgItem(window_, IDC_PERIOD_HOVER));
  HWND choice = GetDlgItem(window_, IDC_PERIOD_CHOICE);
  for (const TextId text : kPeriodChoiceTexts) SendMessageW(choice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(Tr(text))));
  // A picture of one day says no more than the main timeline: the window starts on a week at least.
  period_ = App().ini.usagePeriod == UsagePeriod::Day ? UsagePeriod::Week : App().ini.usagePeriod;
  SendMessageW(choice, CB_SETCURSEL, static_cast<WPARAM>(period_), 0);
  anchor_ = QueryShownDate(GetWindow(window_, GW_OWNER));
  SetWindowIcons(window_, IDI_QUILLMERE);
  SetTimer(window_, kHoverTimer, kHoverPeriodMs, nullptr);
  OnSize();
  StartPeriod();
}

void PeriodWindow::OnDestroy() {
  KillTimer(window_, kHoverTimer);
  job_.Stop();
  SendMessageW(picture_, STM_SETIMAGE, IMAGE_BITMAP, 0);
  image_.ReleaseImage();
  hoverDay_.Release();
  hoverPool_.ClearAll();
  hoverLoaded_ = false;
  shown_ = PeriodUsage();
  window_ = picture_ = nullptr;
}

INT_PTR PeriodWindow::OnCommand(WORD id, WORD code) {
  switch (id) {
    case IDC_PERIOD_PREV:
    case IDC_PERIOD_NEXT:
      anchor_ = StepPeriod(period_, anchor_, id == IDC_PERIOD_NEXT);
      StartPeriod();
      return 1;
    case IDC_PERIOD_CHOICE: {
      if (code != CBN_SELCHANGE) return 0;
      const LRESULT chosen = SendMessageW(GetDlgItem(window_, IDC_PERIOD_CHOICE), CB_GETCURSEL, 0, 0);
      if (chosen >= 0 && chosen <= 2) period_ = static_cast<UsagePeriod>(chosen);
      StartPeriod();
      return 1;
    }
    case IDC_PERIOD_PICTURE:
      if (code == STN_CLICKED) OnPictureClick();
      return 1;
    case IDCANCEL: PostMessageW(window_, WM_CLOSE, 0, 0); return 1;
    default: return 0;
  }
}

// The picture fills the window below the buttons; the hover line grows in width.
void PeriodWindow::OnSize() {
  const Size client = ClientSizeOf(window_);
  const int32_t margin = pictureAtSetUp_.left;
  Rect hover = hoverAtSetUp_;
  hover.right = std::max(hover.left + 1, client.width - margin);
  MoveControl(GetDlgItem(window_, IDC_PERIOD_HOVER), hover);
  Rect picture = pictureAtSetUp_;
  picture.right = std::max(picture.left + 1, client.width - margin);
  picture.bottom = std::max(picture.top + 1, client.height - margin);
  MoveControl(picture_, picture);
  RecreateImage();
}

void PeriodWindow::OnDpiChanged(uint32_t dpi) {
  if (dpi == 0 || dpi == dpi_) return;
  pictureAtSetUp_ = RescaleRect(pictureAtSetUp_, dpi_, dpi);
  hoverAtSetUp_ = RescaleRect(hoverAtSetUp_, dpi_, dpi);
  dpi_ = dpi;
  SetWindowIcons(window_, IDI_QUILLMERE);
  // A size unchanged in pixels brings no WM_SIZE, yet the picture's metrics changed.
  RecreateImage();
}

void PeriodWindow::StartPeriod() {
  AppState& app = App();
  const DateRange range = PeriodRange(period_, anchor_);
  SetWindowTextW(window_, Wide(PeriodCaptionText(TextId::PeriodCaption, range, true, {}).c_str()));
  const LocalTime& now = app.sampler.lastTick;
  const DayInMemory today{{now.year, now.month, now.day}, &app.sampler.day, &app.pool};
  HWND window = window_;
  job_.Start(app.env, {LogFolderOfViews()}, range, &today, [window] { PostMessageW(window, kPeriodReadyMessage, 0, 0); },
             true);
}

void PeriodWindow::OnPeriodReady() {
  std::unique_ptr<PeriodUsage> period = job_.Take();
  if (period == nullptr) return;
  shown_ = std::move(*period);
  hoverLoaded_ = false;
  std::vector<std::u16string> names;
  for (const std::u16string& path : shown_.unreadable) names.push_back(App().env.FindFileName(path));
  SetWindowTextW(window_, Wide(PeriodCaptionText(TextId::PeriodCaption, shown_.range, false, names).c_str()));
  Render(kNoPoint);
}

void PeriodWindow::RecreateImage() {
  SendMessageW(picture_, STM_SETIMAGE, IMAGE_BITMAP, 0);
  RECT client = {};
  GetClientRect(picture_, &client);
  if (!image_.CreateImage(client.right, client.bottom)) {
    image_.ReleaseImage();
    return;
  }
  image_.SetTimelineFont(PeriodMetricsAt(dpi_).textHeight);
  SetTextColor(image_.Dc(), kHourTextColor);
  image_.DeselectBitmap();
  Render(kNoPoint);
  const auto returned = reinterpret_cast<HBITMAP>(
      SendMessageW(picture_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image_.Bitmap())));
  if (returned != nullptr && returned != image_.Bitmap()) DeleteObject(returned);
}

void PeriodWindow::Render(Point mouse) {
  if (image_.bits == nullptr) return;
  {
    SelectedBitmap selected(image_);
    SectionTextPainter text(image_);
    RenderPeriodPicture(image_, shown_, App().colors, mouse, dpi_, text);
  }
  HDC dc = GetDC(picture_);
  if (dc == nullptr) return;
  StretchDIBits(dc, 0, 0, image_.Width(), image_.Height(), 0, 0, image_.Width(), image_.Height(), image_.bits,
                reinterpret_cast<const BITMAPINFO*>(&image_.info), DIB_RGB_COLORS, SRCCOPY);
  ReleaseDC(picture_, dc);
}

void PeriodWindow::Redraw() {
  if (window_ != nullptr) Render(kNoPoint);
}

PeriodLayout PeriodWindow::Layout() const {
  return LayoutPeriodPicture(image_.Width(), image_.Height(), shown_.range, dpi_);
}

Point PeriodWindow::PictureCursor() const {
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(picture_, &cursor);
  return {cursor.x, cursor.y};
}

void PeriodWindow::OnTimer() {
  const Point cursor = PictureCursor();
  if (GetActiveWindow() != window_ || (cursor.x == lastCursor_.x && cursor.y == lastCursor_.y)) return;
  lastCursor_ = cursor;
  const PeriodLayout layout = Layout();
  const std::optional<PeriodHit> hit = HitPeriodPicture(layout, shown_.range, cursor);
  SetDlgItemTextW(window_, IDC_PERIOD_HOVER, hit ? Wide(HoverTextAt(*hit).c_str()) : L"");
  Render(hit ? cursor : kNoPoint);
}

const DayLog* PeriodWindow::DayOf(const CalendarDate& date, const StringPool** pool) {
  AppState& app = App();
  const LocalTime& now = app.sampler.lastTick;
  if (date == CalendarDate{now.year, now.month, now.day}) {
    *pool = &app.pool;
    return &app.sampler.day;
  }
  *pool = &hoverPool_;
  if (hoverLoaded_ && hoverDate_ == date) return &hoverDay_;
  hoverDate_ = date;
  hoverLoaded_ = true;
  hoverPool_.ClearAll();
  hoverDay_.Release();
  const std::u16string folder = LogFolderOfViews();
  const auto path = [&](std::u16string_view extension) {
    return app.env.CombinePath(folder, DayLogFileName(date.year, date.month, date.day, extension));
  };
  if (!ReadDayLogFile(app.env, hoverPool_, hoverDay_, path(u"bin2"), UserViewedDay)) {
    hoverPool_.ClearAll();
    hoverDay_.Release();
    ReadLegacyDayLogFile(app.env, hoverPool_, hoverDay_, path(u"bin"), UserViewedDay);
  }
  return &hoverDay_;
}

std::u16string PeriodWindow::HoverTextAt(const PeriodHit& hit) {
  const StringPool* pool = nullptr;
  const DayLog* day = DayOf(hit.date, &pool);
  const int32_t index = FindRecordAt(*day, static_cast<uint32_t>(hit.seconds));
  if (index < 0) return PeriodHoverText(hit, u"", u"", false);
  const ActivityRecord header = day->Header(static_cast<uint32_t>(index));
  const uint64_t ms = uint64_t{static_cast<uint32_t>(hit.seconds)} * 1000;
  const bool covered = header.start <= ms + 999 && ms < uint64_t{header.start} + header.duration;
  const PoolEntry* path = pool->Find(static_cast<int32_t>(header.exeKey));
  return PeriodHoverText(hit, day->Title(static_cast<uint32_t>(index)), path ? path->Text() : u"none", covered);
}

// A right click on the picture copies what the hover line says about that point.
void PeriodWindow::CopyHoverText() {
  const PeriodLayout layout = Layout();
  const std::optional<PeriodHit> hit = HitPeriodPicture(layout, shown_.range, PictureCursor());
  if (hit) CopyTextToClipboard(HoverTextAt(*hit));
}

void PeriodWindow::OnPictureClick() {
  const PeriodLayout layout = Layout();
  const std::optional<PeriodHit> hit = HitPeriodPicture(layout, shown_.range, PictureCursor());
  if (!hit) return;
  const WPARAM date = (WPARAM{hit->date.year} << 16) | (WPARAM{hit->date.month} << 8) | hit->date.day;
  HWND owner = GetWindow(window_, GW_OWNER);
  SendMessageW(owner, kShowDayMessage, date, hit->seconds);
}

}  // namespace qm

#include "ui/timeline/dib_section_win32.h"

#include <cstddef>
#include <utility>

namespace qm {

static_assert(sizeof(BITMAPINFO) == sizeof(BitmapInfo));
static_assert(offsetof(BITMAPINFOHEADER, biSizeImage) == offsetof(BitmapInfo, imageSize));

DIBSection::~DIBSection() { DIBSection::ReleaseImage(); }

bool DIBSection::CreateImage(int32_t width, int32_t height) {
  if (!IsImageSize(width, height)) return false;
  ReleaseImage();
  SetInfo(width, height);
  dc_ = CreateCompatibleDC(nullptr);
  void* pixels = nullptr;
  if (dc_ != nullptr) {
    bitmap_ = CreateDIBSection(dc_, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0);
  }
  if (bitmap_ == nullptr) {
    ReleaseImage();
    return false;
  }
  bits = static_cast<uint32_t*>(pixels);
  previousBitmap_ = SelectObject(dc_, bitmap_);
  return true;
}

void DIBSection::ReleaseFont() {
  if (font_ == nullptr) return;
  if (dc_ != nullptr) SelectObject(dc_, previousFont_);
  DeleteObject(font_);
  font_ = nullptr;
  previousFont_ = nullptr;
}

void DIBSection::ReleaseImage() {
  ReleaseFont();
  if (bitmap_ != nullptr) {
    SelectObject(dc_, previousBitmap_);
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
    previousBitmap_ = nullptr;
  }
  if (dc_ != nullptr) {
    DeleteDC(dc_);
    dc_ = nullptr;
  }
  DIB::ReleaseImage();
}

bool DIBSection::RegrowSection(int32_t width, int32_t height) {
  if (bits != nullptr && width == Width() && height == Height()) return true;
  DIBSection grown;
  if (!grown.CreateImage(width, height)) return false;
  if (bitmap_ != nullptr) {
    SelectedBitmap selected(*this);
    BitBlt(grown.dc_, 0, 0, Width(), Height(), dc_, 0, 0, SRCCOPY);
    GdiFlush();
  }
  const bool hadFont = font_ != nullptr;
  ReleaseImage();
  std::swap(dc_, grown.dc_);
  std::swap(bitmap_, grown.bitmap_);
  std::swap(previousBitmap_, grown.previousBitmap_);
  std::swap(bits, grown.bits);
  std::swap(info, grown.info);
  if (hadFont) SetTimelineFont(fontHeight_);
  return true;
}

bool DIBSection::SetTimelineFont(int32_t height) {
  ReleaseFont();
  fontHeight_ = height;
  if (dc_ == nullptr) return false;
  LOGFONTW face = {};
  face.lfHeight = height;
  face.lfWeight = FW_BOLD;
  face.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(face.lfFaceName, L"MS UI Gothic", LF_FACESIZE);
  font_ = CreateFontIndirectW(&face);
  if (font_ == nullptr) return false;
  previousFont_ = SelectObject(dc_, font_);
  SetBkMode(dc_, TRANSPARENT);
  return true;
}

void DIBSection::SelectBitmap() {
  if (bitmap_ != nullptr) SelectObject(dc_, bitmap_);
}

void DIBSection::DeselectBitmap() {
  if (bitmap_ != nullptr) SelectObject(dc_, previousBitmap_);
}

void SectionTextPainter::DrawText(int32_t x, int32_t y, std::u16string_view text) {
  if (image_.Dc() == nullptr) return;
  TextOutW(image_.Dc(), x, y, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()));
  // The rest of the picture is written straight into the pixels; the text must be there first.
  GdiFlush();
}

}  // namespace qm

// The timeline image kept in a GDI DIB section, so that the hour numbers can be drawn into the same
// pixels with the system's text output. It owns its device context, bitmap and font.
#pragma once

#include <windows.h>

#include "ui/timeline/timeline_image.h"

namespace qm {

class DIBSection : public DIB {
 public:
  ~DIBSection() override;

  // A device context and DIB section of that size, the bitmap selected into the context, all pixels 0.
  // False (and the old image kept) for a size below 1; false with no image when GDI refuses.
  bool CreateImage(int32_t width, int32_t height) override;
  // Deletes the font, bitmap and device context, each first deselected.
  void ReleaseImage() override;
  // A new section of the new size with the old picture copied to its top left; the font moves along.
  // True when done or when the size is unchanged.
  virtual bool RegrowSection(int32_t width, int32_t height);

  // "MS UI Gothic", bold, `height` pixels (12 at 96 DPI), drawn on a transparent background.
  bool SetTimelineFont(int32_t height = 12);

  // The bitmap goes into the device context while the picture is drawn, and out again so that other
  // windows can show it.
  void SelectBitmap();
  void DeselectBitmap();

  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  HFONT Font() const { return font_; }

 private:
  void ReleaseFont();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ previousFont_ = nullptr;
  int32_t fontHeight_ = 12;
};

// Hour numbers written with TextOutW into the section's device context.
class SectionTextPainter : public HourTextPainter {
 public:
  explicit SectionTextPainter(DIBSection& image) : image_(image) {}
  void DrawText(int32_t x, int32_t y, std::u16string_view text) override;

 private:
  DIBSection& image_;
};

// Keeps the bitmap selected for the scope of one drawing.
class SelectedBitmap {
 public:
  explicit SelectedBitmap(DIBSection& image) : image_(image) { image_.SelectBitmap(); }
  ~SelectedBitmap() { image_.DeselectBitmap(); }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;

 private:
  DIBSection& image_;
};

}  // namespace qm

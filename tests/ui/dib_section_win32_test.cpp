// The timeline image in a GDI DIB section: re-created at every size the window goes through, it must
// give back each device context, bitmap and font, and the hour numbers must land in its pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/timeline/dib_section_win32.h"

namespace qm {
namespace {

DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

TEST(DIBSection, RecreatingAtEverySizeGivesBackEveryObject) {
  const DWORD before = GdiObjects();
  {
    DIBSection image;
    for (int i = 0; i < 1000; ++i) {
      const HGDIOBJ old[] = {image.Dc(), image.Bitmap(), image.Font()};
      const bool empty = i % 10 == 9;  // minimised or squeezed to nothing
      const int32_t width = empty ? 0 : 40 + i % 700, height = empty ? 0 : 10 + i % 90;
      if (image.CreateImage(width, height)) {
        ASSERT_TRUE(image.SetTimelineFont());
        ASSERT_TRUE(i % 3 != 0 || image.RegrowSection(width + 5, height));
      } else {
        ASSERT_TRUE(empty);
        image.ReleaseImage();
        EXPECT_EQ(image.bits, nullptr);
      }
      for (HGDIOBJ object : old) {
        if (object != nullptr && object != image.Dc() && object != image.Bitmap() && object != image.Font()) {
          ASSERT_EQ(GetObjectType(object), 0u) << "iteration " << i;
        }
      }
    }
  }
  // Not every system counts (Wine reads 0 throughout); the handle checks above hold everywhere.
  EXPECT_EQ(GdiObjects(), before);
}

TEST(DIBSection, HourNumbersAreDrawnIntoThePixelsAndRegrowKeepsThePicture) {
  DIBSection image;
  ASSERT_TRUE(image.CreateImage(60, 40));
  ASSERT_TRUE(image.SetTimelineFont());
  SetTextColor(image.Dc(), kHourTextColor);
  FillPixels(image, 0, 0, 60, 40, kBackgroundPixel);
  SectionTextPainter text(image);
  text.DrawText(1, 28, u"12");
  int inked = 0;
  for (int32_t y = 28; y < 40; ++y) {
    for (int32_t x = 1; x < 30; ++x) inked += (image.At(x, y) & 0xFFFFFF) != 0xFFFFFF;
  }
  EXPECT_GT(inked, 5);

  image.At(59, 0) = kMousePixel;
  ASSERT_TRUE(image.RegrowSection(80, 50));
  EXPECT_EQ(image.Width(), 80);
  EXPECT_EQ(image.At(59, 0) & 0xFFFFFF, kMousePixel & 0xFFFFFF);
  EXPECT_NE(image.Font(), nullptr);
}

}  // namespace
}  // namespace qm

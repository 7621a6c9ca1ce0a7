// The font, pen and brush objects that controls and layouts hold: each tells its holder of a
// real change only (a control repaints on it), and assigning checks the class.
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "framework/Brush.h"
#include "framework/Pen.h"
#include "framework/TFont.h"

namespace tarn::testing {
namespace {

TEST(DrawingObjectsTest, FontPenAndBrushTellOfEachRealChange) {
  TFont font;
  int changes = 0;
  font.OnChange = [&](TObject*) { ++changes; };
  font.SetName("\xCB\xCE\xCC\xE5");  // 宋体
  font.SetName("\xCB\xCE\xCC\xE5");
  font.SetHeight(-12);  // a character height as stored formats write it
  font.SetStyle(fsBold);
  font.SetColor(clRed);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(font.Height(), 12);
  EXPECT_EQ(font.Size(), 9);
  font.SetSize(8);
  EXPECT_EQ(font.Height(), 11);
  TFont copy;
  copy.Assign(font);
  EXPECT_EQ(copy.Value(), font.Value());

  TPen pen;
  int pen_changes = 0;
  pen.OnChange = [&](TObject*) { ++pen_changes; };
  pen.SetWidth(0);  // at least 1, which it already is
  pen.SetWidth(3);
  pen.SetStyle(PenStyle::Clear);
  EXPECT_EQ(pen_changes, 2);
  TBrush brush;
  int brush_changes = 0;
  brush.OnChange = [&](TObject*) { ++brush_changes; };
  brush.SetColor(clWhite);  // the default already
  brush.SetColor(clNavy);
  brush.SetStyle(BrushStyle::Clear);
  EXPECT_EQ(brush_changes, 2);
  EXPECT_THROW(pen.Assign(brush), EConvertError);
}

}  // namespace
}  // namespace tarn::testing

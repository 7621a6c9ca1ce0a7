// Shared set-up of the picture show tests: an application on a headless host, a shown form with
// one picture show on it, pictures whose every pixel differs, and the frame a transition must
// show, computed independently from the effect table.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "graphics/Canvas.h"
#include "platform/host/HeadlessHost.h"
#include "slideshow/XPPicShow.h"
#include "slideshow/effects/EffectTable.h"

namespace tarn::testing {

using Log = std::vector<std::string>;

// An opaque picture whose pixels all differ from each other and from other seeds' pixels.
inline Bitmap32 Pattern(int width, int height, uint32_t seed) {
  Bitmap32 bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    Pixel32* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const uint32_t v = (seed * 0x9E3779B1u) ^ static_cast<uint32_t>(y * 4096 + x) * 2654435761u;
      row[x] = 0xFF000000u | (v & 0x00FFFFFFu);
    }
  }
  return bitmap;
}

// Makes the picture hold a bitmap with these pixels.
inline void Hold(TPicture& picture, const Bitmap32& pixels) {
  TBitmap bitmap;
  bitmap.Image() = pixels;
  picture.SetGraphic(&bitmap);
}

// The frame at `progress` of `style` going from `from` to `to`, as the effect table draws it.
inline Bitmap32 ExpectedFrame(int style, const Bitmap32& from, const Bitmap32& to, int progress) {
  Bitmap32 frame = from;
  DrawEffectFrame(style, frame, to, progress);
  return frame;
}

// A block of a bitmap as a bitmap of its own.
inline Bitmap32 Crop(const Bitmap32& source, const TRect& r) {
  Bitmap32 out(r.Width(), r.Height());
  out.CopyBlock(0, 0, r.Width(), r.Height(), source, r.Left, r.Top);
  return out;
}

// A bitmap filled with one colour.
inline Bitmap32 Filled(int width, int height, TColor color) {
  Bitmap32 out(width, height);
  out.Fill(ColorToPixel(color));
  return out;
}

// Colours compared without the fourth byte (the window keeps what a copy brings along).
inline bool SameColours(const Bitmap32& a, const Bitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if ((a.PixelAt(x, y) & 0xFFFFFF) != (b.PixelAt(x, y) & 0xFFFFFF)) return false;
    }
  }
  return true;
}

class PicShowTest : public ::testing::Test {
 protected:
  explicit PicShowTest(THeadlessClock clock = THeadlessClock::Manual)
      : host(clock), app(std::make_unique<TApplication>(host)) {
    app->SetMessageBoxHandler([this](const std::string& text, const std::string&, uint32_t) {
      boxes.push_back(text);
      return IDOK;
    });
    form = app->CreateForm<TForm>();
    form->SetBorderStyle(TBorderStyle::bsNone);
    form->SetBounds(0, 0, 160, 120);
    form->SetColor(clWhite);
    show = new TXPPicShow(form);
    show->SetParent(form);
    show->SetBounds(10, 10, 100, 80);
    show->SetParentColor(false);
    show->SetColor(0x00FFFCE7);
    show->SetThreaded(false);
    form->Show();
    app->ProcessMessages();
  }

  // Logs the control's own events by name.
  void LogEvents() {
    show->OnChange = [this](TObject*) { log.push_back("change"); };
    show->OnStart = [this](TObject*, TBitmap*, TBitmap*) { log.push_back("start"); };
    show->OnProgress = [this](TObject*) {
      log.push_back("progress " + std::to_string(show->Progress()));
    };
    show->OnComplete = [this](TObject*) { log.push_back("complete"); };
    show->OnStop = [this](TObject*) { log.push_back("stop"); };
  }

  void Load(const Bitmap32& picture) { Hold(show->Picture(), picture); }
  void Run(const Bitmap32& picture) {
    Load(picture);
    show->Execute();
  }

  // What the window shows of the control's client area.
  Bitmap32 Shown() {
    app->ProcessMessages();
    const Bitmap32& screen = host.FindWindow(form->HostWindow())->Screen;
    return Crop(screen, show->BoundsRect());
  }

  Log log;
  std::vector<std::string> boxes;
  THeadlessHost host;
  std::unique_ptr<TApplication> app;
  TForm* form = nullptr;
  TXPPicShow* show = nullptr;
};

}  // namespace tarn::testing

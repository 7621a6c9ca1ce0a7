// tarn-text-sample: renders Chinese and Latin text with the graphics library's fonts into a PNG,
// so that a person can check that the wizard's texts are legible in the installed fonts.
//   tarn-text-sample OUT.png [TEXT]
// TEXT (UTF-8) defaults to the wizard's title; it is drawn in 宋体 12 px bold, then a few other
// families, styles and DrawText layouts are shown below it, each at 1x and magnified 4x.
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>

#include "base/Cp936.h"
#include "graphics/Canvas.h"
#include "graphics/FontEngine.h"
#include "graphics/PngCodec.h"

namespace {

using namespace tarn;

std::string Gbk(const std::string& utf8) {
  return Utf8ToCp936(utf8, Conversion::Replace);
}

Font MakeFont(const char* name, int height, FontStyles style, TColor color) {
  Font f;
  f.Name = Gbk(name);
  f.Height = height;
  f.Style = style;
  f.Color = color;
  return f;
}

int Run(const std::string& out_path, const std::string& text_utf8) {
  const std::string text = Gbk(text_utf8);
  Bitmap32 sheet(560, 500);
  Canvas c(sheet);
  c.FillRect(sheet.BoundsRect(), clWhite);
  c.brush.Style = BrushStyle::Clear;

  struct Sample {
    Font font;
    std::string text;
  };
  const Sample samples[] = {
      {MakeFont("宋体", 12, fsBold, clBlack), text},
      {MakeFont("宋体", 12, 0, clBlack), Gbk("所需空间：26 MB  可用空间：23 GB")},
      {MakeFont("Tahoma", 12, 0, 0x00210701), Gbk("视频文件 (*.avi;*.mp4) Tahoma 12")},
      {MakeFont("MS Sans Serif", 11, 0, clBlack), Gbk("MS Sans Serif 11: Next > Cancel 下一步")},
      {MakeFont("宋体", 12, fsUnderline | fsItalic, clNavy), Gbk("斜体与下划线 Italic underline")},
  };
  int y = 8;
  for (const Sample& s : samples) {
    c.font = s.font;
    const TSize size = c.TextExtent(s.text);
    c.TextOut(8, y, s.text);
    // The same line magnified, pixel for pixel, to judge crispness.
    Bitmap32 line(size.cx + 2, size.cy);
    Canvas lc(line);
    lc.FillRect(line.BoundsRect(), clWhite);
    lc.font = s.font;
    lc.brush.Style = BrushStyle::Clear;
    lc.TextOut(1, 0, s.text);
    const int scale = 4;
    const int shown = std::min(line.Width(), (sheet.Width() - 16) / scale);
    c.StretchDraw(Bounds(8, y + size.cy + 2, shown * scale, size.cy * scale), line,
                  Bounds(0, 0, shown, size.cy));
    y += size.cy * (scale + 1) + 8;
    if (y > sheet.Height() - 60) break;
  }

  // DrawText: word wrap of Chinese text, an accelerator, an end ellipsis, an opaque background.
  c.font = MakeFont("宋体", 12, 0, clBlack);
  TRect wrap = Rect(8, y, 250, y + 60);
  c.FrameRect(wrap.Inflate(1, 1), clSilver);
  c.DrawText(Gbk("我已阅读并同意上述许可协议中的全部条款，继续安装即表示接受。"), wrap,
             dtWordBreak);
  TRect accel = Rect(270, y, 550, y + 16);
  c.DrawText(Gbk("&Options 选项(&O)"), accel, dtSingleLine);
  TRect ellipsis = Rect(270, y + 20, 400, y + 36);
  c.FrameRect(ellipsis.Inflate(1, 1), clSilver);
  c.DrawText(Gbk("C:\\Program Files\\TarnPlayer\\很长的路径"), ellipsis,
             dtSingleLine | dtEndEllipsis);
  c.brush.Style = BrushStyle::Solid;
  c.brush.Color = 0x00FFFCE7;
  TRect opaque = Rect(270, y + 40, 550, y + 56);
  c.DrawText(Gbk("不透明背景 opaque"), opaque, dtSingleLine | dtVCenter);

  const auto png = EncodePng(sheet, PngAlpha::Opaque);
  std::ofstream out(out_path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!out) {
    std::fprintf(stderr, "tarn-text-sample: cannot write %s\n", out_path.c_str());
    return 1;
  }
  {
    auto lock = FontEngine::Instance().Lock();
    FontInstance& fi = FontEngine::Instance().Get(samples[0].font);
    std::printf("%s: 宋体 draws with \"%s\"\n", out_path.c_str(), fi.FamilyFor(U'塔').c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool help =
      argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
  if (help || argc < 2 || argc > 3 || argv[1][0] == '-') {
    std::fprintf(
        help ? stdout : stderr,
        "usage: tarn-text-sample OUT.png [TEXT]\n"
        "Renders TEXT (UTF-8; a Chinese sample by default) in the wizard's fonts to OUT.png.\n");
    return help ? 0 : 2;
  }
  try {
    return Run(argv[1], argc == 3 ? argv[2] : "塔恩播放器 安装向导");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarn-text-sample: %s\n", e.what());
    return 1;
  }
}

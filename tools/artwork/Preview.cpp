#include "tools/artwork/Preview.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "base/Cp936.h"
#include "graphics/Canvas.h"
#include "graphics/ImageCodec.h"
#include "graphics/PngCodec.h"
#include "graphics/Region.h"

namespace tarn::artwork {
namespace {

namespace fs = std::filesystem;

class Window {
 public:
  explicit Window(const fs::path& resources)
      : resources_(resources), bitmap_(558, 390), c_(bitmap_) {}

  Bitmap32 Load(const std::string& name) const {
    std::ifstream in(resources_ / name, std::ios::binary);
    const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    return DecodeImage(data);
  }

  // A panel's picture tiled from the panel's top-left, as the skinned panels place it.
  void Tile(const std::string& name, const TRect& panel) {
    const Bitmap32 picture = Load(name);
    CanvasStateSaver saver(c_);
    c_.IntersectClipRect(panel);
    for (int y = panel.Top; y < panel.Bottom; y += picture.Height())
      for (int x = panel.Left; x < panel.Right; x += picture.Width())
        c_.Draw(x, y, picture);
  }
  // Frame `frame` of a four-frame strip at (x, y).
  void Button(const std::string& name, int x, int y, int frame) {
    const Bitmap32 strip = Load(name);
    const int w = strip.Width() / 4;
    c_.DrawAlpha(Bounds(x, y, w, strip.Height()), strip, Bounds(frame * w, 0, w, strip.Height()));
  }
  void Text(int x, int y, const char* utf8, bool bold = false, TColor color = clBlack,
            const char* family = "宋体") {
    c_.font.Name = Utf8ToCp936(family);
    c_.font.Height = 12;
    c_.font.Style = bold ? fsBold : 0;
    c_.font.Color = color;
    c_.brush.Style = BrushStyle::Clear;
    c_.TextOut(x, y, Utf8ToCp936(utf8));
  }
  void Box(const TRect& r, TColor fill, TColor border) {
    c_.FillRect(r, fill);
    c_.FrameRect(r, border);
  }
  void CheckBox(int x, int y, const char* caption, bool checked) {
    Box(Bounds(x, y + 2, 13, 13), clWhite, 0x00B5AA90);
    if (checked) {
      c_.pen.Color = 0x0005B643;
      c_.pen.Width = 2;
      c_.MoveTo(x + 3, y + 8);
      c_.LineTo(x + 5, y + 11);
      c_.LineTo(x + 10, y + 5);
      c_.pen.Width = 1;
    }
    Text(x + 17, y + 3, caption);
  }

  // The frame, one page and the buttons of the bottom bar; each button as (strip, x, frame).
  void Compose(const std::string& page,
               const std::vector<std::tuple<const char*, int, int>>& buttons) {
    Tile("skin/title.bmp", Bounds(0, 0, 558, 29));
    Tile("skin/title_left.bmp", Bounds(0, 0, 4, 29));
    Tile("skin/title_right.bmp", Bounds(553, 0, 5, 29));
    Button("skin/logo.png", 6, 7, 0);
    Text(27, 9, "塔恩播放器 安装向导", true, 0x00FFFEFF);
    Button("skin/btn_min.png", 485, 1, 0);
    Button("skin/btn_close.png", 515, 1, 0);
    Tile("skin/border.bmp", Bounds(0, 29, 1, 330));
    Tile("skin/border.bmp", Bounds(557, 29, 1, 330));
    Tile(page, Bounds(1, 29, 556, 330));
    Tile("skin/bottom.bmp", Bounds(0, 359, 558, 31));
    Tile("skin/bottom_left.bmp", Bounds(0, 359, 5, 31));
    Tile("skin/bottom_right.bmp", Bounds(553, 359, 5, 31));
    for (const auto& [strip, x, frame] : buttons)
      Button(strip, x, 364, frame);
    c_.SetOrigin({1, 29});
  }

  Canvas& C() { return c_; }
  // The window cut to its rounded shape on a desktop-coloured ground.
  Bitmap32 Shaped() const {
    Bitmap32 out(578, 410);
    out.Fill(0xFF3A6EA5);
    Bitmap32 shaped(558, 390);
    shaped.Fill(0xFF3A6EA5);
    shaped.SelectClip(Region::RoundRect(0, 0, 558, 390, 4, 4));
    shaped.CopyBlock(0, 0, 558, 390, bitmap_, 0, 0);
    shaped.RemoveClip();
    out.CopyBlock(10, 10, 558, 390, shaped, 0, 0);
    return out;
  }

 private:
  fs::path resources_;
  Bitmap32 bitmap_;
  Canvas c_;
};

std::vector<std::string> LicenceLines(const fs::path& resources) {
  std::ifstream in(resources / "licence.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line) && lines.size() < 12;)
    lines.push_back(line);
  return lines;
}

Bitmap32 Page(const fs::path& resources, int index) {
  Window w(resources);
  constexpr int kDisabled = 3;
  switch (index) {
    case 0: {
      w.Compose("skin/page_side.bmp",
                {{"skin/btn_next.png", 421, kDisabled}, {"skin/btn_cancel.png", 486, 0}});
      w.Text(199, 28, "欢迎使用塔恩播放器2010", true);
      w.Text(197, 55, "在安装播放器前，请仔细阅读以下软件使用许可协议：");
      w.Box(Bounds(195, 86, 351, 163), 0x00FDF4EE, 0x00B5AA90);
      w.Box(Bounds(529, 87, 16, 161), 0x00FDF4EE, 0x00B5AA90);
      w.C().FillRect(Bounds(532, 104, 10, 40), 0x005F5519);
      TRect text = Bounds(199, 89, 328, 158);
      w.C().font.Height = 12;
      std::string joined;
      for (const std::string& line : LicenceLines(resources))
        joined += line + "\n";
      w.C().font.Style = 0;
      w.C().DrawText(Utf8ToCp936(joined, Conversion::Replace), text, dtWordBreak);
      w.CheckBox(195, 260, "我已阅读并同意软件使用许可协议", false);
      break;
    }
    case 1:
      w.Compose("skin/page.bmp", {{"skin/btn_prev.png", 357, 0},
                                  {"skin/btn_install.png", 421, 1},
                                  {"skin/btn_cancel.png", 486, 0}});
      w.Text(13, 10, "选择安装路径", true);
      w.Text(23, 30, "请选择 “塔恩播放器” 的安装文件夹");
      w.Text(
          22, 75,
          "安装程序将安装 “塔恩播放器”  到以下文件夹，要安装到不同的文件夹，请点击 [浏览] 按钮并");
      w.Text(22, 94, "选择其他文件夹，点击 [安装] 按钮开始安装");
      w.Text(36, 133, "目标文件夹：", true);
      w.Box(Bounds(51, 155, 385, 19), 0x00FFFCE7, 0x00B5AA90);
      w.Text(55, 159, "C:\\Program Files\\TarnPlayer\\");
      w.Button("skin/btn_browse.png", 446, 153, 0);
      w.Text(50, 188, "所需空间：26 MB");
      w.Text(50, 209, "可用空间：23 GB");
      break;
    case 2: {
      w.Compose("skin/page.bmp", {{"skin/btn_prev.png", 357, kDisabled},
                                  {"skin/btn_install.png", 421, kDisabled},
                                  {"skin/btn_cancel.png", 486, 0}});
      w.Text(20, 20, "正在安装，请稍候 …", true);
      w.Text(31, 69, "正在复制新文件 …");
      w.Box(Bounds(57, 93, 441, 16), clWhite, 0x00B5AA90);
      w.C().FillRect(Bounds(58, 94, 224, 14), 0x00D9951A);
      const Bitmap32 picture = w.Load("pictures/pic1.jpg");
      w.C().FillRect(Bounds(27, 123, 503, 186), 0x00FFFCE7);
      w.C().Draw(27, 123, picture);
      break;
    }
    case 3:
      w.Compose("skin/page.bmp", {{"skin/btn_prev.png", 357, kDisabled},
                                  {"skin/btn_next.png", 421, 0},
                                  {"skin/btn_cancel.png", 486, 0}});
      w.Text(13, 10, "设置文件关联", true);
      w.Text(23, 30, "请选择需要用 “塔恩播放器”关联的媒体格式 ");
      w.Box(Bounds(46, 69, 226, 21), clWhite, 0x00B5AA90);
      w.Text(50, 74, "推荐关联");
      w.Box(Bounds(46, 99, 466, 198), 0x00FFFCE7, 0x00B5AA90);
      w.C().FillRect(Bounds(49, 101, 461, 194), 0x00FDF4E9);
      for (int i = 0; i < 9; ++i) {
        const char* kTypes[] = {"视频文件",         "AVI 视频 (*.avi)",   "MPEG 视频 (*.mpg)",
                                "Real 媒体 (*.rm)", "Real 媒体 (*.rmvb)", "Matroska (*.mkv)",
                                "音频文件",         "MP3 音频 (*.mp3)",   "WMA 音频 (*.wma)"};
        const int indent = (i == 0 || i == 6) ? 0 : 20;
        w.CheckBox(55 + indent, 104 + 20 * i, kTypes[i], true);
      }
      break;
    default:
      w.Compose("skin/page_side.bmp", {{"skin/btn_finish.png", 486, 1}});
      w.Text(195, 39, "安装完成", true);
      w.CheckBox(209, 80, "在桌面建立快捷方式", true);
      w.CheckBox(209, 111, "在快速启动栏建立快捷方式", false);
      w.CheckBox(209, 143, "立即运行 塔恩播放器2010", true);
      break;
  }
  return w.Shaped();
}

// Every strip's four frames, magnified 3x without smoothing, on the ground each sits on.
Bitmap32 ButtonSheet(const fs::path& resources) {
  Window w(resources);
  const char* kStrips[] = {"skin/btn_min.png",    "skin/btn_close.png",  "skin/btn_browse.png",
                           "skin/btn_next.png",   "skin/btn_prev.png",   "skin/btn_install.png",
                           "skin/btn_cancel.png", "skin/btn_finish.png", "skin/logo.png"};
  const int scale = 3;
  Bitmap32 sheet(4 * 76 * scale + 20, 9 * 34 * scale + 20);
  sheet.Fill(0xFFFFFFFF);
  Canvas c(sheet);
  const Bitmap32 title = w.Load("skin/title.bmp"), bar = w.Load("skin/bottom.bmp");
  int y = 10;
  for (const char* name : kStrips) {
    const Bitmap32 strip = w.Load(name);
    const int fw = strip.Width() / 4, h = strip.Height();
    const bool onTitle = std::string(name).find("min") != std::string::npos ||
                         std::string(name).find("close") != std::string::npos ||
                         std::string(name).find("logo") != std::string::npos;
    for (int f = 0; f < 4; ++f) {
      Bitmap32 cell(fw + 8, h + 8);
      Canvas cc(cell);
      const Bitmap32& ground = onTitle ? title : bar;
      cc.StretchDraw(cell.BoundsRect(), ground,
                     Bounds(0, onTitle ? 0 : 1, 1, ground.Height() - (onTitle ? 0 : 2)));
      cc.DrawAlpha(Bounds(4, 4, fw, h), strip, Bounds(f * fw, 0, fw, h));
      c.StretchDraw(Bounds(10 + f * 76 * scale, y, cell.Width() * scale, cell.Height() * scale),
                    cell);
    }
    y += (h + 12) * scale;
  }
  return sheet;
}

Bitmap32 BannerSheet(const fs::path& resources) {
  Window w(resources);
  Bitmap32 sheet(2 * 503 + 30, 2 * 186 + 30);
  sheet.Fill(0xFFFFFFFF);
  for (int i = 0; i < 4; ++i) {
    const Bitmap32 picture = w.Load("pictures/pic" + std::to_string(i + 1) + ".jpg");
    sheet.CopyBlock(10 + (i % 2) * 513, 10 + (i / 2) * 196, 503, 186, picture, 0, 0);
  }
  return sheet;
}

// The window's corners and its title-bar buttons, magnified 6x, to judge single pixels.
Bitmap32 Details(const Bitmap32& window) {
  const int scale = 6;
  const TRect kCrops[] = {Bounds(8, 8, 26, 26),   Bounds(552, 8, 26, 26),
                          Bounds(8, 382, 26, 26), Bounds(552, 382, 26, 26),
                          Bounds(485, 8, 93, 26), Bounds(360, 370, 210, 35)};
  Bitmap32 sheet(2 * 215 * scale + 30, 3 * 40 * scale + 40);
  sheet.Fill(0xFFFFFFFF);
  Canvas c(sheet);
  int x = 10, y = 10, row = 0;
  for (const TRect& crop : kCrops) {
    c.StretchDraw(Bounds(x, y, crop.Width() * scale, crop.Height() * scale), window, crop);
    x += crop.Width() * scale + 10;
    if (++row % 2 == 0) x = 10, y += 37 * scale;
  }
  return sheet;
}

void WritePng(const fs::path& path, const Bitmap32& bitmap) {
  const std::vector<uint8_t> png = EncodePng(bitmap, PngAlpha::Opaque);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

void WritePreviews(const fs::path& resources, const fs::path& out) {
  fs::create_directories(out);
  Bitmap32 all(2 * 578, 3 * 410);
  all.Fill(0xFF3A6EA5);
  for (int i = 0; i < 5; ++i) {
    const Bitmap32 page = Page(resources, i);
    WritePng(out / ("page" + std::to_string(i) + ".png"), page);
    all.CopyBlock((i % 2) * 578, (i / 2) * 410, 578, 410, page, 0, 0);
  }
  WritePng(out / "pages.png", all);
  WritePng(out / "details.png", Details(Page(resources, 1)));
  WritePng(out / "buttons.png", ButtonSheet(resources));
  WritePng(out / "banners.png", BannerSheet(resources));
  const Window loader(resources);
  for (int i = 1; i <= 4; ++i) {
    const std::string name = "pic" + std::to_string(i);
    WritePng(out / (name + ".png"), loader.Load("pictures/" + name + ".jpg"));
  }
}

}  // namespace tarn::artwork

// The four slideshow pictures: promotional banners for the player, shown while the files are
// copied. Each has the brand line, a heading, a line of copy and feature chips on the left and an
// illustration on the right, on a ground in one of the skin's blues.
#include "tools/artwork/Banners.h"

#include <cmath>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Emblem.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Text.h"

namespace tarn::artwork {
namespace {

using namespace palette;

struct BannerText {
  const char* heading;
  const char* copy;
  std::vector<const char*> chips;
  Rgba deep, mid, glow;
  void (*illustration)(Image&);
};

const BannerText& TextFor(int number) {
  static const BannerText kBanners[] = {
      {"高清播放 视界非凡",
       "支持 1080P 高清视频，画面清晰细腻",
       {"硬件加速", "画质增强", "智能字幕"},
       Hex(0x0B2E57),
       Hex(0x1865AE),
       Hex(0x4FB2F5),
       DrawHdScreen},
      {"全格式支持 一个就够",
       "内置多种解码器，主流影音格式轻松播放",
       {"RMVB", "MKV", "FLV", "更多"},
       Hex(0x083446),
       Hex(0x12708F),
       Hex(0x3FC7DF),
       DrawFormatTiles},
      {"精美皮肤 随心换装",
       "多款精美皮肤一键切换，打造专属播放器",
       {"经典蓝", "炫酷黑", "浪漫紫"},
       Hex(0x1A1F5C),
       Hex(0x3D4BAE),
       Hex(0x8C9BFF),
       DrawSkinWindows},
      {"小巧轻快 启动如飞",
       "安装包小巧，启动迅速，占用资源更少",
       {"秒速启动", "低占用", "绿色无插件"},
       Hex(0x082640),
       Hex(0x145C8F),
       Hex(0x4CD3C2),
       DrawSpeedGauge},
  };
  return kBanners[number - 1];
}

void DrawGround(Image& image, const BannerText& b, unsigned seed) {
  const float w = kBannerWidth, h = kBannerHeight;
  image.Fill(Linear(0, 0, w, h, {{0.f, b.deep}, {0.55f, b.mid}, {1.f, Mix(b.mid, b.deep, 0.35f)}}));
  image.Fill(Circle(390, 80, 200),
             Radial(390, 80, 200, {{0.f, Alpha(b.glow, 0.45f)}, {1.f, Alpha(b.glow, 0.f)}}));
  // Sweeping light bands.
  image.Fill(Wave(0, w, 150, 16, 620, 0.4f, 26), Linear(0, 0, w, 0,
                                                        {{0.f, Alpha(kWhite, 0.f)},
                                                         {0.5f, Alpha(kWhite, 0.07f)},
                                                         {1.f, Alpha(kWhite, 0.02f)}}));
  image.Fill(Wave(0, w, 160, 14, 540, 1.3f, 1.2f), Solid(Alpha(kWhite, 0.22f)));
  image.Fill(Wave(0, w, 168, 11, 700, 2.4f, 0.9f), Solid(Alpha(b.glow, 0.35f)));
  // Soft out-of-focus lights.
  for (int i = 0; i < 14; ++i) {
    const float x = 10.f + static_cast<float>((i * 131 + seed * 71) % 490);
    const float y = 8.f + static_cast<float>((i * 67 + seed * 29) % 170);
    const float r = 3.f + static_cast<float>((i * 37 + seed * 13) % 14);
    image.Fill(Circle(x, y, r), Solid(Alpha(kWhite, 0.04f + 0.01f * static_cast<float>(i % 4))));
  }
}

void DrawHeading(Image& image, const BannerText& b) {
  DrawEmblem(image, 26, 18, 18);
  DrawText(image, "塔恩播放器", {"黑体", 13, false}, 50, 20, Solid(Alpha(kWhite, 0.9f)));
  DrawShadowedText(image, b.heading, {"黑体", 28, true}, 25, 50,
                   Linear(0, 50, 0, 80, {{0.f, kWhite}, {1.f, Hex(0xDDF1FF)}}),
                   Alpha(kBrandDeep, 0.75f), 3, 2);
  DrawText(image, b.copy, {"黑体", 13, false}, 27, 94, Solid(Alpha(Hex(0xDFF1FF), 0.95f)));
  int x = 27;
  for (const char* chip : b.chips) {
    const Mask text = TextMask(chip, {"黑体", 12, false});
    const float w = static_cast<float>(text.Width() + 20);
    const Shape pill = RoundBox(static_cast<float>(x), 126, static_cast<float>(x) + w, 148, 11);
    image.Fill(pill, Solid(Alpha(kWhite, 0.14f)));
    image.Fill(Subtract(pill, RoundBox(static_cast<float>(x) + 1, 127,
                                       static_cast<float>(x) + w - 1, 147, 10)),
               Solid(Alpha(kWhite, 0.38f)));
    image.Fill(Circle(static_cast<float>(x) + 10, 137, 2.5f), Solid(kAccentLight));
    image.Fill(text, x + 15, 137 - text.Height() / 2, Solid(kWhite));
    x += static_cast<int>(w) + 8;
  }
}

// A trace of film grain keeps the gradients from banding once compressed.
void Grain(Image& image, unsigned seed) {
  image.Recolor({0, 0, image.Width(), image.Height()}, [seed](int x, int y, Rgba c) {
    const float n = 3.f * Noise(x, y, seed);
    return Rgba{c.r + n, c.g + n, c.b + n, c.a};
  });
}

}  // namespace

Bitmap32 Banner(int number) {
  const BannerText& b = TextFor(number);
  Image image(kBannerWidth, kBannerHeight);
  DrawGround(image, b, static_cast<unsigned>(number));
  b.illustration(image);
  DrawHeading(image, b);
  Grain(image, static_cast<unsigned>(number));
  return image.ToBitmap();
}

}  // namespace tarn::artwork

#include "tools/artwork/Artwork.h"

namespace tarn::artwork {

const std::vector<Output>& Outputs() {
  using F = FileFormat;
  static const std::vector<Output> kOutputs = {
      {"skin/title.bmp", F::Bmp, false, TitleBar},
      {"skin/title_left.bmp", F::Bmp, false, TitleLeft},
      {"skin/title_right.bmp", F::Bmp, false, TitleRight},
      {"skin/border.bmp", F::Bmp, false, WindowBorder},
      {"skin/page_side.bmp", F::Bmp, true, SidePage},
      {"skin/page.bmp", F::Bmp, false, PlainPage},
      {"skin/bottom.bmp", F::Bmp, false, BottomBar},
      {"skin/bottom_left.bmp", F::Bmp, false, BottomLeft},
      {"skin/bottom_right.bmp", F::Bmp, false, BottomRight},
      {"skin/btn_min.png", F::Png, false, MinimiseStrip},
      {"skin/btn_close.png", F::Png, false, CloseStrip},
      {"skin/btn_browse.png", F::Png, true,
       [] { return CaptionButtonStrip("浏览", ButtonStyle::Secondary, 69, 22); }},
      {"skin/btn_next.png", F::Png, true,
       [] { return CaptionButtonStrip("下一步", ButtonStyle::Primary, 60, 21); }},
      {"skin/btn_prev.png", F::Png, true,
       [] { return CaptionButtonStrip("上一步", ButtonStyle::Secondary, 60, 21); }},
      {"skin/btn_install.png", F::Png, true,
       [] { return CaptionButtonStrip("安装", ButtonStyle::Primary, 60, 21); }},
      {"skin/btn_cancel.png", F::Png, true,
       [] { return CaptionButtonStrip("取消", ButtonStyle::Secondary, 60, 21); }},
      {"skin/btn_finish.png", F::Png, true,
       [] { return CaptionButtonStrip("完成", ButtonStyle::Primary, 60, 21); }},
      {"skin/logo.png", F::Png, false, LogoStrip},
      {"pictures/pic1.jpg", F::Jpeg, true, [] { return Banner(1); }},
      {"pictures/pic2.jpg", F::Jpeg, true, [] { return Banner(2); }},
      {"pictures/pic3.jpg", F::Jpeg, true, [] { return Banner(3); }},
      {"pictures/pic4.jpg", F::ProgressiveJpeg, true, [] { return Banner(4); }},
  };
  return kOutputs;
}

}  // namespace tarn::artwork

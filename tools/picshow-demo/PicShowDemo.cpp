// picshow-demo: the picture show in a window, as the copy page shows it: 503 x 186, a random
// transition style from 1 to 170 for each new picture, a threaded animation at the default
// pace. It plays the pictures it is given (or four of its own) and prints how evenly the frames
// came: the intervals between frames, median and worst, against the delay.
//   picshow-demo [--transitions N] [--delay MS] [--step N] [--seed N] [--shots DIR] [PICTURE...]
// With --shots it writes what the window shows halfway through each transition and at the end
// (DIR/shot-N.png, DIR/final.png).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "graphics/Canvas.h"
#include "platform/host/PngWriter.h"
#include "platform/host/SdlHost.h"
#include "slideshow/XPPicShow.h"
#include "slideshow/effects/EffectTable.h"

namespace tarn {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPictureWidth = 503;
constexpr int kPictureHeight = 186;
constexpr TColor kPageColor = 0x00FFFCE7;

struct Options {
  int transitions = 8;
  int delay = 40;
  int step = 4;
  unsigned seed = 0;
  bool seeded = false;
  std::string shots;
  std::vector<std::string> pictures;
};

void Usage() {
  std::fprintf(stderr,
               "usage: picshow-demo [--transitions N] [--delay MS] [--step N] [--seed N] "
               "[--shots DIR] [PICTURE...]\n");
}

bool ParseInt(const char* text, int min, int max, int& out) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < min || value > max) return false;
  out = static_cast<int>(value);
  return true;
}

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    int value = 0;
    if (arg == "--transitions" && has_value && ParseInt(argv[i + 1], 1, 10000, value)) {
      o.transitions = value;
      ++i;
    } else if (arg == "--delay" && has_value && ParseInt(argv[i + 1], 0, 65535, value)) {
      o.delay = value;
      ++i;
    } else if (arg == "--step" && has_value && ParseInt(argv[i + 1], 1, 100, value)) {
      o.step = value;
      ++i;
    } else if (arg == "--seed" && has_value && ParseInt(argv[i + 1], 0, INT32_MAX, value)) {
      o.seed = static_cast<unsigned>(value);
      o.seeded = true;
      ++i;
    } else if (arg == "--shots" && has_value) {
      o.shots = argv[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      return false;
    } else {
      o.pictures.push_back(arg);
    }
  }
  return true;
}

// One of four pictures of its own: a sky of its own colours over hills, a sun or moon, and the
// picture's number, so that each transition's two pictures are easy to tell apart.
Bitmap32 DemoPicture(int index) {
  static const TColor kSky[4][2] = {{RGBColor(0x2B, 0x5C, 0xA8), RGBColor(0xF6, 0xC4, 0x7A)},
                                    {RGBColor(0x0E, 0x1A, 0x3C), RGBColor(0x4A, 0x3B, 0x7A)},
                                    {RGBColor(0x79, 0xC2, 0xF0), RGBColor(0xE8, 0xF6, 0xFF)},
                                    {RGBColor(0x8E, 0x2C, 0x2C), RGBColor(0xF9, 0x8E, 0x3E)}};
  static const TColor kHills[4] = {RGBColor(0x2E, 0x6B, 0x3A), RGBColor(0x1C, 0x2A, 0x44),
                                   RGBColor(0x3F, 0x8F, 0x4E), RGBColor(0x5A, 0x23, 0x1A)};
  const int W = kPictureWidth, H = kPictureHeight;
  Bitmap32 b(W, H);
  const TColor top = kSky[index][0], bottom = kSky[index][1];
  for (int y = 0; y < H; ++y) {
    auto mix = [&](uint8_t a, uint8_t c) {
      return static_cast<uint8_t>(a + (c - a) * y / (H - 1));
    };
    const TColor c = RGBColor(mix(RedOf(top), RedOf(bottom)), mix(GreenOf(top), GreenOf(bottom)),
                              mix(BlueOf(top), BlueOf(bottom)));
    b.FillRect(Rect(0, y, W, y + 1), ColorToPixel(c));
  }
  Canvas c(b);
  c.pen.Style = PenStyle::Clear;
  c.brush.Color = index == 1 ? RGBColor(0xF0, 0xF0, 0xD8) : RGBColor(0xFF, 0xE2, 0x6A);
  const int sx = 90 + index * 100;
  c.Ellipse(sx - 28, 26, sx + 28, 82);
  std::vector<TPoint> hills;
  hills.push_back({0, H});
  for (int x = 0; x <= W; x += 8) {
    const double t = x / static_cast<double>(W);
    hills.push_back({x, static_cast<int>(H * 0.66 + 18 * std::sin(t * 6.3 + index) +
                                         9 * std::sin(t * 17.0 + 2 * index))});
  }
  hills.push_back({W, H});
  c.brush.Color = kHills[index];
  c.Polygon(hills);
  c.brush.Style = BrushStyle::Clear;
  c.font.Name = "Tahoma";
  c.font.Height = 64;
  c.font.Style = fsBold;
  c.font.Color = clWhite;
  TRect r = Rect(W - 110, 10, W - 10, 90);
  c.DrawText(std::to_string(index + 1), r, dtCenter | dtVCenter | dtSingleLine);
  c.font.Height = 16;
  r = Rect(12, H - 30, W - 12, H - 8);
  // "塔恩播放器 幻灯片" in code page 936.
  c.font.Name = "\xCB\xCE\xCC\xE5";
  c.DrawText("\xCB\xFE\xB6\xF7\xB2\xA5\xB7\xC5\xC6\xF7  \xBB\xC3\xB5\xC6\xC6\xAC", r, dtLeft);
  return b;
}

// A line of text under the show: the style running and what the frames measured so far.
class TStatusLine : public TCustomControl {
 public:
  explicit TStatusLine(TComponent* owner) : TCustomControl(owner) {}
  void SetLine(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    Invalidate();
  }

 protected:
  void Paint() override {
    Canvas& c = GetCanvas();
    c.FillRect(ClientRect(), Color());
    c.brush.Style = BrushStyle::Clear;
    TRect r = ClientRect().Inflate(-6, 0);
    c.DrawText(text_, r, dtLeft | dtVCenter | dtSingleLine | dtEndEllipsis);
  }

 private:
  std::string text_;
};

struct Transition {
  int style = 0;
  std::vector<Clock::time_point> frames;  // when each frame had been shown
  std::vector<double> costs;              // ms from the start of drawing a frame until it was shown
  bool completed = false;
};

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

class TDemoForm : public TForm {
 public:
  TDemoForm(TComponent* owner, const Options& options) : TForm(owner), options_(options) {
    SetBorderStyle(TBorderStyle::bsSingle);
    SetPosition(TPosition::poScreenCenter);
    SetCaption("picshow-demo");
    SetColor(kPageColor);
    SetClientWidth(kPictureWidth + 2 * 12);
    SetClientHeight(kPictureHeight + 12 + 30);
    Font f = GetFont();
    f.Name = "Tahoma";
    f.Height = 12;
    f.Color = RGBColor(0x33, 0x33, 0x33);
    SetFont(f);

    show_ = new TXPPicShow(this);
    show_->SetParent(this);
    show_->SetBounds(12, 12, kPictureWidth, kPictureHeight);
    show_->SetParentColor(false);
    show_->SetColor(kPageColor);
    show_->SetFrameColor(kPageColor);
    show_->SetDelay(static_cast<uint16_t>(options.delay));
    show_->SetStep(options.step);
    show_->OnBeforeNewFrame = [this](TObject*, TBitmap*, TBitmap*) { drawing_ = Clock::now(); };
    show_->OnProgress = [this](TObject*) { FrameShown(); };
    show_->OnComplete = [this](TObject*) {
      std::lock_guard<std::mutex> lock(frames_mutex_);
      running_.completed = true;
    };
    show_->OnStop = [this](TObject*) { TransitionEnded(); };

    status_ = new TStatusLine(this);
    status_->SetParent(this);
    status_->SetBounds(0, kPictureHeight + 12, ClientWidth(), 30);
    status_->SetParentColor(false);
    status_->SetColor(kPageColor);

    LoadPictures();
    random_.seed(options.seeded ? options.seed : std::random_device{}());
    OnShow = [this](TObject*) { After(300, [this] { Next(); }); };
  }

  const std::vector<Transition>& Transitions() const { return done_; }
  bool Finished() const { return finished_; }

 private:
  // Runs fn once, ms milliseconds from now, on the loop.
  static void After(uint32_t ms, std::function<void()> fn) {
    auto id = std::make_shared<uint32_t>(0);
    *id = Application->SetTimer(ms, [id, fn] {
      Application->KillTimer(*id);
      fn();
    });
  }

  void LoadPictures() {
    for (const std::string& file : options_.pictures) {
      auto picture = std::make_unique<TPicture>();
      picture->LoadFromFile(file);
      if (picture->Empty()) throw Exception(file + ": the picture has no pixels");
      pictures_.push_back(std::move(picture));
    }
    if (!pictures_.empty()) return;
    for (int k = 0; k < 4; ++k) {  // four of its own
      TBitmap bitmap;
      bitmap.Image() = DemoPicture(k);
      auto picture = std::make_unique<TPicture>();
      picture->SetGraphic(&bitmap);
      pictures_.push_back(std::move(picture));
    }
  }

  // Starts the next transition (from the loop, between transitions).
  void Next() {
    if (show_->Busy()) return;
    if (static_cast<int>(done_.size()) >= options_.transitions) {
      Finish();
      return;
    }
    // As the installer picks them: 1 to 170.
    const int style = std::uniform_int_distribution<int>(1, 170)(random_);
    {
      std::lock_guard<std::mutex> lock(frames_mutex_);
      running_ = Transition{};
      running_.style = style;
      shot_taken_ = false;
    }
    show_->SetStyle(style);
    show_->SetPicture(*pictures_[next_picture_]);
    next_picture_ = (next_picture_ + 1) % pictures_.size();
    status_->SetLine(std::to_string(done_.size() + 1) + "/" + std::to_string(options_.transitions) +
                     "  style " + std::to_string(style) + ": " + show_->StyleName());
    show_->Execute();
  }

  // On the animation thread, after each frame has reached the window.
  void FrameShown() {
    const Clock::time_point now = Clock::now();
    std::lock_guard<std::mutex> lock(frames_mutex_);
    running_.frames.push_back(now);
    running_.costs.push_back(Ms(now - drawing_));
    if (!options_.shots.empty() && !shot_taken_ && show_->Progress() >= 50) {
      shot_taken_ = true;
      // The window's pixels belong to the user-interface thread.
      pending_shot_ = options_.shots + "/shot-" + std::to_string(done_.size() + 1) + ".png";
      Application->PostMessage(this, kShotMessage);
    }
  }

  void TransitionEnded() {
    {
      std::lock_guard<std::mutex> lock(frames_mutex_);
      done_.push_back(running_);
    }
    After(400, [this] { Next(); });
  }

  void Finish() {
    finished_ = true;
    if (!options_.shots.empty()) {
      PaintPending();
      WritePng(BackBuffer(), options_.shots + "/final.png");
    }
    Application->Terminate();
  }

  void WndProc(TMessage& m) override {
    if (m.Msg == kShotMessage) {
      std::string file;
      {
        std::lock_guard<std::mutex> lock(frames_mutex_);
        file = pending_shot_;
      }
      PaintPending();
      WritePng(BackBuffer(), file);
      return;
    }
    TForm::WndProc(m);
  }

  static constexpr uint32_t kShotMessage = WM_USER + 100;

  const Options& options_;
  TXPPicShow* show_ = nullptr;
  TStatusLine* status_ = nullptr;
  std::vector<std::unique_ptr<TPicture>> pictures_;
  std::size_t next_picture_ = 0;
  std::mt19937 random_;
  std::mutex frames_mutex_;    // the animation thread adds frames; the loop reads them
  Clock::time_point drawing_;  // the animation thread's own
  Transition running_;
  bool shot_taken_ = false;
  std::string pending_shot_;
  std::vector<Transition> done_;
  bool finished_ = false;
};

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  const std::size_t i =
      static_cast<std::size_t>(std::lround(p * static_cast<double>(v.size() - 1)));
  return v[i];
}

int Report(const std::vector<Transition>& transitions, const Options& o) {
  std::vector<double> intervals, costs;
  std::printf("%-4s %-5s %-52s %6s %9s\n", "#", "style", "name", "frames", "duration");
  int n = 0;
  for (const Transition& t : transitions) {
    const TEffect* effect = FindEffect(t.style);
    const double duration = t.frames.size() > 1 ? Ms(t.frames.back() - t.frames.front()) : 0.0;
    std::printf("%-4d %-5d %-52s %6zu %7.0f ms%s\n", ++n, t.style,
                effect != nullptr ? effect->Name : "?", t.frames.size(), duration,
                t.completed ? "" : "  (stopped)");
    for (std::size_t i = 1; i < t.frames.size(); ++i)
      intervals.push_back(Ms(t.frames[i] - t.frames[i - 1]));
    costs.insert(costs.end(), t.costs.begin(), t.costs.end());
  }
  if (intervals.empty()) {
    std::printf("no frame intervals measured\n");
    return 1;
  }
  const double median = Percentile(intervals, 0.5);
  const double p95 = Percentile(intervals, 0.95);
  const double worst = *std::max_element(intervals.begin(), intervals.end());
  std::printf(
      "frame intervals: %zu, median %.1f ms, 95th percentile %.1f ms, worst %.1f ms "
      "(delay %d ms: median %.2fx, worst %.2fx)\n",
      intervals.size(), median, p95, worst, o.delay, o.delay > 0 ? median / o.delay : 0.0,
      o.delay > 0 ? worst / o.delay : 0.0);
  std::printf("frame cost (drawing and showing one frame): median %.1f ms, worst %.1f ms\n",
              Percentile(costs, 0.5), *std::max_element(costs.begin(), costs.end()));
  return 0;
}

int Main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    Usage();
    return 2;
  }
  TSdlHost host;
  TApplication app(host);
  app.SetTitle("picshow-demo");
  auto* form = app.CreateForm<TDemoForm>(options);
  app.Run();
  if (!form->Finished()) {
    std::printf("closed before the end\n");
  }
  return Report(form->Transitions(), options);
}

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) {
  try {
    return tarn::Main(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "picshow-demo: %s\n", e.what());
    return 1;
  }
}

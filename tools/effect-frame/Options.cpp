#include "tools/effect-frame/Options.h"

#include <charconv>

#include "slideshow/effects/EffectTable.h"

namespace tarn::effectframe {

const char* const kUsage =
    "usage:\n"
    "  effect-frame OLD NEW STYLE PROGRESS OUT.png [--size WxH]\n"
    "  effect-frame --sheet OUT.png [--old OLD] [--new NEW] [--size WxH] [--styles LIST]\n"
    "               [--progress LIST] [--scale N] [--columns N]\n"
    "  effect-frame --list\n"
    "OLD and NEW are PNG, JPEG or BMP files, or the built-in pictures pattern:old and\n"
    "pattern:new (503 x 186 unless --size says otherwise); NEW is stretched to OLD's size.\n"
    "STYLE is 1..171 or an effect's name; PROGRESS is 0..100. LIST is numbers and ranges such\n"
    "as 1-57,128-135. The sheet shrinks each frame by --scale (3) into --columns (3) panels.\n";

namespace {

int ParseInt(std::string_view text, int lo, int hi, const char* what) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
    throw EUsage(std::string(what) + " is not a number: \"" + std::string(text) + "\"");
  }
  if (value < lo || value > hi) {
    throw EUsage(std::string(what) + " must be " + std::to_string(lo) + ".." + std::to_string(hi) +
                 ", not " + std::to_string(value));
  }
  return value;
}

void ParseSize(std::string_view text, Options& o) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) throw EUsage("--size takes WIDTHxHEIGHT, such as 503x186");
  o.Width = ParseInt(text.substr(0, x), 1, 8192, "width");
  o.Height = ParseInt(text.substr(x + 1), 1, 8192, "height");
}

}  // namespace

std::vector<int> ParseNumberList(std::string_view text, int lo, int hi) {
  std::vector<int> out;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    const std::size_t dash = item.find('-', 1);
    if (dash == std::string_view::npos) {
      out.push_back(ParseInt(item, lo, hi, "number"));
    } else {
      const int from = ParseInt(item.substr(0, dash), lo, hi, "range start");
      const int to = ParseInt(item.substr(dash + 1), lo, hi, "range end");
      if (to < from) throw EUsage("range runs backwards: \"" + std::string(item) + "\"");
      for (int n = from; n <= to; ++n)
        out.push_back(n);
    }
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  if (out.empty()) throw EUsage("empty list");
  return out;
}

int ParseStyle(std::string_view text) {
  if (!text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos) {
    return ParseInt(text, 1, EffectCount, "style");
  }
  const int style = FindEffectByName(text);
  if (style == 0) throw EUsage("no effect is named \"" + std::string(text) + "\" (see --list)");
  return style;
}

Options ParseOptions(const std::vector<std::string>& args) {
  Options o;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw EUsage(a + " needs a value");
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      o.Mode = Command::Help;
      return o;
    } else if (a == "--list") {
      o.Mode = Command::List;
    } else if (a == "--sheet") {
      o.Mode = Command::Sheet;
      o.Output = value();
    } else if (a == "--old") {
      o.Old = value();
    } else if (a == "--new") {
      o.New = value();
    } else if (a == "--size") {
      ParseSize(value(), o);
    } else if (a == "--styles") {
      o.Styles = ParseNumberList(value(), 1, EffectCount);
    } else if (a == "--progress") {
      o.ProgressList = ParseNumberList(value(), 0, 100);
    } else if (a == "--scale") {
      o.Scale = ParseInt(value(), 1, 64, "--scale");
    } else if (a == "--columns") {
      o.Columns = ParseInt(value(), 1, 171, "--columns");
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      throw EUsage("unknown option " + a);
    } else {
      positional.push_back(a);
    }
  }
  if (o.Mode == Command::List || o.Mode == Command::Sheet) {
    if (!positional.empty()) throw EUsage("unexpected argument \"" + positional[0] + "\"");
    return o;
  }
  if (positional.empty()) return o;  // help
  if (positional.size() != 5) throw EUsage("a frame takes OLD NEW STYLE PROGRESS OUT.png");
  o.Mode = Command::Frame;
  o.Old = positional[0];
  o.New = positional[1];
  o.Style = ParseStyle(positional[2]);
  o.Progress = ParseInt(positional[3], 0, 100, "progress");
  o.Output = positional[4];
  return o;
}

}  // namespace tarn::effectframe

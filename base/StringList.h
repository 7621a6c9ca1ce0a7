// A list of strings, each with an optional object that the list owns and frees with the line.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Object.h"

namespace tarn {

class TStringList {
 public:
  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& Strings(int index) const { return At(index).text; }
  void SetStrings(int index, std::string text) { At(index).text = std::move(text); }
  TObject* Objects(int index) const { return At(index).object.get(); }

  int Add(std::string text) { return AddObject(std::move(text), nullptr); }
  int AddObject(std::string text, std::unique_ptr<TObject> object);
  void Insert(int index, std::string text);
  void Delete(int index);
  void Clear() { lines_.clear(); }
  // Index of the first line equal to text (letter case ignored, as the framework's lists do), or
  // -1.
  int IndexOf(std::string_view text) const;

  // Lines joined with CR LF, each line ended by it.
  std::string Text() const;
  // Splits at CR LF, LF or CR; a final line ending adds no empty line.
  void SetText(std::string_view text);

 private:
  struct Line {
    std::string text;
    std::unique_ptr<TObject> object;
  };
  Line& At(int index) { return lines_.at(static_cast<std::size_t>(index)); }
  const Line& At(int index) const { return lines_.at(static_cast<std::size_t>(index)); }

  std::vector<Line> lines_;
};

}  // namespace tarn

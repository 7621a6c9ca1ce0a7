// A listing node: a key, a name and a value text, attached to a string-list line.
#pragma once

#include <string>
#include <utility>

#include "base/Object.h"

namespace tarn {

class TBaseTreemap : public TObject {
 public:
  TBaseTreemap(std::string key, std::string name, std::string value)
      : key_(std::move(key)), name_(std::move(name)), value_(std::move(value)) {}

  const std::string& Key() const { return key_; }
  const std::string& Name() const { return name_; }
  const std::string& Value() const { return value_; }

 private:
  std::string key_;
  std::string name_;
  std::string value_;
};

}  // namespace tarn

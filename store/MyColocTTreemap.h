// The listing node of one container entry: its ID as the key, its name, its tag as the value
// text, where its record lies and a copy of its data info.
#pragma once

#include <cstdint>

#include "base/StringUtils.h"
#include "store/BaseTreemap.h"
#include "store/ContainerFormat.h"

namespace tarn {

class TMyColocTTreemap : public TBaseTreemap {
 public:
  TMyColocTTreemap(int32_t id, int32_t offset, const TDataInfo& info)
      : TBaseTreemap(IntToStr(id), info.Name.Str(), IntToStr(info.Tag)),
        offset_(offset),
        dataInfo_(info) {}

  int32_t Offset() const { return offset_; }
  const TDataInfo& DataInfo() const { return dataInfo_; }

 private:
  int32_t offset_;
  TDataInfo dataInfo_;
};

}  // namespace tarn

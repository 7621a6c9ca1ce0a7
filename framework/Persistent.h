// TPersistent: an object whose content can be copied into another (Assign) and that a layout
// can describe property by property (a control's font, a picture, background options).
#pragma once

#include <string>

#include "base/Object.h"

namespace tarn {

class TPersistent : public TObject {
 public:
  // Copies the source's content. A class that does not know the source asks the source to copy
  // itself (AssignTo); when neither knows the other, EConvertError names both classes.
  virtual void Assign(const TPersistent& source);
  virtual std::string ClassName() const { return "TPersistent"; }

 protected:
  virtual void AssignTo(TPersistent& dest) const;
};

}  // namespace tarn

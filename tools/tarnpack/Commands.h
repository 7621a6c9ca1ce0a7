// The tarnpack commands. Each returns the exit code and raises ToolError or the store's errors,
// which main turns into one line and an exit code.
#pragma once

#include "tools/tarnpack/Options.h"

namespace tarn::tarnpack {

int RunCreate(const Options& o);
int RunAdd(const Options& o);
int RunList(const Options& o);
int RunExtract(const Options& o);
int RunVerify(const Options& o);

}  // namespace tarn::tarnpack

// Registers the picture show with the class registry, so that a form layout can create a
// TXPPicShow and set every published property by name (the legacy "StretchFine" included).
// Call it before loading a layout that holds one; calling it again does nothing.
#pragma once

namespace tarn {

class TClassRegistry;

void RegisterPicShowClasses(TClassRegistry& registry);
void RegisterPicShowClasses();  // with the program's registry

}  // namespace tarn

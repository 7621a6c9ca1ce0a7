// Forms from a layout: reads a layout (LayoutParser.h) and applies it to a root component, in
// practice a form from its constructor. The root's own properties are set, every object inside
// it is created by class name (owned by the root, the child of the windowed control it lies in),
// properties are set by name, handlers are bound by name to methods of the root's class, and
// the root's fields receive the components of the same name. A property left out keeps the
// value of a new instance. Anything the registry does not know (a class, a property, a value, a
// handler) raises ELayoutError naming the line; the components made so far are then freed.
//
// While a layout is applied, controls carry csLoading and aligning waits; afterwards every
// component that is an ILoadable hears Loaded(), in the order they were made.
#pragma once

#include <string>
#include <string_view>

#include "framework/ResourceId.h"

namespace tarn {

class TComponent;

void LoadLayout(TComponent& root, std::string_view text, const std::string& source = "layout");
// The layout held as a raw-data resource of the program (RCDATA) under `name`.
void LoadLayoutResource(TComponent& root, const TResourceId& name);

}  // namespace tarn

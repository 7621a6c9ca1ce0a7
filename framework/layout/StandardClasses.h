// Registers the framework's own classes, enumerations and sets with the class registry: the
// control and form classes with their published properties and events, the label, the panel,
// the timer, and the nested objects a layout describes (fonts, pens, brushes, pictures and
// graphics, size constraints). The registry calls it once when it is first used.
#pragma once

namespace tarn {

class TClassRegistry;

void RegisterStandardClasses(TClassRegistry& registry);

}  // namespace tarn

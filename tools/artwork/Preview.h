// Renders the written pictures the way the wizard's window places them — the five pages with
// their frame, bars and buttons, stand-ins for the controls — plus a sheet of every button in
// its four states and the slideshow pictures, as PNG files for a person to judge.
#pragma once

#include <filesystem>

namespace tarn::artwork {

void WritePreviews(const std::filesystem::path& resources, const std::filesystem::path& out);

}  // namespace tarn::artwork

// Writes a 32-bit bitmap as an 8-bit RGB PNG (the fourth byte is not alpha in a back buffer).
// Used to look at what a headless window shows; the decoders live with the graphics codecs.
#pragma once

#include <string>

namespace tarn {

class Bitmap32;

// Raises EFCreateError when the file cannot be written.
void WritePng(const Bitmap32& bitmap, const std::string& hostPath);

}  // namespace tarn

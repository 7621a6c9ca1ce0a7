// Replacing a file so that a reader or a crash sees either the old content or the new one,
// never a mix: write a temporary file beside it, flush it, rename it over the original.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tarn {

// False with a message in error when the file could not be replaced; the original is then
// left as it was.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content,
                         std::string* error = nullptr);

// Called after each piece written to the temporary file with the bytes written so far; tests
// use it to stop a save half-way as a crash would.
void SetAtomicWriteHookForTesting(std::function<void(std::size_t)> hook);

}  // namespace tarn

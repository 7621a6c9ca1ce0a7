// Runs a fuzz target without libFuzzer: every file of the corpus folders given, then a fixed
// number of seeded mutations of them (bit flips, byte changes, cuts, inserted and repeated
// runs). Same seed, same inputs: a failure here replays exactly.
//   target [--mutations=N] [--seed=S] DIR-OR-FILE...
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Input = std::vector<uint8_t>;

Input ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Input(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Input Mutate(Input input, std::mt19937& rng) {
  auto pick = [&](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(rng() % n); };
  const int rounds = 1 + static_cast<int>(rng() % 4);
  for (int r = 0; r < rounds; ++r) {
    switch (rng() % 6) {
      case 0:  // flip a bit
        if (!input.empty()) input[pick(input.size())] ^= static_cast<uint8_t>(1u << (rng() % 8));
        break;
      case 1:  // set a byte to an interesting value
        if (!input.empty()) {
          static const uint8_t kValues[] = {0, 1, 0x7F, 0x80, 0xFF};
          input[pick(input.size())] = kValues[rng() % 5];
        }
        break;
      case 2:  // cut the tail
        input.resize(pick(input.size() + 1));
        break;
      case 3:  // overwrite four bytes with a random 32-bit value (offsets and sizes)
        if (input.size() >= 4) {
          const uint32_t v = rng();
          std::memcpy(&input[pick(input.size() - 3)], &v, 4);
        }
        break;
      case 4:  // insert random bytes
      {
        const std::size_t at = pick(input.size() + 1);
        const std::size_t n = 1 + pick(16);
        Input extra(n);
        for (auto& b : extra)
          b = static_cast<uint8_t>(rng());
        input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), extra.begin(), extra.end());
      } break;
      default:  // repeat a run
        if (!input.empty()) {
          const std::size_t at = pick(input.size());
          const std::size_t n = 1 + pick(std::min<std::size_t>(64, input.size() - at));
          Input run(input.begin() + static_cast<std::ptrdiff_t>(at),
                    input.begin() + static_cast<std::ptrdiff_t>(at + n));
          input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), run.begin(), run.end());
        }
        break;
    }
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  long mutations = 0;
  unsigned seed = 1;
  std::vector<Input> corpus;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--mutations=", 0) == 0) {
      mutations = std::stol(arg.substr(12));
    } else if (arg.rfind("--seed=", 0) == 0) {
      seed = static_cast<unsigned>(std::stoul(arg.substr(7)));
    } else if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::directory_iterator(arg)) {
        if (entry.is_regular_file()) corpus.push_back(ReadFile(entry.path()));
      }
    } else if (std::filesystem::is_regular_file(arg)) {
      corpus.push_back(ReadFile(arg));
    } else {
      std::fprintf(stderr, "no such corpus: %s\n", arg.c_str());
      return 2;
    }
  }
  if (corpus.empty()) corpus.emplace_back();
  for (const Input& input : corpus)
    LLVMFuzzerTestOneInput(input.data(), input.size());
  std::mt19937 rng(seed);
  for (long i = 0; i < mutations; ++i) {
    const Input input = Mutate(corpus[rng() % corpus.size()], rng);
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("%zu corpus inputs and %ld mutations ran\n", corpus.size(), mutations);
  return 0;
}

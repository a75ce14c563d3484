// Runs a fuzz target over kept inputs without libFuzzer, so that every build (native, sanitized, Windows)
// replays the seed corpus and the former crashes as a plain test. Arguments are files or folders; a
// folder contributes the files directly inside it, and a missing one contributes nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const fs::path& argument) {
  std::error_code error;
  if (fs::is_regular_file(argument, error)) return {argument};
  std::vector<fs::path> inputs;
  if (!fs::is_directory(argument, error)) return inputs;
  for (fs::directory_iterator it(argument, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error)) inputs.push_back(it->path());
  }
  std::sort(inputs.begin(), inputs.end());  // the same order on every system
  return inputs;
}

bool ReadInput(const fs::path& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const fs::path& input : InputsOf(argv[i])) {
      std::string bytes;
      if (!ReadInput(input, &bytes)) {
        std::fprintf(stderr, "cannot read %s\n", input.string().c_str());
        return 1;
      }
      std::printf("replaying %s (%zu bytes)\n", input.string().c_str(), bytes.size());
      std::fflush(stdout);  // so a crash shows which input it was
      // A non-null pointer even for an empty input, as libFuzzer passes it.
      static const uint8_t kEmpty = 0;
      const auto* data = bytes.empty() ? &kEmpty : reinterpret_cast<const uint8_t*>(bytes.data());
      LLVMFuzzerTestOneInput(data, bytes.size());
      ++replayed;
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  return 0;
}

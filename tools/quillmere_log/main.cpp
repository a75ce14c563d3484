// quillmere-log's entry: arguments in, the tool's output to standard output and standard error.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/utf.h"
#include "quillmere_log/log_tool.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int Finish(const std::vector<std::u16string>& args) {
  qm::LogToolOutput output;
  const int code = qm::RunLogTool(qm::DefaultEnv(), args, output);
  std::fwrite(output.out.data(), 1, output.out.size(), stdout);
  std::fwrite(output.err.data(), 1, output.err.size(), stderr);
  std::fflush(stdout);
  return code;
}

}  // namespace

#ifdef _WIN32
// Wide arguments keep non-ASCII paths intact; binary mode keeps the configured line ends as they are.
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
  return Finish(args);
}
#else
int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(qm::FromUtf8(argv[i]));
  return Finish(args);
}
#endif

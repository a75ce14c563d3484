// quillmere-log: day logs read, listed, aggregated and exported from the command line with the
// program's own code, so that its files are byte for byte what the program writes.
#pragma once

#include <string>
#include <vector>

#include "platform/env.h"

namespace qm {

struct LogToolOutput {
  std::string out;  // UTF-8 for standard output
  std::string err;  // UTF-8 for standard error
};

// Runs the tool on `args` (without the program name). Returns the exit code: 0 done, 1 a day log or
// file could not be read or written, 2 bad arguments.
int RunLogTool(Env& env, const std::vector<std::u16string>& args, LogToolOutput& output);

}  // namespace qm

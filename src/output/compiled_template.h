// A line template compiled into tokens.
#pragma once

namespace qm {

struct CompiledTemplate {};

}  // namespace qm

// The colour model: which colour each record and executable gets.
#pragma once

namespace qm {

class ColorRules {};

}  // namespace qm

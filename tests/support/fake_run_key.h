// A Run key in a map, with refusals on demand.
#pragma once

#include <map>
#include <string>

#include "platform/run_key.h"

namespace qm::test {

class FakeRunKey : public RunKey {
 public:
  std::map<std::u16string, std::u16string> values;
  bool refuseWrites = false;  // Write and Remove fail, as for a key the policy locks

  bool Read(const std::u16string& name, std::u16string* command) override {
    const auto it = values.find(name);
    if (it == values.end()) return false;
    *command = it->second;
    return true;
  }
  bool Write(const std::u16string& name, const std::u16string& command) override {
    if (refuseWrites) return false;
    values[name] = command;
    return true;
  }
  bool Remove(const std::u16string& name) override {
    if (refuseWrites) return false;
    values.erase(name);
    return true;
  }
};

}  // namespace qm::test

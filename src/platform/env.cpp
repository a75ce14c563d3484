#include "platform/env.h"

#include "platform/profile_text.h"
#include "platform/utf.h"

namespace qm {

bool Env::ReadProfileString(const std::u16string& path, const std::u16string& section, const std::u16string& key,
                            std::u16string* value) {
  const auto found = profile_text::Find(profile_text::ReadFile(*this, path), ToUtf8(section), ToUtf8(key));
  if (found) *value = FromUtf8(*found);
  return found.has_value();
}

}  // namespace qm

#include "ui/settings/template_sample.h"

#include <cstring>

#include "core/fixed_string.h"
#include "output/record_line.h"
#include "output/usage_line.h"

namespace qm {
namespace {

constexpr char16_t kDummyTitle[] = u"DummyTitle";
constexpr uint32_t kDummyStartMs = 3'723'456;
constexpr uint32_t kDummyDurationMs = 62'345;
constexpr AppUsageEntry kDummyUsage{123'456, 123, 0};
constexpr uint32_t kDummyGrandTotalMs = 1'234'567;

// The sample record's bytes as a day log holds them.
struct DummyRecord {
  alignas(8) uint8_t bytes[kMaxRecordBytes] = {};

  DummyRecord() {
    const uint32_t titleLength = std::char_traits<char16_t>::length(kDummyTitle);
    const ActivityRecord header{RecordSizeFor(titleLength), kDummyStartMs, kDummyDurationMs, 0};
    std::memcpy(bytes, &header, sizeof header);
    std::memcpy(bytes + kRecordHeaderBytes, kDummyTitle, titleLength * sizeof(char16_t));
  }
};

}  // namespace

std::u16string TemplateTestLine(TemplateSlot slot, std::u16string_view pattern, const StringPool& pool) {
  CompiledTemplate compiled;
  CompileTemplate(pattern, compiled);
  LineBuffer line;
  if (slot == kListTextTemplate || slot == kListCsvTemplate) {
    const DummyRecord record;
    FormatRecordLine(line, pool, compiled, record.bytes);
  } else {
    FormatUsageLine(line, &kDummyUsage, compiled, pool, kDummyGrandTotalMs);
  }
  return std::u16string(line.View());
}

char16_t (&TemplateField(AppSettings& settings, TemplateSlot slot))[kTemplateUnits] {
  switch (slot) {
    case kListCsvTemplate: return settings.listCsvTemplate;
    case kUsageTextTemplate: return settings.usageTextTemplate;
    case kUsageCsvTemplate: return settings.usageCsvTemplate;
    default: return settings.listTextTemplate;
  }
}

void StoreTemplate(OutputState& app, TemplateSlot slot, std::u16string_view text) {
  char16_t(&field)[kTemplateUnits] = TemplateField(app.settings, slot);
  CopyToArray(field, text.substr(0, kTemplateEditUnits));
  CompileTemplate(ArrayText(field), app.templates[slot]);
}

}  // namespace qm

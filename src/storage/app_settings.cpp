#include "storage/app_settings.h"

#include <cstring>

#include "color/default_palette.h"
#include "core/fixed_string.h"
#include "storage/log_folder.h"

namespace qm {
namespace {

void OldestLayoutDefaults(AppSettings& s, Env& env) {
  std::memset(&s, 0, sizeof s);
  s.checkPeriodMs = 100;
  s.timelinePeriodMs = 100;
  s.autoSave = 0;
  s.listSortColumn = 0;
  s.listSortAscending = 1;
  const int32_t listWidths[4] = {60, 80, 200, 200};
  for (int i = 0; i < 4; ++i) s.listColumnWidths[i] = listWidths[i], s.listColumnOrder[i] = i;
  s.usageSortColumn = 0;
  s.usageSortDescending = 1;
  const int32_t usageWidths[5] = {60, 100, 100, 300, 80};
  for (int i = 0; i < 5; ++i) s.usageColumnWidths[i] = usageWidths[i], s.usageColumnOrder[i] = i;
  s.colorSortColumn = 0;
  s.colorSortAscending = 1;
  s.colorColumnWidths[0] = 320, s.colorColumnWidths[1] = 100;
  s.colorColumnOrder[0] = 0, s.colorColumnOrder[1] = 1;
  for (int i = 0; i < 16; ++i) s.customColors[i] = DefaultPalette[i];
  CopyToArray(s.logDialog.folder, LogFolder(env));
  CopyToArray(s.colorDialog.folder, ExecutableFolder(env));
}

void CfgeToCfggDefaults(AppSettings& s, Env& env) {
  OldestLayoutDefaults(s, env);
  s.deleteAge = 0;
  s.searchInTitle = 1;
  s.searchInExe = 0;
  CopyToArray(s.listExportFolder, LogFolder(env));
  s.listCsvExport = 0;
}

void CfghAndCfgiDefaults(AppSettings& s, Env& env) {
  CfgeToCfggDefaults(s, env);
  s.confirmExit = 1;
  CopyToArray(s.usageExportFolder, LogFolder(env));
  CopyToArray(s.listExportName, kDefaultListExportName);
  CopyToArray(s.usageExportName, kDefaultUsageExportName);
  CopyToArray(s.listTextTemplate, kDefaultLineTemplates[0]);
  CopyToArray(s.listCsvTemplate, kDefaultLineTemplates[1]);
  CopyToArray(s.usageTextTemplate, kDefaultLineTemplates[2]);
  CopyToArray(s.usageCsvTemplate, kDefaultLineTemplates[3]);
  s.listTextExport = 0;
  s.usageCsvExport = 0;
  s.usageTextExport = 0;
  s.writeBom = 1;
  s.newlineMode = 0;
}

}  // namespace

void SettingsDefaults(AppSettings& settings, Env& env) { CfghAndCfgiDefaults(settings, env); }

void TerminateStringFields(AppSettings& s) {
  for (FileDialogState* dialog : {&s.logDialog, &s.exportDialog, &s.colorDialog}) {
    dialog->folder[kPathUnits - 1] = 0;
    dialog->fileTitle[kFileNameUnits - 1] = 0;
    dialog->fullPath[kPathUnits - 1] = 0;
  }
  for (char16_t* folder : {s.listExportFolder, s.usageExportFolder}) folder[kPathUnits - 1] = 0;
  for (char16_t* name : {s.listExportName, s.usageExportName}) name[kFileNameUnits - 1] = 0;
  for (char16_t* line : {s.listTextTemplate, s.listCsvTemplate, s.usageTextTemplate, s.usageCsvTemplate}) {
    line[kTemplateUnits - 1] = 0;
  }
}

}  // namespace qm

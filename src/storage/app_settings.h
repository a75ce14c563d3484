// Every persisted setting in one fixed record. The record is written to the settings file byte for
// byte, so its layout is a file format: the offsets below are checked at compile time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/env.h"

namespace qm {

struct Point32 {
  int32_t x;
  int32_t y;
};

struct Rect32 {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// The Windows WINDOWPLACEMENT, 44 bytes; a length of 0 means "no placement stored".
struct WindowPlacement {
  uint32_t length;
  uint32_t flags;
  uint32_t showCmd;
  Point32 minPosition;
  Point32 maxPosition;
  Rect32 normalPosition;
};
static_assert(sizeof(WindowPlacement) == 44);
static_assert(offsetof(WindowPlacement, showCmd) == 8);
static_assert(offsetof(WindowPlacement, minPosition) == 12);
static_assert(offsetof(WindowPlacement, maxPosition) == 20);
static_assert(offsetof(WindowPlacement, normalPosition) == 28);

inline constexpr size_t kPathUnits = 520;
inline constexpr size_t kFileNameUnits = 260;
inline constexpr size_t kTemplateUnits = 128;

struct FileDialogState {
  char16_t folder[kPathUnits];
  char16_t fileTitle[kFileNameUnits];
  char16_t fullPath[kPathUnits];
};
static_assert(sizeof(FileDialogState) == 2600);
static_assert(offsetof(FileDialogState, fileTitle) == 1040);
static_assert(offsetof(FileDialogState, fullPath) == 1560);

struct AppSettings {
  int32_t checkPeriodMs;
  int32_t timelinePeriodMs;
  int32_t autoSave;
  int32_t listSortColumn;
  uint8_t listSortAscending;
  uint8_t unused17[3];
  WindowPlacement mainPlacement;
  int32_t listColumnWidths[4];
  int32_t listColumnOrder[4];
  int32_t usageSortColumn;
  uint8_t usageSortDescending;
  uint8_t unused101[3];
  WindowPlacement usagePlacement;
  int32_t usageColumnWidths[5];
  int32_t usageColumnOrder[5];
  int32_t colorSortColumn;
  uint8_t colorSortAscending;
  uint8_t unused193[3];
  uint8_t reserved196[44];
  int32_t colorColumnWidths[2];
  int32_t colorColumnOrder[2];
  uint32_t customColors[16];
  FileDialogState logDialog;
  FileDialogState exportDialog;
  FileDialogState colorDialog;
  // since "cfge"
  int32_t deleteAge;
  // since "cfgf"
  WindowPlacement searchPlacement;
  uint8_t searchInTitle;
  uint8_t searchInExe;
  uint8_t unused8170[2];
  // since "cfgg"
  char16_t listExportFolder[kPathUnits];
  uint8_t listCsvExport;
  uint8_t unused9213[3];
  // since "cfgh"
  uint8_t confirmExit;
  uint8_t unused9217[3];
  // since "cfgi"
  char16_t usageExportFolder[kPathUnits];
  char16_t listExportName[kFileNameUnits];
  char16_t usageExportName[kFileNameUnits];
  char16_t listTextTemplate[kTemplateUnits];
  char16_t listCsvTemplate[kTemplateUnits];
  char16_t usageTextTemplate[kTemplateUnits];
  char16_t usageCsvTemplate[kTemplateUnits];
  WindowPlacement colorPlacement;
  uint8_t listTextExport;
  uint8_t usageCsvExport;
  uint8_t usageTextExport;
  uint8_t writeBom;
  int32_t newlineMode;
};

#define QM_FIELD_AT(field, offset) static_assert(offsetof(AppSettings, field) == (offset), #field)
QM_FIELD_AT(checkPeriodMs, 0);
QM_FIELD_AT(timelinePeriodMs, 4);
QM_FIELD_AT(autoSave, 8);
QM_FIELD_AT(listSortColumn, 12);
QM_FIELD_AT(listSortAscending, 16);
QM_FIELD_AT(mainPlacement, 20);
QM_FIELD_AT(listColumnWidths, 64);
QM_FIELD_AT(listColumnOrder, 80);
QM_FIELD_AT(usageSortColumn, 96);
QM_FIELD_AT(usageSortDescending, 100);
QM_FIELD_AT(usagePlacement, 104);
QM_FIELD_AT(usageColumnWidths, 148);
QM_FIELD_AT(usageColumnOrder, 168);
QM_FIELD_AT(colorSortColumn, 188);
QM_FIELD_AT(colorSortAscending, 192);
QM_FIELD_AT(reserved196, 196);
QM_FIELD_AT(colorColumnWidths, 240);
QM_FIELD_AT(colorColumnOrder, 248);
QM_FIELD_AT(customColors, 256);
QM_FIELD_AT(logDialog, 320);
QM_FIELD_AT(exportDialog, 2920);
QM_FIELD_AT(colorDialog, 5520);
QM_FIELD_AT(deleteAge, 8120);
QM_FIELD_AT(searchPlacement, 8124);
QM_FIELD_AT(searchInTitle, 8168);
QM_FIELD_AT(searchInExe, 8169);
QM_FIELD_AT(listExportFolder, 8172);
QM_FIELD_AT(listCsvExport, 9212);
QM_FIELD_AT(confirmExit, 9216);
QM_FIELD_AT(usageExportFolder, 9220);
QM_FIELD_AT(listExportName, 10260);
QM_FIELD_AT(usageExportName, 10780);
QM_FIELD_AT(listTextTemplate, 11300);
QM_FIELD_AT(listCsvTemplate, 11556);
QM_FIELD_AT(usageTextTemplate, 11812);
QM_FIELD_AT(usageCsvTemplate, 12068);
QM_FIELD_AT(colorPlacement, 12324);
QM_FIELD_AT(listTextExport, 12368);
QM_FIELD_AT(usageCsvExport, 12369);
QM_FIELD_AT(usageTextExport, 12370);
QM_FIELD_AT(writeBom, 12371);
QM_FIELD_AT(newlineMode, 12372);
#undef QM_FIELD_AT
static_assert(sizeof(AppSettings) == 12376);

// Record bytes of each stored layout, from the oldest (no tag) to the newest.
inline constexpr size_t kSettingsBytesUntagged = 8120;
inline constexpr size_t kSettingsBytesCfge = 8124;
inline constexpr size_t kSettingsBytesCfgf = 8172;
inline constexpr size_t kSettingsBytesCfgg = 9216;
inline constexpr size_t kSettingsBytesCfgh = 9220;
inline constexpr size_t kSettingsBytesCfgi = 12376;

// The default file-name templates and line templates, also offered again by the windows that edit them.
inline constexpr char16_t kDefaultListExportName[] = u"%y%M%D";
inline constexpr char16_t kDefaultUsageExportName[] = u"%y%M%Dapp";
// listTextTemplate, listCsvTemplate, usageTextTemplate, usageCsvTemplate.
inline constexpr const char16_t* kDefaultLineTemplates[4] = {
    u"[%h:%M:%S.%L](%n:%E.%C) \"%t\" - \"%x\"",
    u"%H:%M:%S.%L,%d,\"%t\",\"%x\"",
    u"[%r%%] %h:%M:%S.%Lsec (ave%o:%n:%e.%csec) \"%x\" [%u]",
    u"%r,%d,%a,\"%x\",%u",
};

// Fills the record with its defaults, the folders computed from the executable's location. Applied in
// three layers (oldest layout; "cfge" to "cfgg"; "cfgh" and "cfgi"), each on top of the previous one.
void SettingsDefaults(AppSettings& settings, Env& env);

// Ends every string field at its array's last code unit at the latest, whatever a file put there.
void TerminateStringFields(AppSettings& settings);

// The folder in which day-by-day navigation and the open dialog look for day logs.
inline const char16_t* OpenDialogFolder(const AppSettings& settings) { return settings.logDialog.folder; }

}  // namespace qm

// The settings window: the periods of the two timers, the auto-save schedule, the deletion age of
// old logs, the exit confirmation, the byte-order mark, the start with Windows, the automatic export
// of the list and of the usage statistics, and away time (kept in quillmere.ini). Run modally over the
// main window; everything is applied when it closes,
// however it is closed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "storage/app_settings.h"
#include "ui/settings/away_settings.h"
#include "ui/settings/command_str_config_window.h"
#include "ui/common/window_base.h"

namespace qm {

// Lets the user pick a folder, starting at the one in `folder`. On a choice with a
// file-system path, writes it into `folder` and returns true; otherwise leaves `folder` alone.
bool ChooseFolder(char16_t (&folder)[kPathUnits], HWND owner);

class ConfigWindow : public DialogWindowBase {
 public:
  // The output-string window that the settings window's button opens.
  explicit ConfigWindow(CommandStrConfigWindow* outputStrings) : outputStrings_(outputStrings) {}

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  void Run(HWND owner);

 private:
  // The controls of one automatic-export group: the list's or the usage statistics'.
  struct ExportGroup {
    int csvBox, textBox, folderEdit, chooseButton, nameEdit, defaultButton, status;
    uint8_t* csvExport;
    uint8_t* textExport;
    char16_t (*folder)[kPathUnits];
    char16_t (*name)[kFileNameUnits];
    const char16_t* defaultName;
  };

  void OnInitDialog(HWND window);
  void FillChoices();
  void ShowExportGroup(const ExportGroup& group);
  void StoreExportGroup(const ExportGroup& group);
  void ShowAwayGroup();
  void StoreAwayGroup();
  void OnCommand(WORD id, WORD code);
  // "Windows の起動時に開始する": the box shows the Run value, a click writes or removes it.
  void ShowAutoStart();
  void SwitchAutoStart();
  void UpdateExportEnabling(const ExportGroup& group);
  // The status line tells what is wrong with the folder and with the name, both when both are.
  void UpdateStatus(const ExportGroup& group);
  void ChooseExportFolder(const ExportGroup& group);
  void RestoreDefaultName(const ExportGroup& group);
  // Applies everything shown; on closing, and when the window goes with its owner while open.
  void Store();
  void OnClose();
  void OnDestroy();

  ExportGroup ListGroup() const;
  ExportGroup UsageGroup() const;

  HWND window_ = nullptr;
  CommandStrConfigWindow* outputStrings_;
  std::vector<AwayChoice> awayChoices_;  // as shown while open
};

}  // namespace qm

#include "app/auto_start.h"

#include "platform/path_util.h"

namespace qm {

std::u16string AutoStartCommand(std::u16string_view executablePath) {
  // A Windows path holds no quote, so quoting it whole is enough, spaces or not.
  std::u16string command = u"\"";
  command.append(executablePath).append(u"\" ").append(kTraySwitch);
  return command;
}

bool IsAutoStartOn(RunKey& key) {
  std::u16string command;
  return key.Read(kRunValueName, &command);
}

bool SetAutoStart(RunKey& key, std::u16string_view executablePath, bool on) {
  if (!on) return key.Remove(kRunValueName);
  return key.Write(kRunValueName, AutoStartCommand(executablePath));
}

AutoStartRepair RepairAutoStart(RunKey& key, std::u16string_view executablePath) {
  std::u16string stored;
  if (!key.Read(kRunValueName, &stored)) return AutoStartRepair::Unchanged;
  const std::u16string wanted = AutoStartCommand(executablePath);
  if (path_util::EqualsIgnoringCase(stored, wanted)) return AutoStartRepair::Unchanged;
  return key.Write(kRunValueName, wanted) ? AutoStartRepair::Rewritten : AutoStartRepair::Failed;
}

StartArguments ParseStartArguments(std::span<const std::u16string> arguments) {
  StartArguments start;
  for (const std::u16string& argument : arguments) {
    const bool traySwitch = (argument.size() == 5 && (argument[0] == u'/' || argument[0] == u'-') &&
                             path_util::EqualsIgnoringCase(std::u16string_view(argument).substr(1), u"tray"));
    if (traySwitch) {
      start.inTray = true;
    } else {
      start.files.push_back(argument);
    }
  }
  return start;
}

}  // namespace qm

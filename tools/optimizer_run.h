// The optimiser's work once the user has agreed and the settings are saved:
// every write and command in order with an honest log line, and the undo
// from a saved file. The dialog asks the questions around them.
#pragma once

#include "tools/optimizer_backup.h"

#include <functional>
#include <string>

namespace ovix {

using OptimizerLog = std::function<void(const std::string&)>;

// Applies the plan in order: the twelve texts, the installed services'
// start types, D1-D22, the two unregistrations, D23-D28, the services line,
// diskperf. Returns how many changes failed.
int ApplyOptimizations(const OptimizerPlan& plan, SettingsWriter& writer, const OptimizerLog& log);

// Puts back what the file saved, registers again the libraries that were
// registered, and renames the file *.undone.reg when everything was put back.
// True then.
bool UndoFromFile(const std::string& path, SettingsWriter& writer, const OptimizerLog& log);

}  // namespace ovix

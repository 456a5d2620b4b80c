#pragma once
// Repairing the hotkeys: the settings file is deleted so that the next start writes it
// anew with every default, and the program ends at once.
#include <string>

#include "platform/files.h"
#include "platform/shell.h"
#include "ui/dialogs.h"

namespace settings {

// mydoc is the settings folder. After the user agrees and the file was there, the
// process ends without any exit processing, whether or not the delete worked.
void Command13(ui::Dialogs& dialogs, platform::Files& files, platform::Shell& shell,
               const std::string& mydoc);

}  // namespace settings

#pragma once
// Repairing the hotkeys: the settings file is deleted so that the next start writes it
// anew with every default, and the program ends at once.
#include <functional>
#include <string>

#include "platform/files.h"
#include "platform/shell.h"
#include "ui/dialogs.h"

namespace settings {

// mydoc is the settings folder. After the user agrees and the file was there, the
// process ends without the rest of the exit processing, whether or not the delete
// worked; restore runs first, so that nothing hidden is left behind.
void Command13(ui::Dialogs& dialogs, platform::Files& files, platform::Shell& shell,
               const std::string& mydoc, const std::function<void()>& restore = {});

}  // namespace settings

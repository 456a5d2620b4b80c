#pragma once
// What the application's forms are given to work with: the system, the view host for
// their windows, the standard dialogs, and the way to end the message loop.
#include <functional>

#include "platform/system.h"
#include "ui/dialogs.h"
#include "ui/form.h"

namespace app {

struct Context {
    platform::System sys;
    ui::FormHost& forms;
    ui::Dialogs& dialogs;
    // Leaves the message loop: the program ends once the caller returns.
    std::function<void()> quit;
};

}  // namespace app

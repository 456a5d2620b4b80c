#pragma once
// The shell's notification-area toolbar, driven from outside the shell's process. The
// icons are buttons of a toolbar window that belongs to the shell; reading one needs a
// buffer inside the shell's process, so every read goes through a connection that holds
// that process and that buffer for as long as one operation runs.
//
// Which window is the toolbar is the caller's business (the windows are found by class
// through Desktop); this family only talks to a window once it is found.
#include <memory>
#include <optional>
#include <string>

#include "platform/types.h"

namespace platform {

struct SystemVersion {
    int major = 0;
    int minor = 0;
};

struct ClientSize {
    int width = 0;
    int height = 0;
};

// One open connection to a toolbar of another process: the owning process opened for
// memory access and one buffer committed inside it. Both are released when it goes away.
// Buttons are addressed by command identifier, as the toolbar itself addresses them,
// except when asking which identifier sits at a position.
class ToolbarConnection {
  public:
    // Texts are read into a buffer of this many UTF-16 units; longer ones come back cut.
    static constexpr int kMaxTextUnits = 256;

    virtual ~ToolbarConnection() = default;
    // The number of buttons, hidden ones included; 0 when the toolbar does not answer.
    virtual int buttonCount() = 0;
    // The command identifier of the button at a position (from 0); nullopt when there is
    // no button there or the toolbar does not answer.
    virtual std::optional<int> commandId(int position) = 0;
    // The text of the button with that identifier; nullopt when the toolbar reports none
    // (no such button, or a button without a text string).
    virtual std::optional<std::string> buttonText(int commandId) = 0;
    // The window of the program whose icon the button at a position (from 0) is, as the
    // shell keeps it beside the button; kNoWindow when the shell does not tell.
    virtual WindowHandle ownerWindow(int position) = 0;
    // Hides or shows the button with that identifier; false when the toolbar has none.
    virtual bool hideButton(int commandId, bool hide) = 0;
    // Lets the toolbar lay its buttons out again after one was hidden or shown.
    virtual void autosize() = 0;
};

class NotifyArea {
  public:
    virtual ~NotifyArea() = default;
    // The version of Windows as the program is told it.
    virtual SystemVersion systemVersion() = 0;
    // Opens the process that owns the window and a buffer in it. nullptr when there is no
    // such window, or its process cannot be opened, or no buffer can be committed there;
    // nothing stays open then.
    virtual std::unique_ptr<ToolbarConnection> connect(WindowHandle toolbar) = 0;
    // The size of a window's client area; nullopt when there is no such window.
    virtual std::optional<ClientSize> clientSize(WindowHandle window) = 0;
    // Queues a mouse move to a client point of a window and returns at once.
    virtual bool postMouseMove(WindowHandle window, int x, int y) = 0;
};

}  // namespace platform

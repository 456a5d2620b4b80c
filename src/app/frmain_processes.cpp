// The process page on the main window: the debug privilege and the columns at load (the
// list is read when the page is first shown), and the notification area swept after
// every ending.
#include "app/frmain.h"
#include "tray/tray_toolbar.h"

namespace app {

void Frmain::wireProcessPage() {
    processPage.afterEnd = [this] { tray::RefreshTray(ctx_.sys.desktop, ctx_.sys.notifyArea); };
}

void Frmain::AdjustTokenPrivileges2000() {
    // Without it, ending another user's process fails, and the page says so.
    ctx_.sys.processes.enableDebugPrivilege();
}

void Frmain::loadProcessPage() {
    AdjustTokenPrivileges2000();
    processPage.createColumns();
}

}  // namespace app

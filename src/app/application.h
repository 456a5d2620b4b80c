#pragma once
// The program from start to end: hands over to a running copy, checks the system
// components it loads, shows the main window or the repair prompt, and ends.
#include <memory>
#include <string>

#include "app/context.h"
#include "app/downldfix.h"
#include "app/frm_about.h"
#include "app/frmain.h"

namespace app {

enum class StartResult {
    HandedOver,       // another copy runs and was told to show itself
    Unreachable,      // another copy runs but did not answer in time
    MainWindow,       // the main window is up
    MissingComponent  // the repair prompt is up
};

class Application {
  public:
    explicit Application(Context& ctx);
    ~Application();

    // The start-up sequence; the message loop runs afterwards unless the result says
    // this copy has nothing to show.
    StartResult Main();
    // Unloads every form and leaves the message loop.
    void endProgram();
    bool ended() const { return ended_; }

    Frmain& frmain() { return *frmain_; }
    DownLDFIX& downLDFIX() { return *downLDFIX_; }
    FrmAbout& frmAbout() { return *frmAbout_; }

    // How long a second copy waits for the first to answer.
    static constexpr int kHandOverTimeoutMs = 5000;

  private:
    bool componentsPresent();
    void showMainWindow();

    Context& ctx_;
    std::unique_ptr<Frmain> frmain_;
    std::unique_ptr<DownLDFIX> downLDFIX_;
    std::unique_ptr<FrmAbout> frmAbout_;
    bool ended_ = false;
};

}  // namespace app

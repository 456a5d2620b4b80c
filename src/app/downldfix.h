#pragma once
// The prompt shown instead of the main window when a system component the program
// needs is missing: repair (open the patch page and end) or start anyway.
#include <functional>

#include "app/context.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace app {

class DownLDFIX : public ui::Form {
  public:
    explicit DownLDFIX(Context& ctx);

    // Runs when the user chooses to start anyway: the main window's show.
    std::function<void()> onForceStart;
    // Runs when the prompt is unloaded: the program ends.
    std::function<void()> onEnd;

    ui::Label Label1{this, ui::ids::kDownLabel1, "Label1"};
    ui::Label Label2{this, ui::ids::kDownLabel2, "Label2"};
    ui::Label Label3{this, ui::ids::kDownLabel3, "Label3"};
    ui::Label Label4{this, ui::ids::kDownLabel4, "Label4"};
    ui::Button OKButton{this, ui::ids::kDownOKButton, "OKButton"};
    ui::Button CancelButton{this, ui::ids::kDownCancelButton, "CancelButton"};

  private:
    void layout();
    void OKButton_Click();
    void CancelButton_Click();
    Context& ctx_;
};

}  // namespace app

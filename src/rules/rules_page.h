#pragma once
// The hiding-rules tab of the settings page: the rules as a list of "保留" (keep) and
// "仅隐藏" (hide only) rows with their patterns, a box to type a pattern, the programs
// that have windows now to pick one from, and buttons that add a rule of either kind or
// remove the chosen one. The tab edits a copy; the page's OK saves it and its Cancel
// throws it away, as with every other setting.
#include <functional>
#include <string>
#include <vector>

#include "platform/system.h"
#include "rules/hide_rules.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

namespace rules {

class RulesPage {
  public:
    // Creates the tab's controls inside its frame; `configPath` names the settings file the
    // rules will be saved in.
    RulesPage(ui::Frame& frame, const platform::System& sys, ui::Dialogs& dialogs,
              std::string title, std::function<std::string()> configPath);
    RulesPage(const RulesPage&) = delete;
    RulesPage& operator=(const RulesPage&) = delete;

    ui::ListView lvRules;
    ui::Label lblRule;
    ui::TextBox txtRule;
    ui::Label lblPrograms;
    ui::ListBox lstPrograms;
    ui::Button cmdKeepRule;
    ui::Button cmdOnlyRule;
    ui::Button cmdRemoveRule;
    ui::Label lblHint;

    // Told whenever the user has changed the rules.
    std::function<void()> onChanged;

    // Shows these rules, forgetting every edit.
    void show(const std::vector<Rule>& rules);
    // The rules as the tab holds them now.
    const std::vector<Rule>& rules() const { return rules_; }
    // Lists the programs that have windows now; run when the tab comes into sight.
    void refreshPrograms();

    void cmdKeepRule_Click() { addRule(RuleKind::Keep); }
    void cmdOnlyRule_Click() { addRule(RuleKind::Only); }
    void cmdRemoveRule_Click();
    void lstPrograms_Click();

  private:
    void layout();
    void addRule(RuleKind kind);
    // Why the typed pattern cannot become a rule of this kind; empty when it can.
    std::string refusal(const std::string& typed, RuleKind kind) const;
    void fillList();

    platform::Desktop& desktop_;
    platform::Processes& processes_;
    platform::Profile& profile_;
    ui::Dialogs& dialogs_;
    std::string title_;
    std::function<std::string()> configPath_;
    std::vector<Rule> rules_;
};

// How a rule's kind reads in the list.
const char* kindText(RuleKind kind);

}  // namespace rules

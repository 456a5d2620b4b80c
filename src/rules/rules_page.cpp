#include "rules/rules_page.h"

#include <algorithm>

#include "core/text.h"
#include "rules/program_names.h"
#include "ui/control_ids.h"

namespace rules {

const char* kindText(RuleKind kind) {
    return kind == RuleKind::Keep ? "保留" : "仅隐藏";
}

RulesPage::RulesPage(ui::Frame& frame, const platform::System& sys, ui::Dialogs& dialogs,
                     std::string title, std::function<std::string()> configPath)
    : lvRules(&frame, ui::ids::kLvRules, "lvRules"),
      lblRule(&frame, 0, "lblRule"),
      txtRule(&frame, ui::ids::kTxtRule, "txtRule"),
      lblPrograms(&frame, 0, "lblPrograms"),
      lstPrograms(&frame, ui::ids::kLstPrograms, "lstPrograms"),
      cmdKeepRule(&frame, ui::ids::kCmdKeepRule, "cmdKeepRule"),
      cmdOnlyRule(&frame, ui::ids::kCmdOnlyRule, "cmdOnlyRule"),
      cmdRemoveRule(&frame, ui::ids::kCmdRemoveRule, "cmdRemoveRule"),
      lblHint(&frame, 0, "lblHint"),
      desktop_(sys.desktop),
      processes_(sys.processes),
      profile_(sys.profile),
      dialogs_(dialogs),
      title_(std::move(title)),
      configPath_(std::move(configPath)) {
    layout();
    cmdKeepRule.onClick = [this] { cmdKeepRule_Click(); };
    cmdOnlyRule.onClick = [this] { cmdOnlyRule_Click(); };
    cmdRemoveRule.onClick = [this] { cmdRemoveRule_Click(); };
    lstPrograms.onClick = [this] { lstPrograms_Click(); };
}

void RulesPage::layout() {
    lvRules.addColumn("类型", 780);
    lvRules.addColumn("程序名或标题", 1860);
    lvRules.setBounds(120, 90, 2760, 1260);
    lblHint.setText("* 代表任意多个字符，? 代表任意一个字符");
    lblHint.setBounds(120, 1395, 2760, 420);
    cmdRemoveRule.setText("删除规则");
    cmdRemoveRule.setBounds(120, 1800, 1080, 330);
    lblRule.setText("程序名或标题：");
    lblRule.setBounds(3000, 90, 2295, 270);
    txtRule.setBounds(3000, 360, 2295, 300);
    txtRule.setMaxLength(kMaxPatternChars);
    lblPrograms.setText("或选择正在运行的程序：");
    lblPrograms.setBounds(3000, 720, 2295, 270);
    lstPrograms.setBounds(3000, 990, 2295, 750);
    cmdKeepRule.setText("保留");
    cmdKeepRule.setToolTip("一键隐藏时不隐藏符合此规则的窗口和图标");
    cmdKeepRule.setBounds(3000, 1800, 1095, 330);
    cmdOnlyRule.setText("仅隐藏");
    cmdOnlyRule.setToolTip("一键隐藏时只隐藏符合“仅隐藏”规则的窗口和图标");
    cmdOnlyRule.setBounds(4200, 1800, 1095, 330);
}

void RulesPage::show(const std::vector<Rule>& rules) {
    rules_ = rules;
    fillList();
}

void RulesPage::fillList() {
    lvRules.clear();
    for (const Rule& rule : rules_)
        lvRules.addItem({kindText(rule.kind), {rule.pattern}});
}

void RulesPage::refreshPrograms() {
    lstPrograms.clear();
    for (const std::string& program : programsWithWindows(desktop_, processes_))
        lstPrograms.addItem(program);
}

void RulesPage::lstPrograms_Click() {
    const int index = lstPrograms.listIndex();
    if (index >= 0) txtRule.setText(lstPrograms.list(index));
}

std::string RulesPage::refusal(const std::string& typed, RuleKind kind) const {
    const std::string pattern = core::trim(typed);
    if (pattern.empty()) return "请输入程序名或窗口标题，或从正在运行的程序中选择。";
    if (cleanPattern(pattern).empty()) return "规则过长或含有无效字符。";
    if (!profile_.keepsText(configPath_(), pattern))
        return "规则中有设置文件无法保存的字符，请改用 ? 代替这些字符。";
    const auto ofKind =
        std::count_if(rules_.begin(), rules_.end(), [&](const Rule& r) { return r.kind == kind; });
    if (ofKind >= kMaxRulesPerKind) return "每类规则最多 64 条。";
    return {};
}

void RulesPage::addRule(RuleKind kind) {
    const std::string why = refusal(txtRule.text(), kind);
    if (!why.empty()) {
        dialogs_.messageBox(why, title_, ui::mb::kOk | ui::mb::kIconExclamation);
        return;
    }
    const Rule rule{kind, cleanPattern(txtRule.text())};
    auto same = std::find(rules_.begin(), rules_.end(), rule);
    if (same == rules_.end()) {
        // Keep rules stand before the only rules, as the settings file gives them back.
        auto place = kind == RuleKind::Only
                         ? rules_.end()
                         : std::find_if(rules_.begin(), rules_.end(),
                                        [](const Rule& r) { return r.kind == RuleKind::Only; });
        same = rules_.insert(place, rule);
        fillList();
        if (onChanged) onChanged();
    }
    lvRules.setSelectedIndex(static_cast<int>(same - rules_.begin()));
    txtRule.setText("");
}

void RulesPage::cmdRemoveRule_Click() {
    const int index = lvRules.selectedIndex();
    if (index < 0 || index >= static_cast<int>(rules_.size())) return;
    rules_.erase(rules_.begin() + index);
    fillList();
    if (onChanged) onChanged();
}

}  // namespace rules

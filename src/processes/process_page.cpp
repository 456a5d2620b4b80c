#include "processes/process_page.h"

#include "core/text.h"
#include "ui/control_ids.h"

namespace processes {

ProcessPage::ProcessPage(ui::Frame& frame, const platform::System& sys, ui::Dialogs& dialogs,
                         std::string title)
    : ListView1(&frame, ui::ids::kListView1, "ListView1"),
      Command11(&frame, ui::ids::kCommand11, "Command11"),
      Command12(&frame, ui::ids::kCommand12, "Command12"),
      Label10(&frame, ui::ids::kLabel10, "Label10"),
      processes_(sys.processes),
      environment_(sys.environment),
      tasks_(sys.tasks),
      dialogs_(dialogs),
      title_(std::move(title)) {
    layout();
    ListView1.onClick = [this] { ListView1_Click(); };
    Command11.onClick = [this] { Command11_Click(); };
    Command12.onClick = [this] { Command12_Click(); };
}

void ProcessPage::layout() {
    ListView1.setBounds(120, 300, 5415, 2340);
    Command11.setText("刷新");
    Command11.setBounds(120, 2760, 1000, 400);
    Command12.setText("结束进程");
    Command12.setBounds(1240, 2760, 1100, 400);
    Command12.setEnabled(false);
    // Two lines: the result names the process, whose name may be long.
    Label10.setBounds(2460, 2760, 3075, 540);
}

void ProcessPage::createColumns() {
    ListView1.clearColumns();
    ListView1.addColumn("进程名", 1600);
    ListView1.addColumn("进程ID", 1200);
    ListView1.addColumn("路径", 3800);
}

void ProcessPage::pageShown() {
    if (!filledOnce_) Command11_Click();
}

void ProcessPage::Command11_Click() {
    filledOnce_ = true;
    // The rows stand until the new ones replace them all at once, as a refill that took
    // no time would show. One picked meanwhile is checked as a minutes-old one is.
    if (!ProcKilled) Label10.setText("");
    Command12.setEnabled(false);
    refill_ = platform::runTask<std::vector<ProcessRow>>(
        tasks_,
        [&processes = processes_, ending = ending_] {
            for (const auto& process : ending)
                process->waitForExit(kEndWaitMs);
            return processRows(processes);
        },
        [this](std::vector<ProcessRow> rows) { fill(std::move(rows)); });
}

void ProcessPage::fill(std::vector<ProcessRow> rows) {
    refill_.reset();
    // This refill was the newest, so it waited for every ending there is.
    ending_.clear();
    ListView1.clear();
    created_.clear();
    for (ProcessRow& row : rows) {
        created_[row.key] = row.created;
        ListView1.addItem(std::move(row.item), std::move(row.key));
    }
    // A row picked while they were read is gone with the rows it was among.
    Command12.setEnabled(false);
    if (!sweepAfterFill_) return;
    sweepAfterFill_ = false;
    if (afterEnd) afterEnd();
}

void ProcessPage::ListView1_Click() {
    Command12.setEnabled(true);
}

void ProcessPage::Command12_Click() {
    const int index = ListView1.selectedIndex();
    if (index < 0 || index >= static_cast<int>(ListView1.items().size())) return;
    const ui::ListViewItem& row = ListView1.items()[index];
    const auto created = created_.find(ListView1.key(index));
    // Copied: the list may be refilled by the time the question is answered.
    const Picked picked{row.text, processIdOf(row.subItems.empty() ? "" : row.subItems[0]),
                        created == created_.end() ? std::nullopt : created->second};
    const std::string& s = picked.name;
    if (s.empty()) return;
    if (dialogs_.messageBox(std::string("确实要结束进程[").append(s).append("]吗？"), title_,
                            ui::mb::kYesNo) != ui::mb::kAnswerYes) {
        return;
    }
    const bool ended = endProcess(picked);
    Label10.setText(
        std::string("进程[").append(s).append(ended ? "]已经被终止！" : "]不能被终止！"));
    // Also after a refusal: a row whose process is gone, or whose id now names another,
    // must not be offered again.
    ProcKilled = true;
    sweepAfterFill_ = true;
    Command11_Click();
    ProcKilled = false;
}

bool ProcessPage::endProcess(const Picked& picked) {
    std::unique_ptr<platform::OpenedProcess> process =
        processes_.openForTermination(picked.processId);
    if (!process) return false;
    // By its name, and by its id whatever its file is called.
    if (picked.name == ownExeName() || picked.processId == processes_.currentProcessId()) {
        return false;
    }
    // The list and the question may be minutes old: the id may name another process now.
    if (!sameProcess(*process, picked)) return false;
    // A flag that cannot be read counts as set: ending a critical process stops Windows.
    if (process->critical() != platform::Criticality::NotCritical) return false;
    if (!process->terminate(0)) return false;
    // Ended means gone: the refill that follows waits for it, off this thread.
    ending_.push_back(std::move(process));
    return true;
}

bool ProcessPage::sameProcess(platform::OpenedProcess& process, const Picked& picked) {
    const std::optional<std::uint64_t> created = process.creationTime();
    if (!created || !picked.created || *created != *picked.created) return false;
    // File names, so letters of either case are the same.
    return core::sameTitle(process.imageName(), picked.name);
}

std::string ProcessPage::ownExeName() {
    std::string file = environment_.executablePath();
    file = file.substr(file.find_last_of("\\/") + 1);
    const size_t dot = file.rfind('.');
    return (dot == std::string::npos ? file : file.substr(0, dot)) + ".exe";
}

}  // namespace processes

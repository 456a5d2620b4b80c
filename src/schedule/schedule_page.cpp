#include "schedule/schedule_page.h"

#include "core/text.h"
#include "ui/control_ids.h"

namespace schedule {
namespace {

constexpr const char* kUnits[] = {"年", "月", "日", "时", "分", "秒"};

}  // namespace

ScheduleGroup::ScheduleGroup(ui::Frame& page, int idBase, int left, const std::string& text)
    : frame(&page, idBase, "Frame"),
      heading(&frame, idBase + 1, "Heading"),
      ask(&frame, idBase + 14, "Ask"),
      enable(&frame, idBase + 15, "Enable"),
      countdown(&frame, idBase + 16, "Countdown"),
      timer(&frame, idBase == ui::ids::kFrame10 ? ui::ids::kTimer4 : ui::ids::kTimer5, "Timer") {
    frame.setBounds(left, 560, 2650, 2760);
    heading.setText(text);
    heading.setBounds(120, 240, 2400, 300);
    for (int i = 0; i < 6; ++i) {
        boxes[i] = std::make_unique<ui::TextBox>(&frame, idBase + 2 + i, "Box");
        units[i] = std::make_unique<ui::Label>(&frame, idBase + 8 + i, "Unit");
        const int col = i % 3, top = i < 3 ? 600 : 1000;
        const int x = 120 + col * 800;
        const int w = i == 0 ? 620 : 480;
        boxes[i]->setBounds(x, top, w, 330);
        boxes[i]->setMaxLength(i == 0 ? 4 : 2);
        units[i]->setText(kUnits[i]);
        units[i]->setBounds(x + w + 20, top + 40, 240, 300);
    }
    ask.setBounds(120, 1850, 2400, 300);
    enable.setText("启用设定");
    enable.setBounds(120, 2130, 2400, 300);
    countdown.setBounds(120, 2410, 2400, 300);
}

SchedulePage::SchedulePage(ui::Frame& frame, const platform::System& sys, ui::Dialogs& dialogs,
                           std::string title)
    : Label13(&frame, ui::ids::kLabel13, "Label13"),
      Timer3(&frame, ui::ids::kTimer3, "Timer3"),
      run(frame, ui::ids::kFrame10, 120, "定时运行程序"),
      off(frame, ui::ids::kFrame11, 2890, "定时关机电脑"),
      Text7(&run.frame, ui::ids::kText7, "Text7"),
      Command29(&run.frame, ui::ids::kCommand29, "Command29"),
      sys_(sys),
      dialogs_(dialogs),
      title_(std::move(title)),
      sight_(frame, [this](bool) { keepClock(); }) {
    Label13.setBounds(120, 240, 5400, 300);
    run.ask.setText("运行程序前提示");
    off.ask.setText("关机前提示");
    Text7.setText(kNoProgram);
    Text7.setBounds(120, 1450, 1800, 330);
    Command29.setText("选择");
    Command29.setBounds(1980, 1430, 560, 370);
    Timer3.onTick = [this] { Timer3_Timer(); };
    run.timer.onTick = [this] { Timer4_Timer(); };
    off.timer.onTick = [this] { Timer5_Timer(); };
    run.enable.onClick = [this] { Check1_Click(); };
    off.enable.onClick = [this] { Check2_Click(); };
    Command29.onClick = [this] { Command29_Click(); };
}

void SchedulePage::Command9_Click() {
    opened_ = true;
    keepClock();
    FillScheduleBoxes();
}

void SchedulePage::keepClock() {
    const bool wanted = opened_ && (sight_.seen() || run.timer.running() || off.timer.running());
    if (wanted == Timer3.running()) return;
    // Brought up to date before anything compares against it.
    if (wanted) Timer3_Timer();
    Timer3.setInterval(wanted ? kTickMs : 0);
}

void SchedulePage::FillScheduleBoxes() {
    const Stamp now = stampOf(sys_.clock.now());
    for (ScheduleGroup* g : {&run, &off}) {
        const Stamp& s = g->accepted ? g->target : now;
        for (int i = 0; i < 6; ++i)
            g->boxes[i]->setText(std::to_string(s[i]));
    }
}

void SchedulePage::Timer3_Timer() {
    const platform::LocalTime t = sys_.clock.now();
    Label13.setText(sys_.clock.dateTimeText(t));
    nowStamp = stampOf(t);
}

void SchedulePage::Command29_Click() {
    const std::string path = core::trim(dialogs_.openFile("选择程序", "可执行文件(*.exe)|*.exe"));
    if (path.empty()) return;
    programPath = path;
    Text7.setText(path);
}

bool SchedulePage::acceptBoxes(ScheduleGroup& g) {
    std::array<std::string, 6> texts;
    for (int i = 0; i < 6; ++i)
        texts[i] = g.boxes[i]->text();
    const BoxCheck c = checkBoxes(texts);
    if (!c.target) {
        if (g.enable.value() != 0) {
            dialogs_.messageBox("日期和时间必须为整数！", "错误", ui::mb::kOk);
            g.enable.setValue(0);
            g.boxes[c.badBox]->setText("");
            g.boxes[c.badBox]->setFocus();
        }
        return false;
    }
    g.target = *c.target;
    for (int i = 0; i < 6; ++i)
        g.boxes[i]->setText(std::to_string(g.target[i]));
    g.accepted = true;
    return true;
}

void SchedulePage::lock(ScheduleGroup& g, bool locked) {
    g.timer.setInterval(locked ? kTickMs : 0);
    for (auto& box : g.boxes)
        box->setEnabled(!locked);
    g.ask.setEnabled(!locked);
    keepClock();
}

void SchedulePage::Check1_Click() {
    if (!acceptBoxes(run)) return;
    lock(run, run.enable.value() != 0);
    Command29.setEnabled(run.enable.value() == 0);
}

void SchedulePage::Check2_Click() {
    if (!acceptBoxes(off)) return;
    lock(off, off.enable.value() != 0);
}

void SchedulePage::tell(ScheduleGroup& g, const std::string& text, const std::string& caption) {
    g.busy = true;
    dialogs_.messageBox(text, caption, ui::mb::kOk);
    g.busy = false;
    g.enable.setValue(0);
}

bool SchedulePage::countDown(ScheduleGroup& g) {
    const std::int32_t left = secondsUntil(g.target, stampOf(sys_.clock.now()));
    if (left < 0) {
        g.enable.setValue(0);
        g.countdown.setText("时间已过！");
        return false;
    }
    g.countdown.setText(CountdownText(left));
    return true;
}

bool SchedulePage::confirmed(ScheduleGroup& g, const std::string& question) {
    if (g.ask.value() == 0) return true;
    g.busy = true;
    const int answer =
        dialogs_.messageBox(question, title_, ui::mb::kYesNo | ui::mb::kIconQuestion);
    g.busy = false;
    if (answer == ui::mb::kAnswerYes) return true;
    g.enable.setValue(0);
    return false;
}

void SchedulePage::Timer4_Timer() {
    if (run.busy) return;
    const std::string path = Text7.text();
    if (path == kNoProgram || path.empty()) return tell(run, "请选择程序！", "提示");
    if (!sys_.files.fileExists(path)) {
        return tell(run, "当前程序文件不存在，请重新选择！", "错误");
    }
    if (run.enable.value() == 0 || !countDown(run)) return;
    if (nowStamp != run.target) return;
    if (!confirmed(run, "你想运行该程序吗？")) return;
    startProgram();
}

void SchedulePage::startProgram() {
    // Quoted, so that a path with blanks cannot start a program planted at its first blank.
    if (sys_.shell.run(platform::quotedPath(Text7.text()), platform::ShowCommand::Minimized)) {
        run.enable.setValue(0);
        return;
    }
    tell(run, "程序无法启动！", "错误");
}

void SchedulePage::Timer5_Timer() {
    if (off.busy) return;
    if (off.enable.value() == 0 || !countDown(off)) return;
    if (nowStamp != off.target) return;
    if (!confirmed(off, "你想 关机 吗？")) return;
    shutDown();
}

void SchedulePage::shutDown() {
    // By full paths: a cmd.exe or shutdown.exe in the current folder must never be the one run.
    using platform::SpecialFolder;
    const std::string cmd =
        platform::systemProgram(sys_.environment, SpecialFolder::System, "cmd.exe");
    if (cmd.empty()) return;
    sys_.shell.run(
        cmd + " /c " +
            platform::systemProgram(sys_.environment, SpecialFolder::System, "shutdown.exe") +
            " /s /f",
        platform::ShowCommand::Hide);
}

}  // namespace schedule

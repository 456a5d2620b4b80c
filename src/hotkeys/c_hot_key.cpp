#include "hotkeys/c_hot_key.h"

#include <chrono>

namespace hotkeys {
namespace {

constexpr int kNameDraws = 16;
constexpr int kFirstCode = 60;
constexpr int kCodeRange = 70;  // codes 60..129
constexpr int kAtomAttempts = 8;
constexpr int kStartInterval = 10;
// The timer's tag once it has armed the hotkeys since the last start.
const std::string kEnteredTag = "1";

bool isLetter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A held combination is one press: auto-repeat would run a toggle over and over.
unsigned modifierBits(bool ctrl, bool alt, bool shift) {
    return (ctrl ? platform::modifier::kControl : 0u) | (alt ? platform::modifier::kAlt : 0u) |
           (shift ? platform::modifier::kShift : 0u) | platform::modifier::kNoRepeat;
}

// The registered id: the atom read as a signed 16-bit value and widened with its sign.
int registeredId(std::int16_t id) {
    return static_cast<int>(id);
}

std::mt19937 seededGenerator() {
    std::random_device device;
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seed{device(), device(), static_cast<unsigned>(ticks),
                       static_cast<unsigned>(ticks >> 32)};
    return std::mt19937(seed);
}

}  // namespace

cHotKey::cHotKey(platform::HotKeys& hotKeys, platform::Shell& shell)
    : hotKeys_(hotKeys), shell_(shell), random_(seededGenerator()) {}

cHotKey::~cHotKey() {
    stop_ = true;
    pumping_ = false;
    // No message processing here: handlers of an owner that is being torn down must
    // not run again.
    releaseAll();
}

int cHotKey::lookup(int keyCode, bool ctrl, bool alt, bool shift) const {
    for (int i = 1; i < static_cast<int>(table_.size()); ++i) {
        const Entry& e = table_[i];
        if (e.keyCode == keyCode && e.ctrl == ctrl && e.alt == alt && e.shift == shift) return i;
    }
    return -1;
}

std::string cHotKey::atomName() {
    std::uniform_int_distribution<int> code(kFirstCode, kFirstCode + kCodeRange - 1);
    std::string name;
    for (int i = 0; i < kNameDraws; ++i) {
        int c = code(random_);
        if (isLetter(c)) name += static_cast<char>(c);
    }
    return name;
}

bool cHotKey::idInUse(std::int16_t id) const {
    for (int i = 1; i < static_cast<int>(table_.size()); ++i) {
        if (table_[i].id == id) return true;
    }
    return false;
}

// Two entries sharing an atom could not be told apart when their key is pressed, so an
// atom the table already uses (the same random name drawn twice) is given back and the
// name drawn again; so is a name the system refused.
std::uint16_t cHotKey::freshAtom() {
    for (int attempt = 0; attempt < kAtomAttempts; ++attempt) {
        std::uint16_t atom = hotKeys_.addAtom(atomName());
        if (atom == 0) continue;
        if (!idInUse(static_cast<std::int16_t>(atom))) return atom;
        hotKeys_.deleteAtom(atom);
    }
    return 0;
}

int cHotKey::AddHotKey(int keyCode, bool ctrl, bool alt, bool shift) {
    if (lookup(keyCode, ctrl, alt, shift) != -1) return -1;
    std::uint16_t atom = freshAtom();
    if (atom == 0) return -1;
    table_.push_back(Entry{keyCode, ctrl, alt, shift, static_cast<std::int16_t>(atom)});
    int index = HotKeysCount();
    if (hotKeys_.registerHotKey(frmHwnd_, registeredId(table_[index].id),
                                modifierBits(ctrl, alt, shift), keyCode))
        return index;
    removeAt(index);
    return -1;
}

void cHotKey::removeAt(int index) {
    const Entry& e = table_[index];
    hotKeys_.unregisterHotKey(frmHwnd_, registeredId(e.id));
    hotKeys_.deleteAtom(static_cast<std::uint16_t>(e.id));
    table_.erase(table_.begin() + index);
}

bool cHotKey::DelHotKey(int keyCode, bool ctrl, bool alt, bool shift) {
    int index = lookup(keyCode, ctrl, alt, shift);
    if (index == -1) return false;
    removeAt(index);
    return true;
}

void cHotKey::releaseAll() {
    for (int i = 1; i < static_cast<int>(table_.size()); ++i) {
        hotKeys_.unregisterHotKey(frmHwnd_, registeredId(table_[i].id));
        hotKeys_.deleteAtom(static_cast<std::uint16_t>(table_[i].id));
    }
    table_.resize(1);
}

bool cHotKey::ClsAllHotKey() {
    StopHotKeys();
    releaseAll();
    return false;
}

int cHotKey::GetHotKeySetting(int index, int& keyCode, bool& ctrl, bool& alt, bool& shift) const {
    if (index < 0 || index > HotKeysCount()) return -1;
    const Entry& e = table_[index];
    keyCode = e.keyCode;
    ctrl = e.ctrl;
    alt = e.alt;
    shift = e.shift;
    return HotKeysCount();
}

void cHotKey::StartHotKeys(ui::Timer& theTimer) {
    if (HotKeysCount() == 0) return;
    stop_ = false;
    CtlTimer_ = &theTimer;
    std::weak_ptr<bool> alive = alive_;
    ui::Timer* timer = &theTimer;
    theTimer.onTick = [this, alive, timer] {
        if (!alive.expired()) {
            timerTick();
        } else {
            timer->setEnabled(false);  // nothing left to arm
        }
    };
    theTimer.setEnabled(false);
    theTimer.setInterval(kStartInterval);
    theTimer.tag.clear();
    theTimer.setEnabled(true);
}

// The timer only says "now": it is switched off at once and enters the armed state once
// per StartHotKeys (its tag remembers that it did).
void cHotKey::timerTick() {
    ui::Timer& timer = *CtlTimer_;
    timer.setEnabled(false);
    if (timer.tag == kEnteredTag) return;
    timer.tag = kEnteredTag;
    pumping_ = !stop_;
    std::vector<int> waiting;
    waiting.swap(waiting_);
    // A handler may stop or rebuild the hotkeys; what comes after that is not raised.
    for (int id : waiting) {
        if (armed()) raise(id);
    }
}

void cHotKey::StopHotKeys() {
    stop_ = true;
    pumping_ = false;
    waiting_.clear();
    shell_.pumpMessages();
}

void cHotKey::hotKeyMessage(int id) {
    // Started but not armed yet (the program is still starting, or a handler has just
    // set the hotkeys anew): the press waits for the arming tick instead of being lost.
    if (!stop_ && !pumping_) {
        waiting_.push_back(id);
        return;
    }
    if (armed()) raise(id);
}

void cHotKey::raise(int id) {
    for (int i = 1; i < static_cast<int>(table_.size()); ++i) {
        const Entry& e = table_[i];
        if (registeredId(e.id) != id) continue;
        Entry copy = e;  // the handler may rebuild the table
        if (HotKeyPress) HotKeyPress(i, copy.keyCode, copy.ctrl, copy.alt, copy.shift);
        return;
    }
}

}  // namespace hotkeys

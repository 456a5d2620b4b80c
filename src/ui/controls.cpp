#include "ui/controls.h"

#include "core/utf.h"

namespace ui {

void Label::setTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    notify(Change::Style);
}

void Label::setCentered(bool centered) {
    if (centered == centered_) return;
    centered_ = centered;
    notify(Change::Style);
}

void Label::setForeColor(std::int32_t color) {
    if (color == foreColor_) return;
    foreColor_ = color;
    notify(Change::Style);
}

void Label::setClickThrough(bool through) {
    if (through == clickThrough_) return;
    clickThrough_ = through;
    notify(Change::Style);
}

void CheckBox::setValue(int value) {
    if (value == value_) return;
    value_ = value;
    notify(Change::Value);
    Control::raiseClick();
}

void CheckBox::raiseClick() {
    setValue(value_ == 0 ? 1 : 0);
}

void TextBox::setPassword(bool password) {
    if (password == password_) return;
    password_ = password;
    notify(Change::Style);
}

void TextBox::setReadOnly(bool readOnly) {
    if (readOnly == readOnly_) return;
    readOnly_ = readOnly;
    notify(Change::Style);
}

void TextBox::setMaxLength(int length) {
    if (length == maxLength_) return;
    maxLength_ = length;
    notify(Change::Style);
}

void TextBox::userSetText(const std::string& typed) {
    std::u16string units = core::utf8ToUtf16(typed);
    if (maxLength_ > 0 && units.size() > static_cast<size_t>(maxLength_)) {
        units.resize(static_cast<size_t>(maxLength_));
        return Control::userSetText(core::utf16ToUtf8(units));
    }
    Control::userSetText(typed);
}

void TextBox::setMultiLine(bool multiLine) {
    if (multiLine == multiLine_) return;
    multiLine_ = multiLine;
    notify(Change::Style);
}

std::string ListBox::list(int index) const {
    if (index < 0 || index >= listCount()) return {};
    return rows_[index];
}

void ListBox::addItem(const std::string& row) {
    rows_.push_back(row);
    notify(Change::ItemAdded, listCount() - 1);
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= listCount()) return;
    rows_.erase(rows_.begin() + index);
    notify(Change::ItemRemoved, index);
    if (listIndex_ == index) {
        listIndex_ = -1;
    } else if (listIndex_ > index) {
        --listIndex_;
    }
}

void ListBox::setItem(int index, const std::string& row) {
    if (index < 0 || index >= listCount() || rows_[index] == row) return;
    rows_[index] = row;
    notify(Change::ItemChanged, index);
}

void ListBox::clear() {
    rows_.clear();
    listIndex_ = -1;
    notify(Change::ItemsCleared);
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= listCount() || index == listIndex_) return;
    listIndex_ = index;
    notify(Change::ListIndex, index);
    Control::raiseClick();
}

void ListView::clearColumns() {
    columns_.clear();
    notify(Change::Columns);
}

void ListView::addColumn(const std::string& title, int widthTwips) {
    columns_.push_back({title, widthTwips});
    notify(Change::Columns);
}

void ListView::addItem(ListViewItem item, std::string key) {
    items_.push_back(std::move(item));
    keys_.push_back(std::move(key));
    notify(Change::ItemAdded, static_cast<int>(items_.size()) - 1);
}

void ListView::removeItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    items_.erase(items_.begin() + index);
    keys_.erase(keys_.begin() + index);
    notify(Change::ItemRemoved, index);
    if (selected_ == index) {
        selected_ = -1;
    } else if (selected_ > index) {
        --selected_;
    }
}

std::string ListView::key(int index) const {
    if (index < 0 || index >= static_cast<int>(keys_.size())) return {};
    return keys_[index];
}

void ListView::clear() {
    items_.clear();
    keys_.clear();
    selected_ = -1;
    notify(Change::ItemsCleared);
}

void ListView::setSelectedIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()) || index == selected_) return;
    selected_ = index;
    notify(Change::ListIndex, index);
    Control::raiseClick();
}

void TabStrip::addTab(const std::string& caption, const std::string& key) {
    tabs_.push_back({caption, key});
    notify(Change::ItemAdded, static_cast<int>(tabs_.size()) - 1);
    if (selected_ < 0) {
        selected_ = 0;
        notify(Change::ListIndex, 0);
    }
}

std::string TabStrip::selectedKey() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(tabs_.size())) return {};
    return tabs_[selected_].key;
}

void TabStrip::select(int index) {
    if (index < 0 || index >= static_cast<int>(tabs_.size()) || index == selected_) return;
    selected_ = index;
    notify(Change::ListIndex, index);
    Control::raiseClick();
}

void Timer::setInterval(int ms) {
    if (ms < 0) ms = 0;
    if (ms == interval_) return;
    interval_ = ms;
    notify(Change::Timer);
}

void Timer::raiseTick() {
    if (running() && onTick) onTick();
}

}  // namespace ui

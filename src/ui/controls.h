#pragma once
// The kinds of controls the forms use, with the behaviour their events rely on.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class Button : public Control {
  public:
    Button(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::Button, id, std::move(name)) {}
};

// A button that paints its own face; its label is still its text, so screen readers and
// automation can name it.
class PictureButton : public Control {
  public:
    // What the face shows: the label on a tile, or a small drawn symbol for the window's
    // own commands (the label then only names it, and shows as its tool tip).
    enum class Face { Tile, HideGlyph, TrayGlyph, MinimizeGlyph, CloseGlyph };

    PictureButton(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::PictureButton, id, std::move(name)) {}
    Face face() const { return face_; }
    void setFace(Face face) {
        if (face == face_) return;
        face_ = face;
        notify(Change::Style);
    }

  private:
    Face face_ = Face::Tile;
};

class Label : public Control {
  public:
    Label(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::Label, id, std::move(name)) {}
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    bool centered() const { return centered_; }
    void setCentered(bool centered);
    // 0x00BBGGRR; negative means the form's default colour.
    std::int32_t foreColor() const { return foreColor_; }
    void setForeColor(std::int32_t color);
    // The mouse goes through the label to what lies beneath it, so text painted on a
    // form does not cut a hole in the form's own mouse handling.
    bool clickThrough() const { return clickThrough_; }
    void setClickThrough(bool through);

  private:
    bool clickThrough_ = false;
    bool transparent_ = true;
    bool centered_ = false;
    std::int32_t foreColor_ = -1;
};

class Frame : public Control {
  public:
    Frame(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::Frame, id, std::move(name)) {}
};

class CheckBox : public Control {
  public:
    CheckBox(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::CheckBox, id, std::move(name)) {}
    int value() const { return value_; }
    // The click handler runs on every change of value, also one made by the program.
    void setValue(int value);
    // A user's click toggles the value (which runs the click handler once).
    void raiseClick() override;

  private:
    int value_ = 0;
};

class TextBox : public Control {
  public:
    TextBox(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::TextBox, id, std::move(name)) {}
    bool password() const { return password_; }
    void setPassword(bool password);
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool multiLine);
    // Enter goes to the box's key handlers (to confirm what was typed) instead of to the
    // form's keyboard navigation.
    bool takesEnter() const { return takesEnter_; }
    void setTakesEnter(bool takes) { takesEnter_ = takes; }
    // The most characters (UTF-16 units, as the system counts them) the user can type;
    // 0 for no limit. Text set by the program is never cut.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length);
    void userSetText(const std::string& text) override;

  private:
    int maxLength_ = 0;
    bool takesEnter_ = false;
    bool password_ = false;
    bool readOnly_ = false;
    bool multiLine_ = false;
};

// A list of text rows with one selected row; index -1 selects none.
class ListBox : public Control {
  public:
    ListBox(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::ListBox, id, std::move(name)) {}
    const std::vector<std::string>& rows() const { return rows_; }
    int listCount() const { return static_cast<int>(rows_.size()); }
    // An index out of range reads as an empty row.
    std::string list(int index) const;
    void addItem(const std::string& row);
    void removeItem(int index);
    void setItem(int index, const std::string& row);
    void clear();
    int listIndex() const { return listIndex_; }
    // Selecting a row runs the click handler, whoever selects it.
    void setListIndex(int index);

  private:
    std::vector<std::string> rows_;
    int listIndex_ = -1;
};

struct ListViewColumn {
    std::string title;
    int widthTwips = 0;
};

struct ListViewItem {
    std::string text;
    std::vector<std::string> subItems;
};

class ListView : public Control {
  public:
    ListView(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::ListView, id, std::move(name)) {}
    const std::vector<ListViewColumn>& columns() const { return columns_; }
    void clearColumns();
    void addColumn(const std::string& title, int widthTwips);
    const std::vector<ListViewItem>& items() const { return items_; }
    // key names the row for the logic; no view shows it.
    void addItem(ListViewItem item, std::string key = {});
    // The key the row was added with; empty for an index out of range.
    std::string key(int index) const;
    void removeItem(int index);
    void clear();
    int selectedIndex() const { return selected_; }
    void setSelectedIndex(int index);

  private:
    std::vector<ListViewColumn> columns_;
    std::vector<ListViewItem> items_;
    std::vector<std::string> keys_;
    int selected_ = -1;
};

struct Tab {
    std::string caption;
    std::string key;
};

class TabStrip : public Control {
  public:
    TabStrip(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::TabStrip, id, std::move(name)) {}
    const std::vector<Tab>& tabs() const { return tabs_; }
    void addTab(const std::string& caption, const std::string& key);
    int selectedIndex() const { return selected_; }
    // The key of the selected tab, empty when none is.
    std::string selectedKey() const;
    // Selecting another tab runs the click handler.
    void select(int index);

  private:
    std::vector<Tab> tabs_;
    int selected_ = -1;
};

// A web page shown inside the form. The view shows the page at the address last asked
// for; where the system has no browser engine it shows a notice instead.
class WebBrowser : public Control {
  public:
    WebBrowser(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::WebBrowser, id, std::move(name)) {}
    const std::string& locationURL() const { return url_; }
    // Asking again for the same address loads it again (the page may have changed).
    void navigate(const std::string& url) {
        url_ = url;
        notify(Change::Value);
    }

  private:
    std::string url_;
};

// Ticks every interval milliseconds while enabled and the interval is non-zero.
class Timer : public Control {
  public:
    Timer(Control* parent, int id, std::string name)
        : Control(parent, ControlKind::Timer, id, std::move(name)) {}
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool running() const { return enabled() && interval_ > 0; }
    std::function<void()> onTick;
    void raiseTick();

  private:
    int interval_ = 0;
};

}  // namespace ui

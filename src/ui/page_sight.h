#pragma once
// Whether the user can see a page: the page and everything around it shown, on a form
// that is not minimised. Pages that mirror the system do their work only while seen.
#include <functional>

#include "ui/control.h"

namespace ui {

class PageSight {
  public:
    // onChange runs each time the page comes into sight or goes out of it.
    PageSight(Control& page, std::function<void(bool seen)> onChange);
    ~PageSight();
    PageSight(const PageSight&) = delete;
    PageSight& operator=(const PageSight&) = delete;

    bool seen() const { return seen_; }

  private:
    bool looksSeen() const;
    void check();

    Control& page_;
    std::function<void(bool)> onChange_;
    int token_ = 0;
    bool seen_ = false;
};

}  // namespace ui

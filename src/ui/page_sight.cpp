#include "ui/page_sight.h"

#include "ui/form.h"

namespace ui {

PageSight::PageSight(Control& page, std::function<void(bool)> onChange)
    : page_(page), onChange_(std::move(onChange)) {
    if (page_.form()) token_ = page_.form()->addSightListener([this] { check(); });
    seen_ = looksSeen();
}

PageSight::~PageSight() {
    if (page_.form()) page_.form()->removeSightListener(token_);
}

bool PageSight::looksSeen() const {
    const Form* form = page_.form();
    return form && page_.shownOnScreen() && form->windowState() != WindowState::Minimized;
}

void PageSight::check() {
    const bool now = looksSeen();
    if (now == seen_) return;
    seen_ = now;
    if (onChange_) onChange_(now);
}

}  // namespace ui

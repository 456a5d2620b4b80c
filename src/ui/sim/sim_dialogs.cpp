#include "ui/sim/sim_dialogs.h"

namespace ui::sim {
namespace {

// The answer of the button that has the focus when the box opens.
int defaultAnswer(int style) {
    bool second = (style & 0xF00) == mb::kDefaultButton2;
    switch (style & 0xF) {
        case mb::kOkCancel:
            return second ? mb::kAnswerCancel : mb::kAnswerOk;
        case mb::kYesNo:
            return second ? mb::kAnswerNo : mb::kAnswerYes;
        default:
            return mb::kAnswerOk;
    }
}

}  // namespace

int SimDialogs::messageBox(const std::string& text, const std::string& title, int style) {
    messages_.push_back({text, title, style});
    if (messageAnswers_.empty()) return defaultAnswer(style);
    int answer = messageAnswers_.front();
    messageAnswers_.pop_front();
    return answer;
}

std::string SimDialogs::inputBox(const std::string& prompt, const std::string& title,
                                 const std::string&) {
    inputs_.push_back({prompt, title, 0});
    if (inputAnswers_.empty()) return {};
    std::string answer = std::move(inputAnswers_.front());
    inputAnswers_.pop_front();
    return answer;
}

std::string SimDialogs::openFile(const std::string&, const std::string&) {
    if (fileAnswers_.empty()) return {};
    std::string answer = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    return answer;
}

}  // namespace ui::sim

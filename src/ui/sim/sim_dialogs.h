#pragma once
// Dialogs that record what they show and answer from a script, so tests can assert
// exact texts, titles and styles and choose the user's answer.
#include <deque>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace ui::sim {

struct ShownMessage {
    std::string text;
    std::string title;
    int style = 0;
};

class SimDialogs : public Dialogs {
  public:
    int messageBox(const std::string& text, const std::string& title, int style) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string openFile(const std::string& title, const std::string& filter) override;

    // Answers are used in order; with none queued a message box is answered with its
    // default button and the other dialogs are cancelled.
    void answerMessage(int answer) { messageAnswers_.push_back(answer); }
    void answerInput(std::string text) { inputAnswers_.push_back(std::move(text)); }
    void answerOpenFile(std::string path) { fileAnswers_.push_back(std::move(path)); }

    const std::vector<ShownMessage>& messages() const { return messages_; }
    const std::vector<ShownMessage>& inputs() const { return inputs_; }
    void clear() {
        messages_.clear();
        inputs_.clear();
    }

  private:
    std::deque<int> messageAnswers_;
    std::deque<std::string> inputAnswers_;
    std::deque<std::string> fileAnswers_;
    std::vector<ShownMessage> messages_;
    std::vector<ShownMessage> inputs_;
};

}  // namespace ui::sim

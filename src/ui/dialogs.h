#pragma once
// The standard dialogs: message box, input box, open-file.
#include <string>

namespace ui {

// Message-box styles and answers, with their Win32 values.
namespace mb {
constexpr int kOk = 0;
constexpr int kOkCancel = 1;
constexpr int kYesNo = 4;
constexpr int kIconQuestion = 32;
constexpr int kIconExclamation = 48;
constexpr int kIconInformation = 64;
constexpr int kDefaultButton2 = 256;
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;
}  // namespace mb

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Modal; returns the answer (mb::kAnswer*).
    virtual int messageBox(const std::string& text, const std::string& title, int style) = 0;
    // Modal; returns the text typed, or an empty text when the user cancels.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // Returns the chosen file's full path, or an empty text when the user cancels.
    // filter is in the classic "Description|*.ext|..." form.
    virtual std::string openFile(const std::string& title, const std::string& filter) = 0;
};

}  // namespace ui

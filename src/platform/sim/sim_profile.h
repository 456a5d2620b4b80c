#pragma once
// Profile strings on the simulated file system, with the system call's results.
#include "platform/files.h"
#include "platform/profile.h"

namespace platform::sim {

class SimProfile : public Profile {
  public:
    explicit SimProfile(Files& files) : files_(files) {}
    int read(const std::string& file, const std::string& section, const std::string& key,
             const std::string& defaultValue, std::string& out, int bufferChars) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
    std::vector<std::string> keyNames(const std::string& file, const std::string& section) override;
    bool removeKey(const std::string& file, const std::string& section,
                   const std::string& key) override;
    bool keepsText(const std::string& file, const std::string& text) override;

    // The system's ANSI code page, in which the file is kept: a Chinese one (ASCII, the
    // common Chinese characters and punctuation) or a Western one (Latin-1). A character
    // the code page lacks is written as '?'.
    enum class CodePage { Chinese, Western };
    CodePage codePage = CodePage::Chinese;

  private:
    bool inCodePage(char16_t c) const;
    std::string throughCodePage(const std::string& text) const;
    Files& files_;
};

}  // namespace platform::sim

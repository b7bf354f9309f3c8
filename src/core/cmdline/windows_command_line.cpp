#include "cmdline/windows_command_line.h"

namespace sqp {

namespace {

bool IsSeparator(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

class LineReader {
 public:
  LineReader(std::string_view line, LeadByteTest is_lead_byte)
      : line_(line.substr(0, line.find('\0'))), is_lead_byte_(is_lead_byte) {}

  bool AtEnd() const { return pos_ >= line_.size(); }
  char Peek(std::size_t ahead = 0) const {
    return pos_ + ahead < line_.size() ? line_[pos_ + ahead] : '\0';
  }
  void Skip(std::size_t count) { pos_ += count; }

  // Appends the character at the reader to `word` and steps over it.
  void TakeChar(std::string& word) {
    std::size_t length = 1;
    if (is_lead_byte_(static_cast<unsigned char>(Peek())) && pos_ + 1 < line_.size()) length = 2;
    word.append(line_.substr(pos_, length));
    pos_ += length;
  }

  std::string ReadWord() {
    for (;;) {
      while (!AtEnd() && IsSeparator(Peek())) Skip(1);
      if (Peek() == '"' && Peek(1) == '"') {
        Skip(2);
      } else {
        break;
      }
    }
    std::string word;
    while (!AtEnd() && !IsSeparator(Peek())) {
      if (Peek() == '"') {
        Skip(1);
        while (!AtEnd() && Peek() != '"') TakeChar(word);
        if (!AtEnd()) Skip(1);
      } else {
        TakeChar(word);
      }
    }
    return word;
  }

 private:
  std::string_view line_;
  LeadByteTest is_lead_byte_;
  std::size_t pos_ = 0;
};

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view line, LeadByteTest is_lead_byte) {
  LineReader reader(line, is_lead_byte);
  std::vector<std::string> words;
  for (;;) {
    words.push_back(reader.ReadWord());
    if (words.back().empty() || reader.AtEnd()) break;
  }
  // Trailing separators leave nothing to read: that word is not a word.
  if (words.size() > 1 && words.back().empty()) words.pop_back();
  return words;
}

std::vector<std::string> ArgumentsFromWords(const std::vector<std::string>& words) {
  std::vector<std::string> arguments;
  for (std::size_t i = 1; i < words.size() && !words[i].empty(); ++i) arguments.push_back(words[i]);
  return arguments;
}

std::vector<std::string> ArgumentsFromArgv(int argc, const char* const* argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc && argv[i] != nullptr && argv[i][0] != '\0'; ++i) {
    arguments.emplace_back(argv[i]);
  }
  return arguments;
}

}  // namespace sqp

#include "platform/office/host/officectl/expression.h"

#include <cctype>
#include <charconv>
#include <limits>
#include <stdexcept>

#include "platform/automation/member_table.h"

namespace officectl {
namespace {

using automation::Variant;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Expression Parse() {
    Expression e;
    e.application = Identifier();
    while (Skip('.')) {
      Step step{Identifier(), {}, false};
      if (Skip('(')) {
        step.parenthesised = true;
        step.args = Arguments();
      }
      e.steps.push_back(std::move(step));
    }
    if (Skip('=')) e.assigned = Literal();
    SkipBlanks();
    if (at_ != text_.size()) Fail("unexpected text");
    return e;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::invalid_argument(what + " at position " + std::to_string(at_ + 1));
  }
  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }
  bool Skip(char c) {
    SkipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  static bool NameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

  std::string Identifier() {
    SkipBlanks();
    const std::size_t start = at_;
    if (at_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[at_])))
      while (at_ < text_.size() && NameChar(text_[at_])) ++at_;
    if (at_ == start) Fail("name expected");
    return std::string(text_.substr(start, at_ - start));
  }

  automation::Arguments Arguments() {
    automation::Arguments args;
    if (Skip(')')) return args;
    do {
      SkipBlanks();
      std::string name;
      const std::size_t start = at_;
      if (at_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[at_]))) {
        const std::string word = Identifier();
        if (Skip(':')) {
          if (!Skip('=')) Fail("':=' expected");
          name = word;
        } else {
          at_ = start;  // True or False
        }
      }
      args.push_back({std::move(name), Literal()});
    } while (Skip(','));
    if (!Skip(')')) Fail("')' expected");
    return args;
  }

  Variant Literal() {
    SkipBlanks();
    if (at_ >= text_.size()) Fail("value expected");
    if (text_[at_] == '"') return Text();
    if (std::isalpha(static_cast<unsigned char>(text_[at_]))) {
      const std::string word = automation::FoldCase(Identifier());
      if (word == "true") return true;
      if (word == "false") return false;
      Fail("value expected");
    }
    return Number();
  }

  Variant Text() {
    std::string out;
    for (++at_; at_ < text_.size(); ++at_) {
      char c = text_[at_];
      if (c == '"') {
        ++at_;
        return out;
      }
      if (c == '\\') {
        if (++at_ == text_.size()) break;
        switch (text_[at_]) {
          case '"': c = '"'; break;
          case '\\': c = '\\'; break;
          case 'n': c = '\n'; break;
          case 'r': c = '\r'; break;
          case 't': c = '\t'; break;
          default: Fail("unknown escape");
        }
      }
      out += c;
    }
    Fail("unterminated text");
  }

  // Typed as the language types a literal: the smallest integer that holds it, else a double.
  Variant Number() {
    const std::size_t start = at_;
    if (text_[at_] == '-' || text_[at_] == '+') ++at_;
    bool integral = true;
    while (at_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.' ||
                                  text_[at_] == 'e' || text_[at_] == 'E' ||
                                  ((text_[at_] == '-' || text_[at_] == '+') && (text_[at_ - 1] == 'e' || text_[at_ - 1] == 'E')))) {
      if (!std::isdigit(static_cast<unsigned char>(text_[at_]))) integral = false;
      ++at_;
    }
    std::string number(text_.substr(start, at_ - start));
    if (!number.empty() && number[0] == '+') number.erase(0, 1);
    const char* first = number.data();
    const char* last = first + number.size();
    if (integral) {
      long long n = 0;
      const auto [end, error] = std::from_chars(first, last, n);
      if (error == std::errc() && end == last) {
        if (n >= std::numeric_limits<std::int16_t>::min() && n <= std::numeric_limits<std::int16_t>::max())
          return static_cast<std::int16_t>(n);
        if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max())
          return static_cast<std::int32_t>(n);
      }
    }
    double d = 0;
    const auto [end, error] = std::from_chars(first, last, d);
    if (number.empty() || error != std::errc() || end != last) {
      at_ = start;
      Fail("value expected");
    }
    return d;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

Expression ParseExpression(std::string_view text) { return Parser(text).Parse(); }

}  // namespace officectl

#include "platform/office/excel/formula_lexer.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <optional>

#include "platform/office/excel/cell_address.h"

namespace excel {
namespace {

bool IsWordChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || c == '.' || u >= 0x80;
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

LexToken Of(LexToken::Kind kind) {
  LexToken t;
  t.kind = kind;
  return t;
}

struct RefMatch {
  WrittenPoint first, last;
  bool isRange = false;
  std::size_t end = 0;
};

class Lexer {
 public:
  Lexer(std::string_view s, Notation n) : s_(s), notation_(n) {}

  std::vector<LexToken> Run() {
    std::vector<LexToken> out;
    for (;;) {
      while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n')) ++i_;
      if (i_ >= s_.size()) break;
      out.push_back(Next());
    }
    out.push_back({});
    return out;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw FormulaSyntaxError(what + " at position " + std::to_string(i_ + 1));
  }

  LexToken Next() {
    const char c = s_[i_];
    if (c == '"') return TextLiteral();
    if (c == '#') return ErrorLiteral();
    if (c == '\'') return QuotedSheetReference();
    if (IsDigit(c) || (c == '.' && i_ + 1 < s_.size() && IsDigit(s_[i_ + 1]))) {
      if (auto ref = MatchReference(i_); ref && ref->isRange) return Take(*ref, {}, false);
      return NumberLiteral();
    }
    if (c == '$' || IsWordChar(c)) return Word();
    return Punctuation();
  }

  LexToken Punctuation() {
    LexToken t;
    const char c = s_[i_++];
    switch (c) {
      case '(': t.kind = LexToken::Kind::Open; return t;
      case ')': t.kind = LexToken::Kind::Close; return t;
      case ',': t.kind = LexToken::Kind::Comma; return t;
      case '+': case '-': case '*': case '/': case '^': case '&': case '=':
        t.kind = LexToken::Kind::Operator;
        t.text = std::string(1, c);
        return t;
      case '<': case '>':
        t.kind = LexToken::Kind::Operator;
        t.text = std::string(1, c);
        if (i_ < s_.size() && (s_[i_] == '=' || (c == '<' && s_[i_] == '>'))) t.text += s_[i_++];
        return t;
      default: --i_; Fail(std::string("unexpected character '") + c + "'");
    }
  }

  LexToken TextLiteral() {
    LexToken t = Of(LexToken::Kind::Text);
    for (++i_;; ++i_) {
      if (i_ >= s_.size()) Fail("unterminated text");
      if (s_[i_] == '"') {
        if (i_ + 1 < s_.size() && s_[i_ + 1] == '"') {
          t.text += '"';
          ++i_;
          continue;
        }
        ++i_;
        return t;
      }
      t.text += s_[i_];
    }
  }

  LexToken ErrorLiteral() {
    static constexpr std::array<std::string_view, 7> kTexts = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"};
    for (std::string_view e : kTexts) {
      if (s_.size() - i_ < e.size()) continue;
      bool same = true;
      for (std::size_t k = 0; k < e.size(); ++k)
        same = same && std::toupper(static_cast<unsigned char>(s_[i_ + k])) == e[k];
      if (!same) continue;
      i_ += e.size();
      LexToken t = Of(LexToken::Kind::Error);
      t.error = *ErrorFromText(e);
      return t;
    }
    Fail("unknown error value");
  }

  LexToken NumberLiteral() {
    const std::size_t start = i_;
    while (i_ < s_.size() && IsDigit(s_[i_])) ++i_;
    if (i_ < s_.size() && s_[i_] == '.') {
      ++i_;
      while (i_ < s_.size() && IsDigit(s_[i_])) ++i_;
    }
    if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
      std::size_t j = i_ + 1;
      if (j < s_.size() && (s_[j] == '+' || s_[j] == '-')) ++j;
      if (j < s_.size() && IsDigit(s_[j])) {
        i_ = j;
        while (i_ < s_.size() && IsDigit(s_[i_])) ++i_;
      }
    }
    if (i_ < s_.size() && IsWordChar(s_[i_])) Fail("malformed number");
    LexToken t = Of(LexToken::Kind::Number);
    t.number = std::strtod(std::string(s_.substr(start, i_ - start)).c_str(), nullptr);
    return t;
  }

  LexToken QuotedSheetReference() {
    std::string sheet;
    for (++i_;; ++i_) {
      if (i_ >= s_.size()) Fail("unterminated sheet name");
      if (s_[i_] == '\'') {
        if (i_ + 1 < s_.size() && s_[i_ + 1] == '\'') {
          sheet += '\'';
          ++i_;
          continue;
        }
        ++i_;
        break;
      }
      sheet += s_[i_];
    }
    if (i_ >= s_.size() || s_[i_] != '!') Fail("a quoted sheet name must be followed by '!'");
    ++i_;
    return SheetReference(sheet);
  }

  LexToken SheetReference(const std::string& sheet) {
    if (sheet.empty()) Fail("empty sheet name");
    if (i_ < s_.size() && s_[i_] == '#') {
      LexToken t = ErrorLiteral();  // Sheet!#REF! is the reference that lost its cells
      return t;
    }
    const auto ref = MatchReference(i_);
    if (!ref) Fail("a reference must follow '" + sheet + "!'");
    return Take(*ref, sheet, true);
  }

  LexToken Word() {
    if (notation_ == Notation::R1C1)
      if (auto ref = MatchReference(i_)) return Take(*ref, {}, false);
    const std::size_t start = i_;
    while (i_ < s_.size() && (IsWordChar(s_[i_]) || s_[i_] == '$')) ++i_;
    const std::string word(s_.substr(start, i_ - start));
    if (i_ < s_.size() && s_[i_] == '!') {
      ++i_;
      return SheetReference(word);
    }
    if (i_ < s_.size() && s_[i_] == '(') {
      LexToken t = Of(LexToken::Kind::Function);
      for (char c : word) t.text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      return t;
    }
    if (notation_ == Notation::A1)
      if (auto ref = MatchReference(start)) return Take(*ref, {}, false);
    std::string upper;
    for (char c : word) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (word.find('$') != std::string::npos) Fail("malformed reference '" + word + "'");
    LexToken t = Of(upper == "TRUE" || upper == "FALSE" ? LexToken::Kind::Boolean : LexToken::Kind::Name);
    t.text = upper;
    t.number = upper == "TRUE" ? 1 : 0;
    return t;
  }

  LexToken Take(const RefMatch& ref, const std::string& sheet, bool hasSheet) {
    i_ = ref.end;
    LexToken t = Of(LexToken::Kind::Reference);
    t.text = sheet;
    t.hasSheet = hasSheet;
    t.first = ref.first;
    t.last = ref.last;
    t.isRange = ref.isRange;
    return t;
  }

  // A reference starting at j: one point or two joined by ':', of matching kinds.
  std::optional<RefMatch> MatchReference(std::size_t j) const {
    RefMatch m;
    auto first = notation_ == Notation::A1 ? PointA1(j) : PointR1C1(j);
    if (!first) return std::nullopt;
    m.first = m.last = first->first;
    m.end = first->second;
    if (m.end < s_.size() && s_[m.end] == ':') {
      auto second = notation_ == Notation::A1 ? PointA1(m.end + 1) : PointR1C1(m.end + 1);
      if (!second || second->first.hasRow != m.first.hasRow || second->first.hasColumn != m.first.hasColumn)
        return std::nullopt;
      m.last = second->first;
      m.end = second->second;
      m.isRange = true;
    } else if (!m.first.hasRow || !m.first.hasColumn) {
      if (notation_ == Notation::A1) return std::nullopt;  // "A" or "38" alone is no A1 reference
    }
    if (m.end < s_.size() && (IsWordChar(s_[m.end]) || s_[m.end] == '(' || s_[m.end] == '!' || s_[m.end] == '$'))
      return std::nullopt;
    return m;
  }

  std::optional<std::pair<WrittenPoint, std::size_t>> PointA1(std::size_t j) const {
    WrittenPoint p;
    bool dollarBeforeLetters = false;
    if (j < s_.size() && s_[j] == '$') {
      dollarBeforeLetters = true;
      ++j;
    }
    const std::size_t lettersStart = j;
    while (j < s_.size() && std::isalpha(static_cast<unsigned char>(s_[j]))) ++j;
    if (j > lettersStart) {
      const auto column = ColumnNumber(s_.substr(lettersStart, j - lettersStart));
      if (!column) return std::nullopt;
      p.hasColumn = true;
      p.column = *column;
      p.columnAbsolute = dollarBeforeLetters;
      if (j < s_.size() && s_[j] == '$') {
        p.rowAbsolute = true;
        ++j;
      }
    } else {
      p.rowAbsolute = dollarBeforeLetters;
    }
    const std::size_t digitsStart = j;
    long long row = 0;
    while (j < s_.size() && IsDigit(s_[j])) {
      row = row * 10 + (s_[j] - '0');
      if (row > kMaxRows) return std::nullopt;
      ++j;
    }
    if (j > digitsStart) {
      if (row < 1) return std::nullopt;
      p.hasRow = true;
      p.row = static_cast<int>(row);
    } else if (p.rowAbsolute && p.hasColumn) {
      return std::nullopt;
    }
    if (!p.hasRow && !p.hasColumn) return std::nullopt;
    return std::pair{p, j};
  }

  // R, R5, R[-2], C, C3, C[2] and their combinations.
  std::optional<std::pair<WrittenPoint, std::size_t>> PointR1C1(std::size_t j) const {
    WrittenPoint p;
    const auto part = [&](char letter, bool& has, int& value, bool& absolute) -> bool {
      if (j >= s_.size() || std::toupper(static_cast<unsigned char>(s_[j])) != letter) return true;
      has = true;
      ++j;
      if (j < s_.size() && s_[j] == '[') {
        std::size_t k = j + 1;
        bool negative = false;
        if (k < s_.size() && (s_[k] == '-' || s_[k] == '+')) negative = s_[k++] == '-';
        const std::size_t digits = k;
        long long v = 0;
        while (k < s_.size() && IsDigit(s_[k]) && v <= kMaxRows) v = v * 10 + (s_[k++] - '0');
        if (k == digits || k >= s_.size() || s_[k] != ']' || v > kMaxRows) return false;
        value = static_cast<int>(negative ? -v : v);
        j = k + 1;
        return true;
      }
      long long v = 0;
      const std::size_t digits = j;
      while (j < s_.size() && IsDigit(s_[j]) && v <= kMaxRows) v = v * 10 + (s_[j++] - '0');
      if (j > digits) {
        if (v < 1 || v > (letter == 'R' ? kMaxRows : kMaxColumns)) return false;
        absolute = true;
        value = static_cast<int>(v);
      }
      return true;
    };
    if (!part('R', p.hasRow, p.row, p.rowAbsolute)) return std::nullopt;
    if (!part('C', p.hasColumn, p.column, p.columnAbsolute)) return std::nullopt;
    if (!p.hasRow && !p.hasColumn) return std::nullopt;
    return std::pair{p, j};
  }

  std::string_view s_;
  Notation notation_;
  std::size_t i_ = 0;
};

}  // namespace

std::vector<LexToken> LexFormula(std::string_view body, Notation notation) { return Lexer(body, notation).Run(); }

}  // namespace excel

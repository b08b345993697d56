#include "platform/office/excel/formula_text.h"

#include <array>
#include <cctype>
#include <utility>
#include <vector>

#include "platform/office/excel/cell_address.h"
#include "platform/runtime/number_text.h"

namespace excel {
namespace {

constexpr std::array<std::pair<CellError, std::string_view>, 7> kErrorTexts = {{
    {CellError::Null, "#NULL!"}, {CellError::Div0, "#DIV/0!"}, {CellError::Value, "#VALUE!"}, {CellError::Ref, "#REF!"},
    {CellError::Name, "#NAME?"}, {CellError::Num, "#NUM!"}, {CellError::NA, "#N/A"}}};

// Sheet names of letters, digits and other scripts stand bare; others are quoted.
std::string SheetPrefix(const std::string& name) {
  bool bare = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0]));
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    bare = bare && (std::isalnum(u) || c == '_' || u >= 0x80);
  }
  if (bare) return name + "!";
  std::string quoted = "'";
  for (char c : name) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'!";
}

std::string PointA1(const RefPoint& p, Reference::Span span) {
  std::string out;
  if (span != Reference::Span::Rows) out += (p.columnAbsolute ? "$" : "") + ColumnLetters(p.column);
  if (span != Reference::Span::Columns) out += (p.rowAbsolute ? "$" : "") + std::to_string(p.row);
  return out;
}

std::string PartR1C1(char letter, int value, bool absolute, int origin) {
  if (absolute) return letter + std::to_string(value);
  if (value == origin) return std::string(1, letter);
  return letter + ("[" + std::to_string(value - origin) + "]");
}

std::string PointR1C1(const RefPoint& p, Reference::Span span, const CellPosition& at) {
  std::string out;
  if (span != Reference::Span::Columns) out += PartR1C1('R', p.row, p.rowAbsolute, at.row);
  if (span != Reference::Span::Rows) out += PartR1C1('C', p.column, p.columnAbsolute, at.column);
  return out;
}

std::string ReferenceText(const Reference& r, Notation notation, const CellPosition& at, const SheetName& sheetName) {
  std::string out = r.sheet == kOwnSheet ? "" : SheetPrefix(sheetName(r.sheet));
  const auto point = [&](const RefPoint& p) {
    return notation == Notation::A1 ? PointA1(p, r.span) : PointR1C1(p, r.span, at);
  };
  out += point(r.first);
  if (r.isRange) out += ":" + point(r.last);
  return out;
}

std::string TextLiteral(const std::string& text) {
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

}  // namespace

std::string_view ErrorText(CellError error) {
  for (const auto& [e, text] : kErrorTexts)
    if (e == error) return text;
  return "#VALUE!";
}

std::optional<CellError> ErrorFromText(std::string_view text) {
  for (const auto& [e, t] : kErrorTexts)
    if (t == text) return e;
  return std::nullopt;
}

std::string FormulaText(const Formula& formula, Notation notation, const CellPosition& at, const SheetName& sheetName) {
  std::vector<std::string> stack;
  const auto pop = [&] {
    std::string s = std::move(stack.back());
    stack.pop_back();
    return s;
  };
  for (const Token& t : formula.tokens) {
    switch (t.type) {
      case Token::Type::Number: stack.push_back(runtime::NumberText(t.number)); break;
      case Token::Type::Text: stack.push_back(TextLiteral(t.text)); break;
      case Token::Type::Boolean: stack.push_back(t.number != 0 ? "TRUE" : "FALSE"); break;
      case Token::Type::Error: stack.emplace_back(ErrorText(t.error)); break;
      case Token::Type::Reference: stack.push_back(ReferenceText(t.ref, notation, at, sheetName)); break;
      case Token::Type::Name: stack.push_back(t.text); break;
      case Token::Type::Missing: stack.emplace_back(); break;
      case Token::Type::Unary: stack.back() = t.text + stack.back(); break;
      case Token::Type::Paren: stack.back() = "(" + stack.back() + ")"; break;
      case Token::Type::Binary: {
        std::string right = pop();
        stack.back() += t.text + right;
        break;
      }
      case Token::Type::Function: {
        std::vector<std::string> args(static_cast<std::size_t>(t.argumentCount));
        for (auto it = args.rbegin(); it != args.rend(); ++it) *it = pop();
        std::string call = t.text + "(";
        for (std::size_t i = 0; i < args.size(); ++i) call += (i ? "," : "") + args[i];
        stack.push_back(call + ")");
        break;
      }
    }
  }
  return "=" + (stack.empty() ? std::string() : stack.back());
}

}  // namespace excel

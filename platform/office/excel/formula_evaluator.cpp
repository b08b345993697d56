#include "platform/office/excel/formula_evaluator.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "platform/office/excel/cell_text.h"
#include "platform/office/excel/worksheet_functions.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/numeric_reading.h"

namespace excel {
namespace {

using Kind = Variant::Kind;

std::variant<std::string, CellError> TextOf(const Variant& v) {
  switch (v.kind()) {
    case Kind::Empty: return std::string();
    case Kind::Boolean: return std::string(std::get<bool>(v.value()) ? "TRUE" : "FALSE");
    case Kind::Double: return runtime::NumberText(std::get<double>(v.value()));
    case Kind::Text: return std::get<std::string>(v.value());
    case Kind::Error: return *ErrorOf(v);
    default: return CellError::Value;
  }
}

// Excel orders numbers before texts before truth values; texts compare without case.
int Compare(const Variant& a, const Variant& b) {
  const auto rank = [](const Variant& v) { return v.kind() == Kind::Text ? 1 : v.kind() == Kind::Boolean ? 2 : 0; };
  const auto emptyLike = [](const Variant& v, const Variant& other) {
    if (!v.isEmpty()) return v;
    if (other.kind() == Kind::Text) return Variant(std::string());
    if (other.kind() == Kind::Boolean) return Variant(false);
    return Variant(0.0);
  };
  const Variant x = emptyLike(a, b), y = emptyLike(b, a);
  if (rank(x) != rank(y)) return rank(x) < rank(y) ? -1 : 1;
  if (rank(x) == 1) {
    std::string s = std::get<std::string>(x.value()), t = std::get<std::string>(y.value());
    for (auto* str : {&s, &t})
      for (char& c : *str) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s < t ? -1 : s > t ? 1 : 0;
  }
  const double p = rank(x) == 2 ? std::get<bool>(x.value()) : x.toDouble();
  const double q = rank(y) == 2 ? std::get<bool>(y.value()) : y.toDouble();
  return p < q ? -1 : p > q ? 1 : 0;
}

Variant Binary(const std::string& op, const Variant& a, const Variant& b) {
  if (auto e = ErrorOf(a)) return ErrorVariant(*e);
  if (auto e = ErrorOf(b)) return ErrorVariant(*e);
  const char c = op[0];
  const char c2 = op.size() > 1 ? op[1] : '\0';
  if (c == '&') {
    const auto s = TextOf(a), t = TextOf(b);
    if (auto* e = std::get_if<CellError>(&s)) return ErrorVariant(*e);
    if (auto* e = std::get_if<CellError>(&t)) return ErrorVariant(*e);
    // Excel's limit, which also keeps a chain of cells that double a text from exhausting memory.
    if (TextLength(std::get<std::string>(s)) + TextLength(std::get<std::string>(t)) > kMaxCellText)
      return ErrorVariant(CellError::Value);
    return Variant(std::get<std::string>(s) + std::get<std::string>(t));
  }
  if (c == '=' || c == '<' || c == '>') {
    const int order = Compare(a, b);
    if (c == '=') return Variant(order == 0);
    if (c2 == '>') return Variant(order != 0);
    if (c2 == '=') return Variant(c == '<' ? order <= 0 : order >= 0);
    return Variant(c == '<' ? order < 0 : order > 0);
  }
  const auto x = NumberOf(a), y = NumberOf(b);
  if (auto* e = std::get_if<CellError>(&x)) return ErrorVariant(*e);
  if (auto* e = std::get_if<CellError>(&y)) return ErrorVariant(*e);
  const double p = std::get<double>(x), q = std::get<double>(y);
  switch (c) {
    case '+': return NumberResult(p + q);
    case '-': return NumberResult(p - q);
    case '*': return NumberResult(p * q);
    case '/': return q == 0 ? ErrorVariant(CellError::Div0) : NumberResult(p / q);
    default: return p == 0 && q == 0 ? ErrorVariant(CellError::Num) : NumberResult(std::pow(p, q));
  }
}

}  // namespace

Variant ErrorVariant(CellError error) { return Variant(automation::ErrorValue{static_cast<std::int32_t>(error)}); }

std::optional<CellError> ErrorOf(const Variant& v) {
  if (!v.isError()) return std::nullopt;
  return static_cast<CellError>(std::get<automation::ErrorValue>(v.value()).code);
}

Area AreaOf(const Reference& r) {
  const Area a{std::min(r.first.row, r.last.row), std::min(r.first.column, r.last.column),
               std::max(r.first.row, r.last.row), std::max(r.first.column, r.last.column)};
  if (r.span == Reference::Span::Rows) return RowsArea(a.top, a.bottom);
  if (r.span == Reference::Span::Columns) return ColumnsArea(a.left, a.right);
  return a;
}

Reference AbsoluteReference(SheetId sheet, const Area& area) {
  Reference r;
  r.sheet = sheet;
  r.isRange = true;
  r.first = {area.top, area.left, true, true};
  r.last = {area.bottom, area.right, true, true};
  r.span = area.entireRows() ? Reference::Span::Rows : area.entireColumns() ? Reference::Span::Columns : Reference::Span::Cells;
  return r;
}

std::variant<double, CellError> NumberOf(const Variant& v) {
  switch (v.kind()) {
    case Kind::Empty: return 0.0;
    case Kind::Boolean: return std::get<bool>(v.value()) ? 1.0 : 0.0;
    case Kind::Double: return std::get<double>(v.value());
    case Kind::Date: return std::get<automation::Date>(v.value()).serial;
    case Kind::Text: {
      const auto number = runtime::WholeDecimalNumber(std::get<std::string>(v.value()));
      if (!number) return CellError::Value;
      return *number;
    }
    case Kind::Error: return *ErrorOf(v);
    default: return CellError::Value;
  }
}

Variant NumberResult(double v) { return std::isfinite(v) ? Variant(v) : ErrorVariant(CellError::Num); }

Variant FormulaContext::Scalar(const Operand& o) {
  if (!o.ref) return o.value;
  const Area a = AreaOf(*o.ref);
  if (a.rows() != 1 || a.columns() != 1) return ErrorVariant(CellError::Value);
  return cells_.Value(SheetOf(*o.ref), a.top, a.left);
}

void FormulaContext::ForEachValue(const Reference& r, const std::function<void(const Variant&)>& visit) {
  cells_.ForEachValue(SheetOf(r), AreaOf(r), visit);
}

Variant Evaluate(const Formula& formula, const CellPosition& at, CellSource& cells) {
  FormulaContext context(cells, at);
  std::vector<Operand> stack;
  stack.reserve(formula.tokens.size());
  for (const Token& t : formula.tokens) {
    switch (t.type) {
      case Token::Type::Number: stack.push_back({Variant(t.number)}); break;
      case Token::Type::Text: stack.push_back({Variant(t.text)}); break;
      case Token::Type::Boolean: stack.push_back({Variant(t.number != 0)}); break;
      case Token::Type::Error: stack.push_back({ErrorVariant(t.error)}); break;
      case Token::Type::Name: stack.push_back({ErrorVariant(CellError::Name)}); break;
      case Token::Type::Missing: stack.push_back({Variant()}); break;
      case Token::Type::Reference: stack.push_back({Variant(), &t.ref}); break;
      case Token::Type::Paren: break;
      case Token::Type::Unary: {
        const Variant v = context.Scalar(stack.back());
        stack.back() = {Binary(t.text, Variant(0.0), v)};
        break;
      }
      case Token::Type::Binary: {
        const Variant b = context.Scalar(stack.back());
        stack.pop_back();
        stack.back() = {Binary(t.text, context.Scalar(stack.back()), b)};
        break;
      }
      case Token::Type::Function: {
        const auto n = static_cast<std::size_t>(t.argumentCount);
        const WorksheetFunction f = FindWorksheetFunction(t.text);
        const Variant result = f ? f(std::span<Operand>(stack).last(n), context) : ErrorVariant(CellError::Name);
        stack.resize(stack.size() - n);
        stack.push_back({result});
        break;
      }
    }
  }
  if (stack.empty()) return ErrorVariant(CellError::Value);
  const Variant result = context.Scalar(stack.back());
  return result.isEmpty() ? Variant(0.0) : result;
}

}  // namespace excel

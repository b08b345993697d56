#include "platform/office/excel/worksheet_functions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/office/excel/reference_adjuster.h"
#include "platform/runtime/decimal_digits.h"

namespace excel {
namespace {

// The numbers of the arguments as SUM, MIN, MAX and AVERAGE take them: in a range only numbers
// count; a value given directly counts when it reads as a number; an error stops at once.
std::variant<std::vector<double>, CellError> Numbers(std::span<Operand> args, FormulaContext& context) {
  std::vector<double> out;
  std::optional<CellError> error;
  for (Operand& a : args) {
    if (a.ref) {
      context.ForEachValue(*a.ref, [&](const Variant& v) {
        if (v.kind() == Variant::Kind::Double) out.push_back(std::get<double>(v.value()));
        if (!error) error = ErrorOf(v);
      });
    } else {
      const auto n = NumberOf(a.value);
      if (auto* e = std::get_if<CellError>(&n)) return *e;
      if (!a.value.isEmpty()) out.push_back(std::get<double>(n));
    }
    if (error) return *error;
  }
  return out;
}

template <class Reduce>
Variant Aggregate(std::span<Operand> args, FormulaContext& context, Reduce reduce) {
  const auto numbers = Numbers(args, context);
  if (auto* e = std::get_if<CellError>(&numbers)) return ErrorVariant(*e);
  return reduce(std::get<std::vector<double>>(numbers));
}

std::variant<double, CellError> NumberArgument(Operand& a, FormulaContext& context) {
  return NumberOf(context.Scalar(a));
}

// Rounds half away from zero on the number's decimal digits, so ROUND(2.675, 2) is 2.68.
double RoundDecimal(double x, int places) {
  const runtime::DecimalDigits d = runtime::ToDecimalDigits(x);
  const int keep = d.exponent + 1 + places;
  if (d.digits.empty() || keep >= static_cast<int>(d.digits.size())) return x;
  if (keep < 0) return 0;
  long long n = keep == 0 ? 0 : std::stoll(d.digits.substr(0, static_cast<std::size_t>(keep)));
  if (d.digits[static_cast<std::size_t>(keep)] >= '5') ++n;
  const std::string text = (d.negative ? "-" : "") + std::to_string(n) + "e" + std::to_string(-places);
  return std::strtod(text.c_str(), nullptr);
}

Variant Row(std::span<Operand> args, FormulaContext& context) {
  if (args.empty()) return Variant(static_cast<double>(context.at().row));
  if (args.size() != 1) return ErrorVariant(CellError::Value);
  if (!args[0].ref) return ErrorOf(args[0].value) ? args[0].value : ErrorVariant(CellError::Value);
  return Variant(static_cast<double>(AreaOf(*args[0].ref).top));
}

Variant Sum(std::span<Operand> args, FormulaContext& context) {
  return Aggregate(args, context, [](const std::vector<double>& v) {
    double s = 0;
    for (double x : v) s += x;
    return NumberResult(s);
  });
}

Variant Min(std::span<Operand> args, FormulaContext& context) {
  return Aggregate(args, context, [](const std::vector<double>& v) {
    return Variant(v.empty() ? 0.0 : *std::min_element(v.begin(), v.end()));
  });
}

Variant Max(std::span<Operand> args, FormulaContext& context) {
  return Aggregate(args, context, [](const std::vector<double>& v) {
    return Variant(v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()));
  });
}

Variant Average(std::span<Operand> args, FormulaContext& context) {
  return Aggregate(args, context, [](const std::vector<double>& v) {
    if (v.empty()) return ErrorVariant(CellError::Div0);
    double s = 0;
    for (double x : v) s += x;
    return NumberResult(s / static_cast<double>(v.size()));
  });
}

Variant Round(std::span<Operand> args, FormulaContext& context) {
  if (args.size() != 2) return ErrorVariant(CellError::Value);
  const auto x = NumberArgument(args[0], context);
  if (auto* e = std::get_if<CellError>(&x)) return ErrorVariant(*e);
  const auto places = NumberArgument(args[1], context);
  if (auto* e = std::get_if<CellError>(&places)) return ErrorVariant(*e);
  const double p = std::trunc(std::get<double>(places));
  if (std::fabs(p) > 308) return Variant(p > 0 ? std::get<double>(x) : 0.0);
  return Variant(RoundDecimal(std::get<double>(x), static_cast<int>(p)));
}

Variant Abs(std::span<Operand> args, FormulaContext& context) {
  if (args.size() != 1) return ErrorVariant(CellError::Value);
  const auto x = NumberArgument(args[0], context);
  if (auto* e = std::get_if<CellError>(&x)) return ErrorVariant(*e);
  return Variant(std::fabs(std::get<double>(x)));
}

Variant If(std::span<Operand> args, FormulaContext& context) {
  if (args.empty() || args.size() > 3) return ErrorVariant(CellError::Value);
  const Variant condition = context.Scalar(args[0]);
  if (condition.kind() == Variant::Kind::Text) return ErrorVariant(CellError::Value);
  const auto truth = NumberOf(condition);
  if (auto* e = std::get_if<CellError>(&truth)) return ErrorVariant(*e);
  if (std::get<double>(truth) != 0) return args.size() > 1 ? context.Scalar(args[1]) : Variant(true);
  return args.size() > 2 ? context.Scalar(args[2]) : Variant(false);
}

}  // namespace

WorksheetFunction FindWorksheetFunction(std::string_view name) {
  static const std::map<std::string, WorksheetFunction, std::less<>> kFunctions = {
      {"ROW", Row}, {"SUM", Sum}, {"ROUND", Round}, {"IF", If},
      {"MIN", Min}, {"MAX", Max}, {"AVERAGE", Average}, {"ABS", Abs}};
  const auto it = kFunctions.find(name);
  return it == kFunctions.end() ? nullptr : it->second;
}

}  // namespace excel

// The result summary writers: one routine for their common steps and a table of members.

#include <optional>
#include <string>
#include <vector>

#include "platform/automation/error_modes.h"
#include "platform/runtime/integer_conversion.h"
#include "workbench/calctables/calc_tables_module.h"
#include "workbench/calctables/row_formula.h"
#include "workbench/calctables/sheet_access.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/passwords.h"
#include "workbench/common/workbook_layout.h"

namespace 增加计算表 {
namespace {

using automation::ErrorMode;
using automation::Object;
using automation::Steps;
using runtime::Int16;
using runtime::Int32;
using namespace workbench;

// A row variable: a control cell of a calculation sheet plus a fixed offset.
struct RowVariable {
  const char* name;
  const char* sheet;
  const char* cell;
  std::int16_t offset;
};

enum class CellKind { Link, Owner, Label };
struct SummaryCell {
  char column;
  CellKind kind;
  const char* text = "";
};

struct ChoiceCells {
  int choice;
  std::vector<SummaryCell> cells;
};

struct WriterMember {
  char ownerColumn;
  ErrorMode mode;
  bool land;  // selects the summary sheet and reads its variables before unprotecting
  std::vector<RowVariable> variables;
  std::vector<SummaryCell> cells;
  const char* choiceCell = nullptr;  // in 参数; its value picks the cells written last
  std::vector<ChoiceCells> byChoice = {};
};

SummaryCell Link(char column, const char* text) { return {column, CellKind::Link, text}; }
SummaryCell Owner(char column) { return {column, CellKind::Owner}; }
SummaryCell Label(char column, const char* text) { return {column, CellKind::Label, text}; }

const RowVariable h{"h", k市场法计算表, "H1", -36}, i{"i", k市场法计算表, "I1", -36}, t{"t", k收益法计算表2, "T1", 0},
    j{"j", k市场法计算表, "J1", 0}, s{"s", k收益法计算表2, "S1", 0}, a{"a", k收益法计算表2, "R1", 0},
    b{"b", k收益法计算表2, "R1", 27}, q{"q", k成本法计算表, "J1", 0}, e{"e", k基准地价计算表, "E1", 0},
    k{"k", k成本逼近计算表, "K1", 0};

const std::vector<SummaryCell> kMarketCells = {
    Link('A', "=市场法计算表!R{h}C[2]"), Owner('B'), Link('C', "=市场法计算表!R{h}C[3]"),
    Link('E', "=市场法计算表!R{h}C[5]"), Link('F', "=市场法计算表!R{h}C8"), Link('G', "=市场法计算表!R{h}C7")};

const std::vector<SummaryCell> kBenchmarkCells = {
    Owner('A'),
    Link('C', "=基准地价计算表!R{e+5}C6"),
    Link('F', "=基准地价计算表!R{e+8}C3"),
    Link('I', "=基准地价计算表!R{e+8}C8"),
    Link('J', "=基准地价计算表!R{e+7}C3"),
    Link('K', "=基准地价计算表!R{e+7}C8"),
    Link('L', "=基准地价计算表!R{e+7}C8"),
    Link('M', "=基准地价计算表!R{e+29}C3")};

std::vector<SummaryCell> Plus(std::vector<SummaryCell> cells, std::initializer_list<SummaryCell> more) {
  cells.insert(cells.end(), more);
  return cells;
}

const WriterMember kMarketWriter{
    'B',
    ErrorMode::Propagate,
    false,
    {h, i, t, j, s},
    kMarketCells,
    "D1",
    {{1,
      {Link('H', "=市场法计算表!R{j}C3/2 + 收益法计算表2!R{t}C9/2"),
       Link('I', "=市场法计算表!R{j}C13/2/10000 + 收益法计算表2!R{s}C9/2/10000"), Label('J', "市场法与收益法加权")}},
     {2, {Link('H', "=市场法计算表!R{i}C3"), Link('I', "=市场法计算表!R{i}C13/10000"), Label('J', "市场法")}}}};

const WriterMember kIncomeWriter{'B',
                                 ErrorMode::Ignore,
                                 false,
                                 {a, b},
                                 {Link('A', "=收益法计算表2!R{a}C3"), Owner('B'), Link('C', "=收益法计算表2!R{a}C5"),
                                  Link('E', "=收益法计算表2!R{a}C8"), Link('F', "=收益法计算表2!R{a}C9"),
                                  Link('G', "=收益法计算表2!R{a}C6"), Link('H', "=收益法计算表2!R{b}C9"),
                                  Link('I', "=收益法计算表2!R{b+1}C9/10000")},
                                 "D1",
                                 {{3, {Label('J', "收益法")}}}};

const WriterMember kCostWriter{'B',
                               ErrorMode::Propagate,
                               false,
                               {q},
                               {Link('A', "=成本法计算表!R{q+1}C3"), Owner('B'), Link('C', "=成本法计算表!R{q}C9"),
                                Link('E', "=成本法计算表!R{q+2}C9"), Link('F', "=成本法计算表!R{q+2}C3"),
                                Link('G', "=成本法计算表!R{q}C12"), Link('H', "=成本法计算表!R{q+114}C14"),
                                Link('I', "=成本法计算表!R{q+113}C14/10000"), Label('J', "成本法")}};

const WriterMember kLandWeightedWriter{
    'A',
    ErrorMode::Ignore,
    true,
    {e, k},
    Plus(kBenchmarkCells, {Link('N', "=基准地价计算表!R{e+33}C3/2/10000 + 成本逼近计算表!R{k+61}C3/2/10000")}),
    "F1",
    {{1, {Label('O', "基准地价与成本逼近加权")}}, {2, {Label('O', "基准地价法")}}, {3, {Label('O', "成本逼近法")}}}};

const WriterMember kBenchmarkWriter{
    'A', ErrorMode::Ignore, true, {e},
    Plus(kBenchmarkCells, {Link('N', "=基准地价计算表!R{e+33}C3/10000"), Label('O', "基准地价法")})};

const WriterMember kCostApproximationWriter{'A',
                                            ErrorMode::Ignore,
                                            true,
                                            {k},
                                            {Owner('A'), Link('C', "=成本逼近计算表!R{k+1}C2"),
                                             Link('F', "=成本逼近计算表!R{k+3}C4"), Link('I', "=成本逼近计算表!R{k+4}C2"),
                                             Link('J', "=成本逼近计算表!R{k+4}C4"), Link('K', "=成本逼近计算表!R{k+3}C2"),
                                             Link('L', "=成本逼近计算表!R{k+3}C2"), Link('M', "=成本逼近计算表!R{k+60}C3"),
                                             Link('N', "=成本逼近计算表!R{k+61}C3/10000"), Label('O', "成本逼近法")}};

void ReadVariables(Steps& step, const WriterMember& m, RowVariables& read) {
  for (const RowVariable& v : m.variables)
    step([&] {
      const Int16 cell = Sheet(v.sheet).obj("Range", v.cell).get("Value").toInt16();
      read[v.name] = (cell + Int16(v.offset)).value();
    });
}

// A cell whose link needs a variable that could not be read is left alone: its link would point
// into row 1 or the first table.
void WriteCells(Steps& step, const std::vector<SummaryCell>& cells, const Object& summary, std::int32_t row,
                const RowVariables& variables) {
  for (const SummaryCell& c : cells)
    step([&] {
      const Object cell = CellOf(summary, c.column, row);
      switch (c.kind) {
        case CellKind::Owner: cell.put("Value", Sheet(k参数).obj("Range", "E7").get("Value")); break;
        case CellKind::Label: cell.put("Value", c.text); break;
        case CellKind::Link:
          if (const auto formula = ExpandRowFormula(c.text, variables)) cell.put("FormulaR1C1", *formula);
          break;
      }
    });
}

void WriteSummaryRow(const WriterMember& m) {
  Steps step(m.mode);
  step([] { excel = AttachExcel(); });
  std::optional<std::int32_t> row;
  step([&] { row = (Int32(LastDataRow(m.ownerColumn)) + Int32(1)).value(); });
  Object summary;
  step([&] { summary = Sheet(k估价结果汇总表); });
  RowVariables variables;
  if (m.land) {
    step([&] { summary.call("Select"); });
    ReadVariables(step, m, variables);
  }
  step([&] { summary.call("Unprotect", kWorksheetPassword); });
  ProtectAgainOnFailure(summary, kWorksheetPassword, [&] {
    if (!m.land) ReadVariables(step, m, variables);
    // Without the last data row there is no row to write: row 1 holds the headers.
    if (!row) return;
    WriteCells(step, m.cells, summary, *row, variables);
    if (!m.choiceCell) return;
    for (const ChoiceCells& choice : m.byChoice)
      if (step.test([&] { return ChoiceIs(ParameterValue(m.choiceCell), choice.choice); })) {
        WriteCells(step, choice.cells, summary, *row, variables);
        break;
      }
  });
  step([&] { summary.call("Protect", kWorksheetPassword); });
}

}  // namespace

void WriteMarketSummaryRow() { WriteSummaryRow(kMarketWriter); }
void WriteIncomeSummaryRow() { WriteSummaryRow(kIncomeWriter); }
void WriteCostSummaryRow() { WriteSummaryRow(kCostWriter); }
void WriteLandWeightedSummaryRow() { WriteSummaryRow(kLandWeightedWriter); }
void WriteBenchmarkSummaryRow() { WriteSummaryRow(kBenchmarkWriter); }
void WriteCostApproximationSummaryRow() { WriteSummaryRow(kCostApproximationWriter); }

}  // namespace 增加计算表

#include "refreshers/common/value_refreshes.h"

#include <optional>
#include <span>

#include "platform/automation/error_modes.h"
#include "refreshers/common/connection_guard.h"
#include "refreshers/common/replacement_step.h"
#include "refreshers/common/row_tables.h"
#include "refreshers/common/summary_table_members.h"

namespace refreshers {

namespace {

using LaterFills = std::function<void(const ReportNames&)>;

RunEnd RunFirstRoutine(const AttachOffice& attach, RowTable rows, const LaterFills& later, const Completion& completed) {
  try {
    std::optional<ReportNames> names;
    automation::StopAtFirstError([&] {
      OverTheConnection([&] {
        // The checks reached Excel and Word a moment ago: when they cannot be reached now, the
        // office host (or the application) went away, and the report is not refreshed.
        RefreshContext context = CaptureContext([&] {
          try {
            return attach();
          } catch (const automation::Error& e) {
            if (e.number() == automation::errors::kCannotCreateObject) throw ConnectionLost{};
            throw;
          }
        });
        RefreshPrelude(context);
        RunRowTable(context, rows, OnError::Stop);
        names = context.names;
      });
    });
    if (!names) return RunEnd::Stopped;
    later(*names);
  } catch (const ConnectionLost&) {
    return RunEnd::ConnectionLost;
  }
  completed();
  return RunEnd::Completed;
}

// Relies on the prelude of the run's first routine and the insertion point it left.
void RunLaterRoutine(const AttachOffice& attach, const ReportNames& names, RowTable rows) {
  SkipFailedSteps step;
  RefreshContext context({}, names);
  step([&] { context.office = attach(); });
  step([&] { TakeFind(context); });
  RunRowTable(context, rows, OnError::SkipRow);
}

void FillSummaryTables(const AttachOffice& attach, const ReportNames& names,
                       std::span<const SummaryTableMember> members) {
  for (const SummaryTableMember& member : members) FillSummaryTable(attach, names, member);
}

}  // namespace

RunEnd RefreshMarketApproach(const AttachOffice& attach, const Completion& completed) {
  return RunFirstRoutine(
      attach, kMarketRows,
      [&](const ReportNames& names) {
        RefreshIncomeApproach(attach, names);
        FillSummaryTables(attach, names, refrella::kSummaryTables);
      },
      completed);
}

void RefreshIncomeApproach(const AttachOffice& attach, const ReportNames& names) {
  RunLaterRoutine(attach, names, kIncomeRows);
}

RunEnd RefreshBenchmarkLandPrice(const AttachOffice& attach, const Completion& completed) {
  return RunFirstRoutine(
      attach, kBenchmarkLandRows,
      [&](const ReportNames& names) {
        RefreshCostApproximation(attach, names);
        FillSummaryTables(attach, names, refrella1::kSummaryTables);
      },
      completed);
}

void RefreshCostApproximation(const AttachOffice& attach, const ReportNames& names) {
  RunLaterRoutine(attach, names, kCostApproximationRows);
}

RunEnd RefreshCostApproach(const AttachOffice& attach, const Completion& completed) {
  return RunFirstRoutine(
      attach, kHouseCostRows,
      [&](const ReportNames& names) { FillSummaryTables(attach, names, refrella2::kSummaryTables); }, completed);
}

}  // namespace refreshers

#pragma once
// The value refreshes of the three reports. The first routine of each report attaches, captures
// the workbook and document names for the whole run, runs the prelude and its rows and stops at
// its first error; the routines it calls afterwards skip what fails and so always return.

#include <functional>

#include "refreshers/common/refresh_context.h"

namespace refreshers {

// Called once every replacement and table fill of a report has run: the program closes its wait
// window where it must and shows the completion message.
using Completion = std::function<void()>;

// How a run ended: every fill ran (and the completion was called), the first routine stopped at
// its first error, or the connection to Excel or Word was lost, which ends the run in any routine.
enum class RunEnd { Completed, Stopped, ConnectionLost };

// Refrella: market rows, then the income rows and result tables 1, 2 and 4.
RunEnd RefreshMarketApproach(const AttachOffice& attach, const Completion& completed);
void RefreshIncomeApproach(const AttachOffice& attach, const ReportNames& names);

// Refrella1: benchmark land price rows, then the cost approximation rows and result tables 1 and 5.
RunEnd RefreshBenchmarkLandPrice(const AttachOffice& attach, const Completion& completed);
void RefreshCostApproximation(const AttachOffice& attach, const ReportNames& names);

// Refrella2: house cost rows, then result tables 1, 2 and 4.
RunEnd RefreshCostApproach(const AttachOffice& attach, const Completion& completed);

}  // namespace refreshers

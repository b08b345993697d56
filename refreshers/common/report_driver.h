#pragma once
// The start-up and driver that Refrella1 and Refrella2 share: Form1 is both the start-up window
// and the wait window.

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"
#include "refreshers/common/refresh_context.h"
#include "refreshers/common/value_refreshes.h"

namespace refreshers {

// What the two programs differ in.
struct ReportProgram {
  const char* methodGroup;      // 参数!B1 must hold it
  const char* wrongGroup;       // the message when it does not
  const char* question;
  double waitTextPoints;
  RunEnd (*firstFill)(const AttachOffice&, const Completion&);
};

// Defined by each of the two programs.
const ReportProgram& ThisReportProgram();

class Form1 : public ui::Form {
 public:
  Form1();
  ui::Label Label1{*this, "Label1"};
  void Form_Load() override;
};

void RefreshReportDriver();

}  // namespace refreshers

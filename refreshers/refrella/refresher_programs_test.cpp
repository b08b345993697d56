// The three refresher programs in process, on the real templates: the checks and their messages,
// the answers, the wait windows and the order of the completion message.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <unistd.h>

#include <QDir>
#include <QTest>

#include "platform/office/excel/application.h"
#include "platform/office/host/client.h"
#include "platform/office/word/word_application.h"
#include "platform/ui/message_box.h"
#include "platform/ui/program.h"
#include "platform/ui/screenshot.h"
#include "platform/ui/test_support.h"
#include "platform/ui/text_fit.h"
#include "refreshers/common/refresher_frame.h"
#include "refreshers/common/report_programs.h"
#include "refreshers/refrella/refrella_forms.h"

namespace refreshers {

namespace {
const ReportProgram* g_program = &kCostReportProgram;
}  // namespace

const ReportProgram& ThisReportProgram() { return *g_program; }

namespace {

using automation::Object;

struct RefresherTest : ::testing::Test {
  RefresherTest() { ui::SetProgramTitle(kRefresherTitle); }

  office::ApplicationRegistry Registry() {
    office::ApplicationRegistry registry;
    registry.Register("Excel.Application", excel::CreateExcelApplication);
    registry.Register("Word.Application", office::word::CreateWordApplication);
    return registry;
  }
  static std::string Data(const std::string& file) { return std::string(QORVANE_BIN_DIR) + "/" + file; }
  Object StartExcel(const char* templateFile) {
    if (!excel) excel = office::CreateObject("Excel.Application");
    excel.put("Visible", true);
    if (templateFile) {
      excel.obj("Workbooks").call("Open", Data(templateFile));
      excel.obj("Worksheets", "参数").obj("Range", "E7").put("Value", "张三");
    }
    return excel;
  }
  Object StartWord(const char* templateFile) {
    word = office::CreateObject("Word.Application");
    word.put("Visible", true);
    if (templateFile) word.obj("Documents").call("Add", Data(templateFile));
    return word;
  }
  std::string ReportText() const { return word.obj("ActiveDocument").obj("Content").get("Text").toText(); }
  static bool HoldsAKey(const std::string& text) { return std::regex_search(text, std::regex("_[A-Z]{2}[0-9]{3}_")); }

  // "msgbox: text" and "form: name action", in the order they happened.
  std::vector<std::string> Events() const {
    std::vector<std::string> out;
    for (const auto& e : log.entries()) {
      const std::string kind = e.value("event", "");
      if (kind == "msgbox") out.push_back("msgbox: " + e.value("text", "") + " | " + e.value("title", ""));
      if (kind == "form") out.push_back("form: " + e.value("form", "") + " " + e.value("action", ""));
    }
    return out;
  }

  void RunDriver(const ReportProgram& program) {
    g_program = &program;
    ui::Default<Form1>();
  }

  office::InProcessOffice office{Registry()};
  ui::testing::CapturedLog log;
  ui::testing::ScriptedRunScope scripted;
  Object excel, word;
};

const std::string kM1 = std::string("msgbox: ") + kWordNotRunning + " | " + kRefresherTitle;
const std::string kM2 = std::string("msgbox: ") + kNotAProjectWorkbook + " | 提示";
const std::string kM5 = std::string("msgbox: ") + kRefreshCompleted + " | 提示";

TEST_F(RefresherTest, RefrellaChecksWordThenTheWorkbook) {
  StartExcel("市场法.xlt");
  refrella::RunMarketIncomeRefresh();
  EXPECT_EQ(Events(), (std::vector<std::string>{kM1}));

  excel.call("Quit");
  excel = Object();
  StartWord("房产估价报告(市场法和收益法).dot");
  refrella::RunMarketIncomeRefresh();
  EXPECT_EQ(Events().back(), kM2) << "no Excel";

  StartExcel("成本法.xlt");
  refrella::RunMarketIncomeRefresh();
  EXPECT_EQ(Events().back(), kM2) << "a workbook of another kind";
  EXPECT_TRUE(HoldsAKey(ReportText()));
}

TEST_F(RefresherTest, RefrellaClosesItsWaitWindowBeforeTheCompletionMessage) {
  StartExcel("市场法.xlt");
  StartWord("房产估价报告(市场法和收益法).dot");
  ui::Default<refrella::Form2>().Show();
  ui::Default<refrella::Form2>().Command1_Click();
  EXPECT_EQ(Events(), (std::vector<std::string>{"form: Form2 shown", "form: Form2 closed", "form: Form3 shown",
                                                "form: Form3 closed", kM5}));
  const std::string text = ReportText();
  EXPECT_FALSE(HoldsAKey(text)) << text.substr(0, 400);
  EXPECT_NE(text.find("张三"), std::string::npos);
  EXPECT_TRUE(ui::LoadedForms().empty()) << "no window is left, so the program ends";
}

// The user opened the project workbook in LibreOffice Calc and saved it there; the report
// refreshes from it as from one of ours.
TEST_F(RefresherTest, RefrellaRefreshesFromAWorkbookLibreOfficeSaved) {
  if (std::system("command -v soffice > /dev/null") != 0) GTEST_SKIP() << "LibreOffice is not installed (scripts/setup)";
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("qv_refrella_lo_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  StartExcel("市场法.xlt").obj("ActiveWorkbook").call("SaveAs", (folder / "项目.xlsx").string());
  excel.obj("ActiveWorkbook").call("Close", false);
  const std::string command = "soffice -env:UserInstallation=file://" + (folder / "profile").string() +
                              " --headless --convert-to 'xlsx:Calc MS Excel 2007 XML' --outdir '" + (folder / "out").string() + "' '" +
                              (folder / "项目.xlsx").string() + "' > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  excel.obj("Workbooks").call("Open", (folder / "out" / "项目.xlsx").string());
  std::filesystem::remove_all(folder);
  StartWord("房产估价报告(市场法和收益法).dot");
  refrella::RunMarketIncomeRefresh();
  EXPECT_EQ(Events().back(), kM5);
  const std::string text = ReportText();
  EXPECT_FALSE(HoldsAKey(text)) << text.substr(0, 400);
  EXPECT_NE(text.find("张三"), std::string::npos);
}

TEST_F(RefresherTest, RefrellaWithoutADocumentEndsSilently) {
  StartExcel("市场法.xlt");
  StartWord(nullptr);
  refrella::RunMarketIncomeRefresh();
  EXPECT_EQ(Events(), (std::vector<std::string>{"form: Form3 shown", "form: Form3 closed"}));
}

TEST_F(RefresherTest, TheSharedDriverChecksAsksAndClosesItsWindowAfterTheMessage) {
  StartWord("房产估价报告( 成本法).dot");
  RunDriver(kCostReportProgram);
  EXPECT_EQ(Events().back(), kM1) << "Excel not running";

  StartExcel("市场法.xlt");
  RunDriver(kCostReportProgram);
  EXPECT_EQ(Events().back(), "msgbox: 当前表不是成本法项目表。无法刷新报告！ | 提示");

  StartExcel("成本法.xlt");
  ui::QueueBoxAnswer(ui::kNo);
  const std::size_t before = Events().size();
  RunDriver(kCostReportProgram);
  EXPECT_EQ(Events().size(), before + 1) << "the question only: the wait window never shows";
  EXPECT_TRUE(HoldsAKey(ReportText()));

  ui::QueueBoxAnswer(ui::kYes);
  RunDriver(kCostReportProgram);
  const std::vector<std::string> events = Events();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[events.size() - 3], "form: Form1 shown");
  EXPECT_EQ(events[events.size() - 2], kM5);
  EXPECT_EQ(events.back(), "form: Form1 closed");
  EXPECT_FALSE(HoldsAKey(ReportText()));
  EXPECT_TRUE(ui::LoadedForms().empty());
}

TEST_F(RefresherTest, TheLandReport) {
  StartExcel("基准地价与成本逼近.xlt");
  StartWord("土地估价报告(基准地价和成本逼近).dot");
  ui::QueueBoxAnswer(ui::kYes);
  RunDriver(kLandReportProgram);
  EXPECT_EQ(Events().end()[-2], kM5);
  EXPECT_FALSE(HoldsAKey(ReportText()));
}

// The refreshers' windows as a person sees them, saved among the test artefacts: every text whole.
void ExpectWhole(const ui::Form& form, const std::string& name) {
  QDir().mkpath(SCREENSHOT_DIR);
  EXPECT_TRUE(ui::SaveScreenshot(form, std::string(SCREENSHOT_DIR) + "/" + name + ".png"));
  EXPECT_EQ(ui::CutTexts(form), std::vector<std::string>()) << name;
}

TEST_F(RefresherTest, EveryWindowShowsItsTextsWhole) {
  refrella::Form2& prompt = ui::Default<refrella::Form2>();
  prompt.Show();
  ExpectWhole(prompt, "refrella_prompt");
  ui::Unload(prompt);
  // The wait windows as designed, before they turn transparent: blue text on black.
  const refrella::Form3 wait;
  ExpectWhole(wait, "refrella_wait");
  for (const ReportProgram* program : {&kLandReportProgram, &kCostReportProgram}) {
    g_program = program;
    const Form1 driverWait;
    ExpectWhole(driverWait, program == &kLandReportProgram ? "refrella1_wait" : "refrella2_wait");
  }
}

// The prompt has no cancel button: Escape leaves it; Enter presses the focused 确定(&O).
TEST_F(RefresherTest, EnterInThePromptPressesItsFocusedButton) {
  refrella::Form2& prompt = ui::Default<refrella::Form2>();
  prompt.Show();
  QTest::keyClick(prompt.Command1.widget(), Qt::Key_Escape);
  EXPECT_NE(ui::FindLoadedForm("Form2"), nullptr);
  QTest::keyClick(prompt.Command1.widget(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Events(), (std::vector<std::string>{"form: Form2 shown", "form: Form2 closed", kM1}));
}

}  // namespace
}  // namespace refreshers

// The sample program as a separate process, driven by a script, its log checked line by line.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct SampleRun {
  int exitCode;
  std::vector<std::string> log;
};

SampleRun RunSample(const std::string& script, const QStringList& arguments = {}) {
  QTemporaryDir dir;
  const QString scriptPath = dir.filePath("run.script");
  const QString logPath = dir.filePath("log.jsonl");
  std::ofstream(scriptPath.toStdString()) << script;
  QProcess sample;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("STANDIN_SCRIPT", scriptPath);
  env.insert("STANDIN_LOG", logPath);
  env.insert("XDG_RUNTIME_DIR", dir.path());  // a session of its own for the hot keys
  sample.setProcessEnvironment(env);
  sample.start(UI_SAMPLE_PATH, arguments);
  const bool ended = sample.waitForFinished(30000);
  if (!ended) sample.kill();
  EXPECT_TRUE(ended) << "the sample did not end";
  SampleRun run{sample.exitCode(), {}};
  std::ifstream log(logPath.toStdString());
  for (std::string line; std::getline(log, line);) run.log.push_back(line);
  return run;
}

std::string Folder() { return QFileInfo(UI_SAMPLE_PATH).absolutePath().toStdString(); }

void ExpectLog(const SampleRun& run, const std::vector<std::string>& expected) {
  EXPECT_EQ(run.exitCode, 0);
  for (std::size_t i = 0; i < std::max(run.log.size(), expected.size()); ++i) {
    EXPECT_EQ(i < run.log.size() ? run.log[i] : "(missing)", i < expected.size() ? expected[i] : "(none)")
        << "log line " << i + 1;
  }
}

const std::string kStart =
    R"({"event":"topmost","program":"ui_sample","form":"Form1"})"
    "\n"
    R"({"event":"hotkey","program":"ui_sample","form":"Form1","id":49146,"modifiers":2,"key":66,"registered":true})"
    "\n"
    R"({"event":"form","program":"ui_sample","form":"Form1","action":"shown"})";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find('\n', start)) != std::string::npos; start = at + 1)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

TEST(ScriptedRunTest, EveryKindOfLineIsPerformedAndLogged) {
  const SampleRun run = RunSample(R"(# every kind of line, in the order a person might act
wait Form1
type Form1.Text1 ab中
dump Form1.Label1
choose Form1.Combo1 1
dump Form1.Combo1
file /data/项目.xls
toolbar Form1.Toolbar1 open
dump Form1.Label1
toolbar Form1.Toolbar1 menu
answer yes
menu Form1.mnuFile 1
step Form1.UpDown1 up
dump Form1.UpDown1
key CTRL+B
menu Form1.mnuFile 2
click Form1.Command1
wait Form2
wheel Form2.List1 down
wheel Form2.List1 down
wheel Form2.List1 up
dump Form2.Label1
close Form2
answer no
close Form1
dump Form1.Text1
close Form1
)");
  std::vector<std::string> expected = Lines(kStart);
  for (const std::string& line : std::vector<std::string>{
           R"({"event":"dump","program":"ui_sample","form":"Form1","control":"Label1","caption":"changes 3","enabled":true,"visible":true})",
           R"({"event":"dump","program":"ui_sample","form":"Form1","control":"Combo1","text":"乙","items":["甲","乙","丙"],"position":1,"enabled":true,"visible":true})",
           R"({"event":"file-dialog","program":"ui_sample","form":"Form1","filter":"所有文件|*.*|Excel文件|*.xls;*.xlsx","answer":"/data/项目.xls","scripted":true})",
           R"({"event":"dump","program":"ui_sample","form":"Form1","control":"Label1","caption":"/data/项目.xls","enabled":true,"visible":true})",
           R"({"event":"popup","program":"ui_sample","form":"Form1","menu":"mnuPopup"})",
           R"({"event":"msgbox","program":"ui_sample","title":"提示","text":"继续吗？","icon":"question","buttons":"Yes/No","default":"Yes","answer":"Yes","scripted":true})",
           R"({"event":"dump","program":"ui_sample","form":"Form1","control":"UpDown1","text":"1","enabled":true,"visible":true})",
           R"({"event":"shell-open","program":"ui_sample","target":")" + Folder() + R"(/help.chm","done":false})",
           R"({"event":"start","program":"ui_sample","path":")" + Folder() + R"(/Hausdex.exe","done":false})",
           R"({"event":"form","program":"ui_sample","form":"Form2","action":"shown"})",
           R"({"event":"dump","program":"ui_sample","form":"Form2","control":"Label1","caption":"1","enabled":true,"visible":true})",
           R"({"event":"form","program":"ui_sample","form":"Form2","action":"closed"})",
           R"({"event":"msgbox","program":"ui_sample","title":"退出","text":"是否退出？","icon":"question","buttons":"Yes/No","default":"Yes","answer":"No","scripted":true})",
           R"({"event":"dump","program":"ui_sample","form":"Form1","control":"Text1","text":"ab中","enabled":true,"visible":true})",
           R"({"event":"msgbox","program":"ui_sample","title":"退出","text":"是否退出？","icon":"question","buttons":"Yes/No","default":"Yes","answer":"Yes","scripted":false})",
           R"({"event":"form","program":"ui_sample","form":"Form1","action":"closed"})",
       })
    expected.push_back(line);
  ExpectLog(run, expected);
}

TEST(ScriptedRunTest, LinesThatCannotBePerformedAreLoggedAndTheScriptGoesOn) {
  const SampleRun run = RunSample(R"(wait Form2 50
bogus Form1
answer maybe
step Form1.UpDown1 sideways
click Form1.Label9
click Form2.Command1
menu Form1.mnuFile 3
menu Form1.Combo1 1
key CTRL+H
Combo1 1
close Form1
)");
  auto error = [](const std::string& line, const std::string& why) {
    return R"({"event":"script-error","program":"ui_sample","line":")" + line + R"(","why":")" + why + R"("})";
  };
  std::vector<std::string> expected = Lines(kStart);
  for (const std::string& line : std::vector<std::string>{
           error("wait Form2 50", "Form2 was not shown in time"),
           error("bogus Form1", "unknown command bogus"),
           error("answer maybe", "expected yes, no, ok or cancel, not maybe"),
           error("step Form1.UpDown1 sideways", "expected up or down, not sideways"),
           error("click Form1.Label9", "Form1.Label9 does not exist"),
           error("click Form2.Command1", "Form2 is not loaded"),
           error("menu Form1.mnuFile 3", "mnuFile has no element 3"),
           error("menu Form1.Combo1 1", "Form1.Combo1 is not a menu"),
           error("key CTRL+H", "CTRL+H is not a registered hot key"),
           error("Combo1 1", "unknown command Combo1"),
           R"({"event":"msgbox","program":"ui_sample","title":"退出","text":"是否退出？","icon":"question","buttons":"Yes/No","default":"Yes","answer":"Yes","scripted":false})",
           R"({"event":"form","program":"ui_sample","form":"Form1","action":"closed"})",
       })
    expected.push_back(line);
  ExpectLog(run, expected);
}

}  // namespace

namespace {

TEST(ScriptedRunTest, AProgramWhoseEntryReturnedEndsWithItsLastForm) {
  const SampleRun run = RunSample(R"(wait Form2
wheel Form2.List1 down
dump Form2.Label1
close Form2
)",
                                  {"Form2"});
  ExpectLog(run, {
                     R"({"event":"form","program":"ui_sample","form":"Form2","action":"shown"})",
                     R"({"event":"dump","program":"ui_sample","form":"Form2","control":"Label1","caption":"1","enabled":true,"visible":true})",
                     R"({"event":"form","program":"ui_sample","form":"Form2","action":"closed"})",
                 });
}

}  // namespace

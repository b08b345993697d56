#include <gtest/gtest.h>

#include "casedb/casedb_test_support.h"
#include "platform/ui/message_box.h"
#include "platform/ui/scripted_answers.h"

namespace {

using casedb_testing::CaseDatabaseTest;

class CaseDatabaseCommands : public CaseDatabaseTest {
 protected:
  static automation::Object RunningAccess() {
    automation::Object access = office::CreateObject("Access.Application");
    access.put("Visible", true);
    return access;
  }
  static const office::access::AccessState& StateOf(const automation::Object& access) {
    return std::dynamic_pointer_cast<office::access::AccessApplication>(access.pointer())->state();
  }
};

TEST_F(CaseDatabaseCommands, TheAccessQuestionAnsweredNoChangesNothing) {
  const automation::Object access = RunningAccess();
  Form1& w = Load("Hausdex");
  ui::QueueBoxAnswer(ui::kNo);
  Press(w, "refresh");
  EXPECT_EQ(Loaded(), &w);
  EXPECT_TRUE(StateOf(access).currentDatabase.empty());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0]["title"], "通知");
  EXPECT_EQ(Boxes()[0]["buttons"], "Yes/No");
  EXPECT_EQ(Boxes()[0]["icon"], "none");
  EXPECT_EQ(Boxes()[0]["text"],
            "本操作将打开ACCESS数据库，对于批量的进行添加或删除数据是个很好选择。\n\n"
            "在打开前当前窗体将自动关闭。数据库在打开过程中请根据提示单击“打开”按钮。\n\n"
            "注意：在增加或者删除数据库的时，数据库表名称不得修改或使用另存为，数据维护后保存并直接关闭即可，否则将产生重大错误！\n\n"
            "是否继续？");
}

TEST_F(CaseDatabaseCommands, YesClosesTheWindowAndShowsTheTableInAccess) {
  const automation::Object access = RunningAccess();
  Form1& w = Load("Plotdex");
  ui::QueueBoxAnswer(ui::kYes);
  Press(w, "refresh");
  EXPECT_EQ(Loaded(), nullptr);
  EXPECT_EQ(StateOf(access).currentDatabase, (Folder() / "td.mdb").string());
  EXPECT_EQ(StateOf(access).maximizedTable, "Table1");
  EXPECT_TRUE(access.get("Visible").toBool());
}

TEST_F(CaseDatabaseCommands, YesWithoutAccessOnlyClosesTheWindow) {
  Form1& w = Load("Hausdex");
  ui::QueueBoxAnswer(ui::kYes);
  Press(w, "refresh");
  EXPECT_EQ(Loaded(), nullptr);
  EXPECT_FALSE(office::IsApplicationRunning("Access.Application"));
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(CaseDatabaseCommands, HelpOpensTheDocumentInANewWord) {
  Form1& w = Load("Hausdex");
  Press(w, "help");
  const automation::Object word = office::GetRunningObject("Word.Application");
  EXPECT_TRUE(word.get("Visible").toBool());
  EXPECT_EQ(word.obj("ActiveDocument").get("Name").toText(), "房地产交易案例价格维护.doc");
  EXPECT_EQ(Loaded(), &w);
}

TEST_F(CaseDatabaseCommands, CloseUnloadsTheWindow) {
  Form1& w = Load("Hausdex");
  Press(w, "xg");
  EXPECT_EQ(Loaded(), &w);
  Press(w, "close");
  EXPECT_EQ(Loaded(), nullptr);
}

}  // namespace

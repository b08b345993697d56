#include "platform/data/recordset.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "platform/data/adodc.h"
#include "platform/data/provider_errors.h"
#include "platform/data/test_database.h"
#include "platform/runtime/program_folder.h"
#include "platform/runtime/testing/error_number.h"
#include "platform/ui/form.h"

namespace data {
namespace {

using runtime::testing::ErrorNumberOf;
using testing::Case;
using testing::TestDatabase;

class Window : public ui::Form {
 public:
  Window() : Form("Window") {}
  Adodc Adodc1{*this, "Adodc1"};
};

class DataControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.Add({{1, "花园小区", "12"}, {2, "花园新村", "1200"}, {3, "滨江花园", "312"}, {4, "100%花园", "12500"},
             {5, "O'Brien公寓", "800"}, {6, QVariant(), "900"}, {7, "a_b大厦", "1"}});
    control().setConnectionString(db_.connectionText());
  }
  void TearDown() override { ui::UnloadAll(); }

  Adodc& control() { return ui::Default<Window>().Adodc1; }
  Recordset& rows() { return control().recordset(); }
  // The first field of every row, as text.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int p = 1; p <= rows().RecordCount(); ++p) {
      const automation::Variant v = rows().Value(p, 1);
      names.push_back(v.isNull() ? "NULL" : v.toText());
    }
    return names;
  }
  std::vector<std::string> Search(const std::string& column, const std::string& text) {
    control().setCommandType(CommandType::Text);
    control().setRecordSource("select * from Table1 where " + column + " like '" + text + "'+'%'");
    control().Refresh();
    return Names();
  }

  QTemporaryDir dir_;
  TestDatabase db_{dir_.filePath("db.mdb").toStdString()};
};

TEST_F(DataControlTest, SearchesMatchTheTextFormFromItsStart) {
  EXPECT_EQ(Search("交易价格", "12"), (std::vector<std::string>{"花园小区", "花园新村", "100%花园"}));
  EXPECT_EQ(Search("建筑物名称", "花园"), (std::vector<std::string>{"花园小区", "花园新村"}));
  EXPECT_EQ(Search("序号", "7"), (std::vector<std::string>{"a_b大厦"}));  // a number through its text
  EXPECT_EQ(Search("建筑物名称", "").size(), 7u);  // every row, the one without a name too
  EXPECT_EQ(Search("建筑物名称", "100[%]"), (std::vector<std::string>{"100%花园"}));
  EXPECT_EQ(Search("建筑物名称", "a[_]"), (std::vector<std::string>{"a_b大厦"}));
  EXPECT_EQ(Search("建筑物名称", "O''Brien"), (std::vector<std::string>{"O'Brien公寓"}));
  EXPECT_EQ(Search("建筑物名称", "%花园"), (std::vector<std::string>{"花园小区", "花园新村", "滨江花园", "100%花园"}));
  EXPECT_EQ(Search("建筑物名称", "O''Brien'' or ''1''=''1"), std::vector<std::string>{});
}

TEST_F(DataControlTest, FieldsOfTheCurrentRowByPosition) {
  control().setCommandType(CommandType::Text);
  control().setRecordSource("select   建筑物名称,  交易价格 from Table1");
  control().Refresh();
  EXPECT_EQ(rows().RecordCount(), 7);
  EXPECT_EQ(rows().AbsolutePosition(), 1);
  EXPECT_EQ(rows().Fields(0).toText(), "花园小区");
  rows().Move(6);
  EXPECT_TRUE(rows().Fields(0).isNull());
  EXPECT_EQ(rows().Fields(1).toText(), "900");
  EXPECT_NE(ErrorNumberOf([&] { rows().Fields(2); }), 0);
  EXPECT_EQ(ErrorNumberOf([&] { rows().Move(8); }), errors::kNoCurrentRecord);
}

TEST_F(DataControlTest, AFailedCommandLeavesNoRowsAndTheColumns) {
  Search("建筑物名称", "花园");
  control().setRecordSource("select * from Table1 where 价格 like '1'+'%'");
  EXPECT_EQ(ErrorNumberOf([&] { control().Refresh(); }), errors::kNoSuchField);
  EXPECT_EQ(rows().RecordCount(), 0);
  EXPECT_EQ(rows().FieldCount(), 3);
  EXPECT_EQ(rows().AbsolutePosition(), 0);
  EXPECT_EQ(ErrorNumberOf([&] { rows().Fields(0); }), errors::kNoCurrentRecord);
  EXPECT_EQ(db_.Column("建筑物名称").size(), 7u);
}

TEST_F(DataControlTest, ConnectionsThatCannotOpen) {
  const std::string missing = dir_.filePath("td.mdb").toStdString();
  control().setConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + missing + ";Persist Security Info=False");
  control().setRecordSource("Table1");
  EXPECT_EQ(ErrorNumberOf([&] { control().Refresh(); }), errors::kUnspecified);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));  // never created

  QFile text(QString::fromStdString(missing));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("这不是数据库，只是一段文字。这不是数据库，只是一段文字。这不是数据库。");
  text.close();
  EXPECT_EQ(ErrorNumberOf([&] { control().Refresh(); }), errors::kUnspecified);

  control().setConnectionString("Provider=SQLOLEDB;Data Source=" + db_.path());
  EXPECT_EQ(ErrorNumberOf([&] { control().Refresh(); }), errors::kProviderNotFound);
}

TEST_F(DataControlTest, ABareDataSourceLiesInTheProgramFolder) {
  const QString name = QStringLiteral("recordset-test-%1.mdb").arg(QCoreApplication::applicationPid());
  const QString inFolder = QString::fromStdString(runtime::ProgramFolder()) + "/" + name;
  ASSERT_TRUE(QFile::copy(QString::fromStdString(db_.path()), inFolder));
  control().setConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + name.toStdString() + ";Persist Security Info=False");
  control().setCommandType(CommandType::Table);
  control().setRecordSource("Table1");
  control().Refresh();
  EXPECT_EQ(rows().RecordCount(), 7);
  ui::UnloadAll();
  QFile::remove(inFolder);
}

TEST_F(DataControlTest, RowsAddedChangedAndDeletedReachTheTable) {
  control().setRecordSource("Table1");
  control().Refresh();
  rows().AddNew();
  EXPECT_EQ(rows().RecordCount(), 8);
  EXPECT_EQ(rows().AbsolutePosition(), 8);
  rows().setField(0, std::int32_t{8});
  rows().setField(1, "新城国际");
  rows().Update();
  EXPECT_EQ(db_.Column("建筑物名称").back(), "新城国际");

  rows().Move(2);
  rows().setField(2, "1250");
  rows().Move(3);  // leaving the row saves it
  EXPECT_EQ(db_.Column("交易价格")[1], "1250");

  rows().Delete();
  EXPECT_EQ(db_.Column("建筑物名称"), (std::vector<std::string>{"花园小区", "花园新村", "100%花园", "O'Brien公寓", "NULL",
                                                               "a_b大厦", "新城国际"}));
  EXPECT_EQ(rows().RecordCount(), 7);
  EXPECT_EQ(rows().Fields(1).toText(), "100%花园");  // the next row is current
}

TEST_F(DataControlTest, ARefusedRowIsReportedAndKeptAsTyped) {
  control().setRecordSource("Table1");
  control().Refresh();
  rows().AddNew();
  rows().setField(0, "3");  // the key of another row
  rows().setField(1, "重复的案例");
  EXPECT_EQ(ErrorNumberOf([&] { rows().Update(); }), errors::kIntegrityViolation);
  EXPECT_EQ(ErrorNumberOf([&] { rows().Move(1); }), errors::kIntegrityViolation);
  EXPECT_EQ(ErrorNumberOf([&] { control().Refresh(); }), errors::kIntegrityViolation);
  EXPECT_EQ(rows().AbsolutePosition(), 8);
  EXPECT_EQ(rows().Fields(1).toText(), "重复的案例");
  rows().setField(0, "abc");
  EXPECT_EQ(ErrorNumberOf([&] { rows().Update(); }), errors::kTypeMismatch);
  rows().setField(0, "9");
  rows().Update();
  EXPECT_EQ(db_.Column("序号").back(), "9");
}

TEST_F(DataControlTest, AMissingRequiredValueIsAnIntegrityViolation) {
  db_.Run(R"(create table 要求 ("编号" text not null, "说明" text))");
  control().setRecordSource("要求");
  control().Refresh();
  rows().AddNew();
  rows().setField(1, "没有编号");
  EXPECT_EQ(ErrorNumberOf([&] { rows().Update(); }), errors::kIntegrityViolation);
  rows().setField(0, "A-1");
  rows().Update();
  EXPECT_EQ(rows().RecordCount(), 1);
}

TEST_F(DataControlTest, ANewRowNobodyTypedIntoIsDroppedWhenLeft) {
  control().setRecordSource("Table1");
  control().Refresh();
  rows().AddNew();
  rows().Move(3);
  EXPECT_EQ(rows().RecordCount(), 7);
  EXPECT_EQ(rows().AbsolutePosition(), 3);
  rows().AddNew();
  control().Refresh();
  EXPECT_EQ(db_.Column("序号").size(), 7u);
  rows().AddNew();
  rows().Update();  // saved when asked: the table numbers it
  EXPECT_EQ(db_.Column("序号").back(), "8");
}

TEST_F(DataControlTest, ChangingTheKeyKeepsTheRowInItsPlace) {
  control().setRecordSource("Table1");
  control().Refresh();
  rows().Move(2);
  rows().setField(0, std::int32_t{20});
  rows().Update();
  rows().Move(1);
  rows().Move(2);
  EXPECT_EQ(rows().Fields(0).toInt32(), 20);
  EXPECT_EQ(rows().Fields(1).toText(), "花园新村");
}

TEST_F(DataControlTest, LargeTablesAreReadInBlocks) {
  std::vector<Case> cases;
  for (int i = 8; i <= 2000; ++i) cases.push_back({i, QString("案例%1").arg(i), QString::number(i)});
  db_.Add(cases);
  control().setRecordSource("Table1");
  control().Refresh();
  EXPECT_EQ(rows().RecordCount(), 2000);
  EXPECT_EQ(rows().Value(1999, 1).toText(), "案例1999");
  EXPECT_EQ(rows().Value(8, 1).toText(), "案例8");
  EXPECT_EQ(rows().Value(1250, 2).toText(), "1250");
  db_.Run("delete from Table1 where \"序号\" = 1500");  // by another program
  EXPECT_TRUE(rows().Value(1500, 1).isNull());
  EXPECT_EQ(rows().Value(1501, 1).toText(), "案例1501");
}

}  // namespace
}  // namespace data

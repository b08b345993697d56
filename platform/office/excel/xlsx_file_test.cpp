#include "platform/office/excel/excel_test_support.h"

#include "platform/office/excel/password_hash.h"
#include "platform/office/zip_package.h"

namespace excel::testing {
namespace {

using automation::Object;

struct XlsxFileTest : ExcelTest {
  // Every value, formula text, format, lock and hidden state of the sheet's used cells.
  static std::vector<std::string> Contents(const Object& sheet) {
    std::vector<std::string> out;
    const Object used = sheet.obj("Range", "A1:T120");
    for (int row = 1; row <= 120; ++row) {
      out.push_back(sheet.obj("Rows", row).get("Hidden").toBool() ? "hidden" : "shown");
      for (int column = 1; column <= 20; ++column) {
        const Object cell = used.obj("Cells", row, column);
        out.push_back(cell.get("Formula").toText() + "|" + cell.get("Text").toText() + "|" + (cell.get("Locked").toBool() ? "L" : "U"));
      }
    }
    return out;
  }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  std::string OpenError(const std::string& content) const {
    const std::string path = WriteFile("坏.xlsx", content);
    try {
      xl.obj("Workbooks").call("Open", path);
    } catch (const automation::Error& e) {
      EXPECT_EQ(e.number(), 1004);
      return e.description();
    }
    return "opened";
  }
};

TEST_F(XlsxFileTest, TheProjectWorkbooksComeBackAsTheyWere) {
  for (const char* name : {"市场法", "成本法", "基准地价与成本逼近", "房地产估价作业方案"}) {
    SCOPED_TRACE(name);
    const std::string templatePath = std::string(QORVANE_BIN_DIR) + "/" + name + ".xlt";
    const std::string path = Path(std::string(name) + ".xlsx");
    xl.obj("Workbooks").call("Open", templatePath).toObject().call("SaveAs", path);
    xl.obj("ActiveWorkbook").call("Close");
    EXPECT_TRUE(office::LooksLikeZip(ReadFile(path)));
    const Object book = xl.obj("Workbooks").call("Open", templatePath).toObject();
    const int count = book.obj("Worksheets").get("Count").toInt32();
    const Object again = xl.obj("Workbooks").call("Open", path).toObject();
    ASSERT_EQ(again.obj("Worksheets").get("Count").toInt32(), count);
    for (int i = 1; i <= count; ++i) {
      const Object a = book.obj("Worksheets", i), b = again.obj("Worksheets", i);
      EXPECT_EQ(a.get("Name").toText(), b.get("Name").toText());
      EXPECT_EQ(a.get("Visible").toInt32(), b.get("Visible").toInt32());
      EXPECT_EQ(a.get("ProtectContents").toBool(), b.get("ProtectContents").toBool());
      EXPECT_EQ(a.obj("PageSetup").get("PrintArea").toText(), b.obj("PageSetup").get("PrintArea").toText());
      for (int column = 1; column <= 20; ++column)
        EXPECT_EQ(a.obj("Columns", column).get("ColumnWidth").toDouble(), b.obj("Columns", column).get("ColumnWidth").toDouble());
      EXPECT_EQ(Contents(a), Contents(b)) << a.get("Name").toText();
    }
    book.call("Close", false);
    again.call("Close", false);
  }
}

TEST_F(XlsxFileTest, ProtectionKeepsItsPasswordThroughTheFile) {
  const Object sheet = NewSheet();
  sheet.obj("Range", "B2").put("Value", "=1+2");
  sheet.obj("Range", "C3").put("Locked", false);
  sheet.call("Protect", "密码pw");
  xl.obj("ActiveWorkbook").call("Protect", "书");
  xl.obj("ActiveWorkbook").call("SaveAs", Path("p.xlsx"));
  xl.obj("ActiveWorkbook").call("Close");
  const Object book = xl.obj("Workbooks").call("Open", Path("p.xlsx")).toObject();
  const Object back = book.obj("Worksheets", 1);
  EXPECT_EQ(back.obj("Range", "B2").get("Value").toDouble(), 3);
  EXPECT_EQ(ErrorNumberOf([&] { back.obj("Range", "B2").put("Value", 1); }), 1004);
  back.obj("Range", "C3").put("Value", 7);
  EXPECT_EQ(ErrorNumberOf([&] { back.call("Unprotect", "wrong"); }), 1004);
  back.call("Unprotect", "密码pw");
  EXPECT_FALSE(back.get("ProtectContents").toBool());
  EXPECT_TRUE(book.get("ProtectStructure").toBool());
  book.call("Unprotect", "书");
  EXPECT_FALSE(book.get("ProtectStructure").toBool());
  EXPECT_EQ(LegacyPasswordHash("test"), "CBEB");
  // Other spreadsheets write the hash's digits in lower case.
  EXPECT_TRUE(PasswordMatches("test", "", "cbeb"));
  EXPECT_FALSE(PasswordMatches("tesT", "", "cbeb"));
}

TEST_F(XlsxFileTest, TheContentNotTheNameSaysTheFormat) {
  const Object sheet = NewSheet();
  sheet.obj("Range", "A1").put("Value", "值");
  xl.obj("ActiveWorkbook").call("SaveAs", Path("a.xls"), 51);
  EXPECT_TRUE(office::LooksLikeZip(ReadFile(Path("a.xls"))));
  xl.obj("ActiveWorkbook").call("SaveAs", Path("b.xlsx"), -4143);
  EXPECT_FALSE(office::LooksLikeZip(ReadFile(Path("b.xlsx"))));
  xl.obj("ActiveWorkbook").call("Close");
  for (const char* name : {"a.xls", "b.xlsx"})
    EXPECT_EQ(xl.obj("Workbooks").call("Open", Path(name)).toObject().obj("Worksheets", 1).obj("Range", "A1").get("Value").toText(), "值");
}

TEST_F(XlsxFileTest, SavedFollowsChangesAndSaves) {
  const Object book = xl.obj("Workbooks").call("Open", std::string(QORVANE_BIN_DIR) + "/市场法.xlt").toObject();
  EXPECT_TRUE(book.get("Saved").toBool());
  book.obj("Worksheets", "参数").obj("Range", "E7").put("Value", "张三");
  EXPECT_FALSE(book.get("Saved").toBool());
  EXPECT_EQ(ErrorNumberOf([&] { book.call("Save"); }), 1004) << "never saved: it has no file yet";
  book.call("SaveAs", Path("项目.xlsx"));
  EXPECT_TRUE(book.get("Saved").toBool());
  book.obj("Worksheets", "参数").obj("Range", "E8").put("Value", "证号");
  EXPECT_FALSE(book.get("Saved").toBool());
  book.call("Save");
  EXPECT_TRUE(book.get("Saved").toBool());
  EXPECT_TRUE(office::LooksLikeZip(ReadFile(Path("项目.xlsx"))));
  book.obj("Worksheets", "参数").obj("Range", "E7").put("Value", "李四");
  book.call("Close", false);
  Object again = xl.obj("Workbooks").call("Open", Path("项目.xlsx")).toObject();
  EXPECT_EQ(again.obj("Worksheets", "参数").obj("Range", "E7").get("Value").toText(), "张三");
  EXPECT_EQ(again.obj("Worksheets", "参数").obj("Range", "E8").get("Value").toText(), "证号");
  again.obj("Worksheets", "参数").obj("Range", "E7").put("Value", "王五");
  again.call("Close", true);
  again = xl.obj("Workbooks").call("Open", Path("项目.xlsx")).toObject();
  EXPECT_EQ(again.obj("Worksheets", "参数").obj("Range", "E7").get("Value").toText(), "王五");

  // Not only content: hiding rows and widening columns are changes too.
  const Object sheet = NewSheet();
  const Object added = xl.obj("ActiveWorkbook");
  EXPECT_TRUE(added.get("Saved").toBool());
  sheet.obj("Rows", 3).put("Hidden", true);
  EXPECT_FALSE(added.get("Saved").toBool());
  added.put("Saved", true);
  sheet.obj("Columns", 2).put("ColumnWidth", 20);
  EXPECT_FALSE(added.get("Saved").toBool());
}

TEST_F(XlsxFileTest, MalformedPackagesAreRefusedWithTheReason) {
  const Object sheet = NewSheet();
  sheet.obj("Range", "A1").put("Value", "=ROW()");
  xl.obj("ActiveWorkbook").call("SaveAs", Path("good.xlsx"));
  const std::string good = ReadFile(Path("good.xlsx"));
  EXPECT_NE(OpenError(good.substr(0, good.size() / 2)).find("zip"), std::string::npos);
  EXPECT_NE(OpenError("PK\x03\x04 nothing more").find("not a valid workbook file"), std::string::npos);
  // Every cut and a flipped byte at many places: refused or read, never a crash.
  for (std::size_t at = 0; at < good.size(); at += 97) {
    std::string bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x5A);
    const std::string result = OpenError(bad);
    if (result == "opened") xl.obj("ActiveWorkbook").call("Close", false);
    OpenError(good.substr(0, at));
  }
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 1);
}

}  // namespace
}  // namespace excel::testing

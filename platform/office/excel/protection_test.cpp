#include "platform/office/excel/excel_test_support.h"

namespace excel::testing {
namespace {

using automation::Named;
using automation::Object;
using automation::Variant;

// A sheet whose D9:F10 are unlocked, as the case rows of the market sheet are.
struct ProtectionTest : ExcelTest {
  ProtectionTest() {
    book = Open("protect.json", R"({"sheets": [{"name": "市场法计算表", "cells": {
        "A1": {"value": 1}, "D9": {"value": 0, "locked": false}, "E9": {"locked": false},
        "F9": {"locked": false}, "D10": {"locked": false}, "E10": {"locked": false}, "F10": {"locked": false}}},
        {"name": "参数"}]})");
    sheet = book.obj("Worksheets", "市场法计算表");
  }
  Object book, sheet;
};

TEST_F(ProtectionTest, AProtectedSheetRefusesWritesToLockedCellsOnly) {
  sheet.call("Protect", "pw");
  EXPECT_EQ(sheet.get("ProtectContents"), Variant(true));
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Range", "A1").put("Value", 2); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Range", "B2").put("Formula", "=1"); }), 1004) << "a never written cell is locked";
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Range", "A1").call("ClearContents"); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Range", "D9:F11").put("Value", 1); }), 1004) << "one locked cell refuses the range";
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Rows", "3:4").call("Insert"); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Rows", "3:4").call("Delete"); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Rows", "3:4").put("Hidden", true); }), 1004);
  EXPECT_EQ(sheet.obj("Range", "A1").get("Value").toDouble(), 1);
  sheet.obj("Range", "d9").put("Value", "12345.6");
  sheet.obj("Range", "E10").put("Value", "出让");
  sheet.obj("Range", "D9:F10").call("ClearContents");
  sheet.obj("Range", "F10").put("Value", "88");
  EXPECT_EQ(sheet.obj("Range", "F10").get("Value").toDouble(), 88);
  EXPECT_EQ(sheet.obj("Range", "D9:F10").get("Locked"), Variant(false));
  EXPECT_TRUE(sheet.obj("Range", "D9:D11").get("Locked").isNull());
}

TEST_F(ProtectionTest, UnprotectWithAWrongPasswordFailsAndTheProtectionStays) {
  sheet.call("Protect", "pw");
  EXPECT_EQ(ErrorNumberOf([&] { sheet.call("Unprotect", "PW"); }), 1004) << "passwords are case-sensitive";
  EXPECT_EQ(ErrorNumberOf([&] { sheet.call("Unprotect"); }), 1004);
  EXPECT_EQ(sheet.get("ProtectContents"), Variant(true));
  EXPECT_EQ(ErrorNumberOf([&] { sheet.call("Protect", "pw"); }), 0) << "again with the same password";
  EXPECT_EQ(ErrorNumberOf([&] { sheet.call("Protect", "other"); }), 1004);
  sheet.call("Unprotect", "pw");
  EXPECT_EQ(sheet.get("ProtectContents"), Variant(false));
  EXPECT_EQ(ErrorNumberOf([&] { sheet.call("Unprotect", "anything"); }), 0) << "an unprotected sheet";
  sheet.obj("Range", "A1").put("Value", 2);
}

TEST_F(ProtectionTest, AllowFormattingCellsLetsWidthsThrough) {
  sheet.call("Protect", "pw");
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Range", "A1").put("ColumnWidth", 20); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Columns", "A").call("AutoFit"); }), 1004);
  sheet.call("Unprotect", "pw");
  sheet.call("Protect", "pw", Named("DrawingObjects", true), Named("Contents", true), Named("Scenarios", true),
             Named("AllowFormattingCells", true));
  sheet.obj("Range", "A1").put("ColumnWidth", 20);
  sheet.obj("Columns", "A").call("AutoFit");
  EXPECT_LT(sheet.obj("Range", "A1").get("ColumnWidth").toDouble(), 20);
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Range", "A1").put("Value", 3); }), 1004) << "contents stay protected";
}

TEST_F(ProtectionTest, WorkbookStructureProtectionGuardsTheSheets) {
  book.call("Protect", "wb");
  EXPECT_EQ(book.get("ProtectStructure"), Variant(true));
  EXPECT_EQ(ErrorNumberOf([&] { sheet.put("Name", "改名"); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { book.obj("Sheets", "参数").put("Visible", false); }), 1004);
  sheet.obj("Range", "A1").put("Value", 5);  // cells are no part of the structure
  EXPECT_EQ(ErrorNumberOf([&] { book.call("Unprotect", "x"); }), 1004);
  EXPECT_EQ(book.get("ProtectStructure"), Variant(true));
  book.call("Unprotect", "wb");
  sheet.put("Name", "改名");
  EXPECT_EQ(book.obj("Sheets", 1).get("Name").toText(), "改名");
  EXPECT_EQ(ErrorNumberOf([&] { sheet.put("Name", "参数"); }), 1004) << "a name already taken";
}

}  // namespace
}  // namespace excel::testing

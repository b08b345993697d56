#include "platform/office/excel/excel_test_support.h"

namespace excel::testing {
namespace {

using automation::Object;

// Two sheets; 表1 holds values in rows 10 to 12, both hold formulas that refer to them.
struct ReferenceAdjustmentTest : ExcelTest {
  ReferenceAdjustmentTest() {
    book = Open("refs.json", R"json({"sheets": [
      {"name": "表1", "cells": {
        "A10": {"value": 1}, "A11": {"value": 2}, "A12": {"value": 3},
        "B1": {"formula": "=A10"}, "B2": {"formula": "=$A$11"}, "B3": {"formula": "=SUM(A10:A12)"},
        "B4": {"formula": "=ROW(A12)"}, "B5": {"formula": "=A5"}}},
      {"name": "汇总 2", "cells": {
        "A1": {"formula": "=表1!A11"}, "A2": {"formula": "=SUM(表1!$A$10:$A$12)"}, "A11": {"value": 9}}}
    ]})json");
    s1 = book.obj("Worksheets", "表1");
    s2 = book.obj("Worksheets", "汇总 2");
  }
  std::string F(const Object& sheet, const char* cell) { return sheet.obj("Range", cell).get("Formula").toText(); }
  double V(const Object& sheet, const char* cell) { return sheet.obj("Range", cell).get("Value").toDouble(); }

  Object book, s1, s2;
};

TEST_F(ReferenceAdjustmentTest, InsertedRowsMoveEveryReferenceAtOrBelowThem) {
  s1.obj("Rows", "11:12").call("Insert");
  EXPECT_EQ(F(s1, "B1"), "=A10") << "above the insertion";
  EXPECT_EQ(F(s1, "B2"), "=$A$13") << "absolute references move too";
  EXPECT_EQ(F(s1, "B3"), "=SUM(A10:A14)") << "a range across the insertion grows";
  EXPECT_EQ(F(s1, "B4"), "=ROW(A14)");
  EXPECT_EQ(V(s1, "B3"), 6);
  EXPECT_EQ(F(s2, "A1"), "=表1!A13") << "other sheets follow";
  EXPECT_EQ(F(s2, "A2"), "=SUM(表1!$A$10:$A$14)");
  EXPECT_EQ(V(s2, "A1"), 2);
  EXPECT_EQ(V(s2, "A11"), 9) << "the other sheet's rows stay";
}

TEST_F(ReferenceAdjustmentTest, FormulasThatMoveKeepPointingAtTheSameCells) {
  s1.obj("Rows", "1:1").call("Insert");
  EXPECT_EQ(F(s1, "B2"), "=A11");
  EXPECT_EQ(F(s1, "B6"), "=A6") << "a formula and its target moving together";
  EXPECT_EQ(s1.obj("Range", "B2").get("FormulaR1C1").toText(), "=R[9]C[-1]");
  EXPECT_EQ(F(s2, "A1"), "=表1!A12");
}

TEST_F(ReferenceAdjustmentTest, DeletedRowsMoveReferencesUpAndLoseTheirCells) {
  s1.obj("Rows", "11:11").call("Delete", automation::Named("Shift", 3));
  EXPECT_EQ(F(s1, "B1"), "=A10");
  EXPECT_EQ(F(s1, "B2"), "=#REF!") << "its row is gone";
  EXPECT_EQ(s1.obj("Range", "B2").get("Value"), automation::Variant(automation::ErrorValue{2023}));
  EXPECT_EQ(F(s1, "B3"), "=SUM(A10:A11)") << "a range shrinks";
  EXPECT_EQ(V(s1, "B3"), 4);
  EXPECT_EQ(F(s1, "B4"), "=ROW(A11)");
  EXPECT_EQ(F(s2, "A1"), "=#REF!");
  EXPECT_EQ(F(s2, "A2"), "=SUM(表1!$A$10:$A$11)");
  s1.obj("Rows", "10:11").call("Delete");
  EXPECT_EQ(F(s1, "B3"), "=SUM(#REF!)") << "a range whose rows are all gone";
}

TEST_F(ReferenceAdjustmentTest, DeletingRowsThatHoldFormulasDropsThem) {
  s1.obj("Rows", "1:3").call("Delete");
  EXPECT_EQ(F(s1, "B1"), "=ROW(A9)");
  EXPECT_EQ(F(s1, "B2"), "=A2") << "=A5 was in row 5, now row 2";
  EXPECT_EQ(V(s1, "A7"), 1);
}

TEST_F(ReferenceAdjustmentTest, CopiedRowsKeepRelativeReferencesRelativeToTheirNewPlace) {
  // A two-row block: row 20 refers inside the block, to row 1 absolutely, and to a row above.
  s1.obj("Range", "A20").put("Value", 5);
  s1.obj("Range", "B21").put("Formula", "=A20*2");
  s1.obj("Range", "C21").put("Formula", "=$B$1+A10");
  s1.obj("Range", "D21").put("Formula", "=$A$20");
  s1.obj("Rows", "20:21").put("Hidden", true);
  s1.obj("Rows", "20:21").call("Copy");
  s1.call("Select");
  s1.obj("Rows", "20").call("Select");
  xl.obj("Selection").call("Insert", automation::Named("Shift", -4121));
  EXPECT_EQ(F(s1, "B21"), "=A20*2") << "the copy refers inside itself";
  EXPECT_EQ(F(s1, "B23"), "=A22*2") << "the original moved with its rows";
  EXPECT_EQ(F(s1, "C21"), "=$B$1+A10");
  EXPECT_EQ(F(s1, "D21"), "=$A$22") << "absolute references name the original's cell";
  EXPECT_EQ(V(s1, "B21"), 10);
  EXPECT_EQ(s1.obj("Rows", "20:23").get("Hidden"), automation::Variant(true)) << "the copy comes hidden";
  EXPECT_EQ(xl.get("CutCopyMode").toInt32(), 1);
  xl.put("CutCopyMode", false);
  EXPECT_EQ(xl.get("CutCopyMode"), automation::Variant(false));
  xl.obj("Selection").call("Insert");
  EXPECT_EQ(F(s1, "B23"), "=A22*2") << "without a copy, empty rows";
  EXPECT_EQ(s1.obj("Range", "A21").get("Value").isEmpty(), true);
}

TEST_F(ReferenceAdjustmentTest, PrintAreaFollowsRows) {
  s1.obj("PageSetup").put("PrintArea", "A2:O37");
  s1.obj("Rows", "38:73").call("Insert");
  EXPECT_EQ(s1.obj("PageSetup").get("PrintArea").toText(), "$A$2:$O$37");
  s1.obj("Rows", "10:11").call("Insert");
  EXPECT_EQ(s1.obj("PageSetup").get("PrintArea").toText(), "$A$2:$O$39");
}

}  // namespace
}  // namespace excel::testing

#include "platform/office/excel/excel_test_support.h"

#include <chrono>

namespace excel::testing {
namespace {

using automation::ErrorValue;
using automation::Variant;

struct FormulaTest : ExcelTest {
  FormulaTest() {
    sheet.obj("Range", "A1").put("Value", 10);
    sheet.obj("Range", "A2").put("Value", 4);
    sheet.obj("Range", "A3").put("Value", "abc");
  }
  Variant ValueOf(const std::string& formula) {
    sheet.obj("Range", "Z100").put("Formula", formula);
    return sheet.obj("Range", "Z100").get("Value");
  }
  automation::Object sheet = NewSheet();
};

TEST_F(FormulaTest, OperatorsFollowExcelPrecedence) {
  EXPECT_EQ(ValueOf("=1+2*3").toDouble(), 7);
  EXPECT_EQ(ValueOf("=(1+2)*3").toDouble(), 9);
  EXPECT_EQ(ValueOf("=-2^2").toDouble(), 4) << "negation binds before ^";
  EXPECT_EQ(ValueOf("=2^3^2").toDouble(), 64) << "^ is left-associative";
  EXPECT_EQ(ValueOf("=A1/A2").toDouble(), 2.5);
  EXPECT_EQ(ValueOf("=A1&\"-\"&A2").toText(), "10-4");
  EXPECT_EQ(ValueOf("=1+1=2"), Variant(true));
  EXPECT_EQ(ValueOf("=A1<>A2"), Variant(true));
  EXPECT_EQ(ValueOf("=\"B\">\"a\""), Variant(true)) << "texts compare without case";
  EXPECT_EQ(ValueOf("=\"5\"+1").toDouble(), 6) << "a text that reads as a number counts";
  EXPECT_EQ(ValueOf("=B7+1").toDouble(), 1) << "an empty cell is 0";
}

TEST_F(FormulaTest, FunctionsOverValuesAndRanges) {
  EXPECT_EQ(ValueOf("=SUM(A1:A3)").toDouble(), 14) << "texts in a range are skipped";
  EXPECT_EQ(ValueOf("=sum(A1,A2,5)").toDouble(), 19);
  EXPECT_EQ(ValueOf("=AVERAGE(A1:A2)").toDouble(), 7);
  EXPECT_EQ(ValueOf("=MIN(A1:A3)").toDouble(), 4);
  EXPECT_EQ(ValueOf("=MAX(A1:A3,12)").toDouble(), 12);
  EXPECT_EQ(ValueOf("=ROUND(2.675,2)").toDouble(), 2.68);
  EXPECT_EQ(ValueOf("=ROUND(-1234.5,-2)").toDouble(), -1200);
  EXPECT_EQ(ValueOf("=ABS(-3)").toDouble(), 3);
  EXPECT_EQ(ValueOf("=IF(A1>5,\"big\",\"small\")").toText(), "big");
  EXPECT_EQ(ValueOf("=IF(A1>50,1)"), Variant(false));
  EXPECT_EQ(ValueOf("=ROW(C38)").toDouble(), 38);
  EXPECT_EQ(ValueOf("=ROW()").toDouble(), 100);
  EXPECT_EQ(ValueOf("=ROW(B5:C9)").toDouble(), 5);
}

TEST_F(FormulaTest, ErrorValuesPropagate) {
  const auto error = [](std::int32_t code) { return Variant(ErrorValue{code}); };
  EXPECT_EQ(ValueOf("=1/0"), error(2007));
  EXPECT_EQ(ValueOf("=A3*2"), error(2015));
  EXPECT_EQ(ValueOf("=NOSUCH(1)"), error(2029));
  EXPECT_EQ(ValueOf("=SUM(1,#N/A)"), error(2042));
  sheet.obj("Range", "B1").put("Formula", "=1/0");
  EXPECT_EQ(ValueOf("=SUM(B1:B3)+1"), error(2007));
  EXPECT_EQ(ValueOf("=IF(TRUE,1,B1)").toDouble(), 1) << "the branch not taken does not count";
  EXPECT_EQ(sheet.obj("Range", "B1").get("Text").toText(), "#DIV/0!");
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Range", "B1").get("Value").toText(); }), 13) << "an error value is no text";
}

TEST_F(FormulaTest, ValuesFollowEveryEditOfTheCellsTheyRead) {
  const auto c1 = sheet.obj("Range", "C1");
  c1.put("Formula", "=A1*2+SUM(A2:A3)");
  EXPECT_EQ(c1.get("Value").toDouble(), 24);
  sheet.obj("Range", "A1").put("Value", 7);
  EXPECT_EQ(c1.get("Value").toDouble(), 18);
  sheet.obj("Range", "A2").put("Formula", "=A1");
  EXPECT_EQ(c1.get("Value").toDouble(), 21);
  sheet.obj("Rows", "2:2").call("Insert");
  sheet.obj("Range", "A2").put("Value", 100);
  EXPECT_EQ(c1.get("Value").toDouble(), 21) << "the new row is outside the range";
  sheet.obj("Range", "A1:A4").call("ClearContents");
  EXPECT_EQ(c1.get("Value").toDouble(), 0);
}

TEST_F(FormulaTest, CircularReferencesReadAsZero) {
  sheet.obj("Range", "C1").put("Formula", "=C2+1");
  sheet.obj("Range", "C2").put("Formula", "=C1+1");
  EXPECT_EQ(sheet.obj("Range", "C1").get("Value").toDouble(), 2);
}

TEST_F(FormulaTest, LongChainsAreComputedWithoutExhaustingTheStack) {
  constexpr int kLength = 5000;
  sheet.obj("Cells", 1, 5).put("Value", 1);
  for (int row = 2; row <= kLength; ++row) sheet.obj("Cells", row, 5).put("FormulaR1C1", "=R[-1]C+1");
  EXPECT_EQ(sheet.obj("Cells", kLength, 5).get("Value").toDouble(), kLength);
  EXPECT_EQ(sheet.obj("Cells", 1500, 5).get("Value").toDouble(), 1500) << "no cut-off value is kept";
}

TEST_F(FormulaTest, CyclesLongerThanAnyDepthLimitReadAsCircularReferencesAtOnce) {
  const auto started = std::chrono::steady_clock::now();
  sheet.obj("Range", "A1:A1000").put("Formula", "=A2+1");
  sheet.obj("Range", "A1001").put("Formula", "=A1");
  EXPECT_EQ(sheet.obj("Range", "A1").get("Value").toDouble(), 1000) << "A1001 finds A1 in the making: 0";
  EXPECT_EQ(sheet.obj("Range", "A1001").get("Value").toDouble(), 0);

  sheet.obj("Range", "B1:B20000").put("Formula", "=B2+1");
  sheet.obj("Range", "B20001").put("Formula", "=B1");
  EXPECT_EQ(sheet.obj("Range", "B7").get("Value").toDouble(), 20000) << "the cycle closes at B7, read as 0 by B6";
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

TEST_F(FormulaTest, TextsOfAnyLengthReadAsNumbersOrNotWithoutDelay) {
  const auto started = std::chrono::steady_clock::now();
  const std::string digits(26000, '1');
  sheet.obj("Range", "A14").put("Value", digits + "x");
  EXPECT_EQ(sheet.obj("Range", "A14").get("Value"), Variant(digits + "x"));
  EXPECT_EQ(ValueOf("=A14+1"), Variant(ErrorValue{2015}));
  sheet.obj("Range", "A15").put("Value", digits);
  EXPECT_EQ(sheet.obj("Range", "A15").get("Value"), Variant(digits)) << "beyond the double range it stays a text";
  EXPECT_EQ(ValueOf("=A15+1"), Variant(ErrorValue{2036}));

  const auto opened = Open("long.json", R"({"sheets": [{"name": "S", "cells": {"A1": {"value": ")" + std::string(30000, '2') +
                                            R"("}, "A2": {"formula": "=A1+1"}}}]})");
  EXPECT_EQ(opened.obj("Worksheets", 1).obj("Range", "A2").get("Text").toText(), "#NUM!");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

TEST_F(FormulaTest, AJoinedTextLongerThanACellHoldsIsAnErrorValue) {
  sheet.obj("Range", "A1").put("Value", std::string(20000, 'x'));
  sheet.obj("Range", "A2").put("Formula", "=A1&A1");
  EXPECT_EQ(sheet.obj("Range", "A2").get("Text").toText(), "#VALUE!");
  sheet.obj("Range", "A3").put("Formula", "=A1&\"y\"");
  EXPECT_EQ(sheet.obj("Range", "A3").get("Value").toText().size(), 20001u);
}

TEST_F(FormulaTest, FormulaAndFormulaR1C1AreTheSameFormula) {
  const auto c5 = sheet.obj("Range", "C5");
  c5.put("Formula", "=$A$1+B4*2");
  EXPECT_EQ(c5.get("Formula").toText(), "=$A$1+B4*2");
  EXPECT_EQ(c5.get("FormulaR1C1").toText(), "=R1C1+R[-1]C[-1]*2");
  c5.put("FormulaR1C1", "=SUM(R1C1:R[-3]C[-2])");
  EXPECT_EQ(c5.get("Formula").toText(), "=SUM($A$1:A2)");
  EXPECT_EQ(c5.get("Value").toDouble(), 14);
  c5.put("FormulaR1C1", "=RC[-2]+R[-4]C");
  EXPECT_EQ(c5.get("Formula").toText(), "=A5+C1");
}

TEST_F(FormulaTest, R1C1LinksToOtherSheetsAsTheSummaryWritesThem) {
  const auto book = xl.get("ActiveWorkbook").toObject();
  book.obj("Worksheets", 1).put("Name", "市场法计算表");
  const auto other = book.obj("Worksheets", 1);
  other.obj("Range", "C74").put("Value", 30000);
  other.obj("Range", "E74").put("Value", 500);
  other.obj("Range", "Q3").put("Value", 7);
  const auto cell = other.obj("Range", "A9");  // R1C1 relative columns count from column A
  cell.put("FormulaR1C1", "=市场法计算表!R74C3/2/10000 + 市场法计算表!R74C[2]/2");
  EXPECT_EQ(cell.get("Value").toDouble(), 15001.5) << "C[2] in column A is column C";
  EXPECT_EQ(cell.get("Formula").toText(), "=$C$74/2/10000+C$74/2") << "a sheet naming itself reads as plain references";
  cell.put("FormulaR1C1", "='市场法计算表'!R[-6]C17");
  EXPECT_EQ(cell.get("Value").toDouble(), 7);
}

TEST_F(FormulaTest, MalformedFormulasAreRefusedAndLeaveTheCell) {
  const auto b2 = sheet.obj("Range", "B2");
  b2.put("Value", 3);
  for (const char* bad : {"=1+", "=SUM(A1", "=(1", "=A1:", "=\"x", "=NoSheet!A1", "=1 2"})
    EXPECT_EQ(ErrorNumberOf([&] { b2.put("Formula", bad); }), 1004) << bad;
  EXPECT_EQ(ErrorNumberOf([&] { b2.put("Formula", "=" + std::string(5000, '(') + "1" + std::string(5000, ')')); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { b2.put("Formula", "=" + std::string(5000, '-') + "1"); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { b2.obj("Cells", 2147483647, 1); }), 1004) << "off the sheet";
  EXPECT_EQ(b2.get("Value").toDouble(), 3);
  EXPECT_EQ(ValueOf("=((((1))))+-(-2)").toDouble(), 3) << "ordinary nesting";
}

}  // namespace
}  // namespace excel::testing

// The map between the model's positions and the shown ones, on stories made here and on a real
// report template.

#include "platform/office/windows/word/shown_story.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include "platform/office/word/document_file.h"
#include "platform/office/word/find_replace.h"
#include "platform/office/word/story.h"
#include "platform/runtime/error.h"

namespace office::windows::word {
namespace {

using office::word::Field;
using office::word::Paragraph;
using office::word::Row;
namespace w = office::word;  // w::Run: a test's own Run would hide the model's
using office::word::Span;
using office::word::Story;
using office::word::Table;

QString Shown(const QTextDocument& doc, int from, int to) {
  QTextCursor c(const_cast<QTextDocument*>(&doc));
  c.setPosition(from);
  c.setPosition(to, QTextCursor::KeepAnchor);
  return c.selectedText();
}

// Every character of a run or a field result is shown where the map says, and maps back to itself.
void ExpectEveryTextCharacterMapped(Story& story, const ShownStory& shown, const QTextDocument& doc) {
  office::word::WalkPositions(story, [&](const office::word::Piece& p, std::size_t pos) {
    if (p.kind != office::word::PieceKind::Text && p.kind != office::word::PieceKind::FieldResult) return true;
    for (std::size_t i = 0; i < p.length(); ++i) {
      const std::size_t m = pos + i;
      const int s = shown.ShownOf(m);
      const std::string model = office::word::SpanText(story, {m, m + 1});
      QString expected = QString::fromStdString(model);
      if (model == "\r" || model == "\f") expected = QChar(QChar::ParagraphSeparator);  // a page break ends its block
      const QString got = Shown(doc, s, s + static_cast<int>(expected.size()));
      EXPECT_EQ(got, expected) << "model " << m;
      EXPECT_EQ(shown.CharAt(s).model, m);
      EXPECT_EQ(shown.CharAt(s).kind, ShownChar::Kind::Text);
      if (i > 0) {
        EXPECT_EQ(shown.ModelOf(s), m);
      }
    }
    return true;
  });
}

TEST(ShownStoryTest, FieldsShowTheirResultAndCaretsAtTheirEdgesStandOutside) {
  Story story;
  story.blocks.push_back(Paragraph{{w::Run{"坐落："}, Field{1, "TITLE 房屋坐落", "人民路1号"}, w::Run{"。"}}});
  story.blocks.push_back(Paragraph{{Field{2, "TITLE 用途", "住宅"}}});
  QTextDocument doc;
  ShownStory shown;
  shown.Render(story, doc);
  EXPECT_EQ(doc.toPlainText(), QStringLiteral("坐落：人民路1号。\n住宅"));
  // 坐落： 0-2, field begin 3, code 4-13, separator 14, result 15-19, end 20, 。 21, mark 22
  EXPECT_EQ(shown.ShownOf(3), 3);
  EXPECT_EQ(shown.ShownOf(8), 3) << "a hidden code stands where its result is shown";
  EXPECT_EQ(shown.ShownOf(15), 3);
  EXPECT_EQ(shown.ShownOf(17), 5);
  EXPECT_EQ(shown.ShownOf(20), 8);
  EXPECT_EQ(shown.ShownOf(21), 8);
  EXPECT_EQ(shown.ModelOf(3), 3u) << "before the field";
  EXPECT_EQ(shown.ModelOf(5), 17u) << "inside the result";
  EXPECT_EQ(shown.ModelOf(8), 21u) << "after the field";
  EXPECT_EQ(shown.CharAt(9).kind, ShownChar::Kind::Mark);
  EXPECT_EQ(shown.CharAt(9).model, 22u);
  EXPECT_EQ(shown.ModelOf(10), 23u) << "the second paragraph starts at its field";
  const Span whole = shown.ModelSpanOf(3, 8);
  EXPECT_EQ(whole.start, 3u);
  EXPECT_EQ(whole.end, 21u) << "the shown result selects the whole field";
  ExpectEveryTextCharacterMapped(story, shown, doc);

  QTextCursor c(&doc);
  c.setPosition(4);
  EXPECT_EQ(c.charFormat().background().color(), FieldShading());
  c.setPosition(2);
  EXPECT_NE(c.charFormat().background().color(), FieldShading());
}

TEST(ShownStoryTest, TablesAreGridsWithTheirCellsInPlace) {
  Story story;
  story.blocks.push_back(Paragraph{{w::Run{"表一"}}});
  Table table{7, {Row{8, {{{w::Run{"坐落"}}}, {{w::Run{"用途"}}}, {{}}}}, Row{9, {{{Field{3, "TITLE a", "甲"}}}, {{w::Run{"第一\r第二"}}}}}}};
  story.blocks.push_back(table);
  story.blocks.push_back(table);
  story.blocks.push_back(Paragraph{{w::Run{"完"}}});
  QTextDocument doc;
  ShownStory shown;
  shown.Render(story, doc);
  ExpectEveryTextCharacterMapped(story, shown, doc);

  int tables = 0;
  for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
    auto* t = qobject_cast<QTextTable*>(frame);
    ASSERT_NE(t, nullptr);
    ++tables;
    EXPECT_EQ(t->rows(), 2);
    EXPECT_EQ(t->columns(), 3);
    EXPECT_EQ(t->cellAt(1, 1).columnSpan(), 2) << "the short row's last cell spans the rest";
    const QTextTableCell cell = t->cellAt(0, 1);
    EXPECT_EQ(Shown(doc, cell.firstPosition(), cell.lastPosition()), QStringLiteral("用途"));
  }
  EXPECT_EQ(tables, 2);
  const auto tableStart = office::word::TableSpan(story, 7).start;
  QTextCursor c(&doc);
  c.setPosition(shown.ShownOf(tableStart));
  ASSERT_NE(c.currentTable(), nullptr);
  EXPECT_EQ(c.currentTable()->cellAt(c).row(), 0);
  EXPECT_EQ(c.currentTable()->cellAt(c).column(), 0);
  EXPECT_EQ(shown.ModelOf(c.position()), tableStart);
  // The last paragraph, after the tables.
  const std::size_t length = office::word::StoryLength(story);
  EXPECT_EQ(Shown(doc, shown.ShownOf(length - 2), shown.ShownOf(length - 1)), QStringLiteral("完"));
  EXPECT_EQ(shown.ShownOf(length), doc.characterCount() - 1);
}

TEST(ShownStoryTest, CharactersBeyondTheBasicPlaneTakeTwoShownPositions) {
  Story story;
  story.blocks.push_back(Paragraph{{w::Run{"a𠀀b"}}});
  QTextDocument doc;
  ShownStory shown;
  shown.Render(story, doc);
  EXPECT_EQ(shown.ShownOf(1), 1);
  EXPECT_EQ(shown.ShownOf(2), 3);
  EXPECT_EQ(shown.CharAt(2).model, 1u);
  EXPECT_EQ(shown.ModelOf(3), 2u);
  ExpectEveryTextCharacterMapped(story, shown, doc);
}

TEST(ShownStoryTest, EveryCharacterOfAReportTemplateIsWhereTheMapSays) {
  auto content = office::word::ReadDocumentFile(std::string(QORVANE_BIN_DIR) + "/房产估价报告(市场法和收益法).dot");
  office::word::Normalize(content.main);
  QTextDocument doc;
  ShownStory shown;
  shown.Render(content.main, doc);
  ExpectEveryTextCharacterMapped(content.main, shown, doc);
  EXPECT_EQ(shown.modelLength(), office::word::StoryLength(content.main));
}

// The page after an edit rendered in place is the page rendered anew, map and all.
void ExpectSameAsRenderedAnew(Story& story, const ShownStory& updated, const QTextDocument& doc) {
  QTextDocument fresh;
  ShownStory anew;
  anew.Render(story, fresh);
  ASSERT_EQ(doc.characterCount(), fresh.characterCount());
  ASSERT_EQ(doc.toPlainText(), fresh.toPlainText());
  ASSERT_EQ(updated.modelLength(), anew.modelLength());
  for (std::size_t m = 0; m <= anew.modelLength(); ++m) ASSERT_EQ(updated.ShownOf(m), anew.ShownOf(m)) << "model " << m;
  for (int s = 0; s < fresh.characterCount(); ++s) {
    ASSERT_EQ(updated.ModelOf(s), anew.ModelOf(s)) << "shown " << s;
    ASSERT_EQ(updated.CharAt(s).kind, anew.CharAt(s).kind) << "shown " << s;
    ASSERT_EQ(updated.CharAt(s).model, anew.CharAt(s).model) << "shown " << s;
  }
  for (QTextBlock a = doc.begin(), b = fresh.begin(); a.isValid() && b.isValid(); a = a.next(), b = b.next()) {
    ASSERT_EQ(a.text(), b.text());
    ASSERT_EQ(a.blockFormat(), b.blockFormat()) << a.text().toStdString();
    for (auto fa = a.begin(), fb = b.begin(); !fa.atEnd() && !fb.atEnd(); ++fa, ++fb) {
      ASSERT_EQ(fa.fragment().text(), fb.fragment().text());
      ASSERT_EQ(fa.fragment().charFormat().background(), fb.fragment().charFormat().background());
    }
  }
}

TEST(ShownStoryTest, EditsOfParagraphsAndCellsAreShownInPlaceAsARenderAnewShowsThem) {
  auto content = office::word::ReadDocumentFile(std::string(QORVANE_BIN_DIR) + "/房产估价报告(市场法和收益法).dot");
  office::word::Normalize(content.main);
  Story& story = content.main;
  QTextDocument doc;
  ShownStory shown;
  shown.Render(story, doc);
  // Edits as a user's typing makes them, at places spread over the story: text, a paragraph
  // mark, a deletion; inside runs, field results and cells.
  std::size_t seed = 12345;
  int edits = 0, inPlace = 0;
  for (int round = 0; round < 120; ++round) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    const std::size_t length = office::word::StoryLength(story);
    const std::size_t at = (seed >> 33) % length;
    const char* texts[] = {"估", "\r", "", "ab"};
    const std::string text = texts[(seed >> 20) % 4];
    const Span span = text.empty() ? Span{at, at + 1} : Span{at, at};
    const Story before = story;
    try {
      w::Inlines with;
      if (!text.empty()) with.push_back(w::Run{text});
      office::word::ReplaceSpan(story, span, std::move(with));
      office::word::Normalize(story);
    } catch (const runtime::Error&) {
      continue;  // a place the model refuses
    }
    ++edits;
    if (shown.Update(story, before, doc)) {
      ++inPlace;
    } else {
      ADD_FAILURE() << "rendered anew: at " << at << " text '" << text << "' blocks " << before.blocks.size() << " -> "
                    << story.blocks.size();
      shown.Render(story, doc);
    }
    ExpectSameAsRenderedAnew(story, shown, doc);
    if (::testing::Test::HasFatalFailure()) return;
  }
  EXPECT_GT(edits, 40);
  EXPECT_EQ(inPlace, edits) << "every edit of one paragraph or cell is shown in place";
}

TEST(ShownStoryTest, ARefreshsReplacementsAllOverTheReportAreShownInPlace) {
  auto content = office::word::ReadDocumentFile(std::string(QORVANE_BIN_DIR) + "/房产估价报告(市场法和收益法).dot");
  office::word::Normalize(content.main);
  Story& story = content.main;
  // A value in a cell of the result table, as the summary fill puts it there.
  for (auto& block : story.blocks)
    if (auto* table = std::get_if<Table>(&block)) {
      table->rows[1].cells[0].items = {w::Run{"人民路1号"}};
      break;
    }
  QTextDocument doc;
  ShownStory shown;
  shown.Render(story, doc);
  int batches = 0;
  for (int from = 1; from <= 40; from += 8) {
    const Story before = story;
    for (int k = from; k < from + 8; ++k) {  // what a refresh does between two Syncs
      char code[16];
      std::snprintf(code, sizeof code, "_SC%03d_", k);
      office::word::FindOptions find;
      find.text = code;
      find.replacement = k % 3 == 0 ? "" : "估价对象" + std::to_string(k);
      find.wrap = 1;
      office::word::Execute(content, {0, 0}, find, office::word::ReplaceMode::All);
    }
    std::get<Table>(*std::find_if(story.blocks.begin(), story.blocks.end(), [](const auto& b) {
      return std::holds_alternative<Table>(b);
    })).rows[1].cells[0].items = {w::Run{"人民路" + std::to_string(from) + "号"}};
    ASSERT_FALSE(SameShownContent(before, story));
    ASSERT_TRUE(shown.Update(story, before, doc)) << "batch from " << from;
    ++batches;
    ExpectSameAsRenderedAnew(story, shown, doc);
    if (::testing::Test::HasFatalFailure()) return;
  }
  EXPECT_EQ(batches, 5);
}

TEST(ShownStoryTest, SeveralEditsBetweenTwoUpdatesShowAsARenderAnew) {
  auto content = office::word::ReadDocumentFile(std::string(QORVANE_BIN_DIR) + "/房产估价报告(市场法和收益法).dot");
  office::word::Normalize(content.main);
  Story& story = content.main;
  QTextDocument doc;
  ShownStory shown;
  shown.Render(story, doc);
  std::size_t seed = 777;
  for (int round = 0; round < 30; ++round) {
    const Story before = story;
    for (int edit = 0; edit < 4; ++edit) {
      seed = seed * 6364136223846793005ull + 1442695040888963407ull;
      const std::size_t at = (seed >> 33) % office::word::StoryLength(story);
      const char* texts[] = {"估", "\r", "", "价格"};
      const std::string text = texts[(seed >> 20) % 4];
      try {
        w::Inlines with;
        if (!text.empty()) with.push_back(w::Run{text});
        office::word::ReplaceSpan(story, text.empty() ? Span{at, at + 1} : Span{at, at}, std::move(with));
        office::word::Normalize(story);
      } catch (const runtime::Error&) {
      }
    }
    if (!shown.Update(story, before, doc)) shown.Render(story, doc);
    ExpectSameAsRenderedAnew(story, shown, doc);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(ShownStoryTest, AChangedTableShapeIsRenderedAnew) {
  Story story;
  story.blocks.push_back(Paragraph{{w::Run{"表"}}});
  story.blocks.push_back(Table{1, {Row{2, {{{w::Run{"甲"}}}}}}});
  story.blocks.push_back(Paragraph{});
  QTextDocument doc;
  ShownStory shown;
  shown.Render(story, doc);
  const Story before = story;
  std::get<Table>(story.blocks[1]).rows.push_back(Row{3, {{{w::Run{"乙"}}}}});
  EXPECT_FALSE(shown.Update(story, before, doc));
  shown.Render(story, doc);
  ExpectSameAsRenderedAnew(story, shown, doc);
  const Story same = story;
  EXPECT_TRUE(shown.Update(story, same, doc)) << "nothing to do";
}

TEST(ShownStoryTest, FormattingShowsAndAChangeOfFormatAloneShowsAgain) {
  Story story;
  Paragraph heading{{w::Run{"估价结果"}}};
  heading.format = {w::ParagraphStyle::Heading1, w::Alignment::Center, 0};
  story.blocks.push_back(heading);
  Paragraph body{{w::Run{"委托人：", {true, false, 0}}, Field{1, "TITLE k", "甲公司", {false, true, 28}}, w::Run{"\f下页"}}};
  body.format.firstLineIndent = 420;
  story.blocks.push_back(body);
  Table table{2, {Row{3, {{{w::Run{"a"}}}, {{w::Run{"b"}}}}}}};
  table.columnWidths = {1000, 3000};
  table.borders = false;
  story.blocks.push_back(table);
  w::Normalize(story);
  QTextDocument doc;
  ShownStory shown;
  shown.Render(story, doc);
  ExpectEveryTextCharacterMapped(story, shown, doc);
  const QTextBlock first = doc.firstBlock();
  EXPECT_EQ(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(first.begin().fragment().charFormat().fontWeight(), QFont::Bold) << "a heading is bold";
  const QTextBlock second = first.next();
  EXPECT_DOUBLE_EQ(second.blockFormat().textIndent(), 28) << "420 twips";
  EXPECT_EQ(second.next().blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
  EXPECT_EQ(second.next().text(), QStringLiteral("下页"));
  QTextCursor c(&doc);
  c.setPosition(second.position() + 6);  // inside the field's result
  EXPECT_TRUE(c.charFormat().fontItalic());
  EXPECT_DOUBLE_EQ(c.charFormat().fontPointSize(), 14);
  c.setPosition(second.position() + 2);
  EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
  ASSERT_EQ(doc.rootFrame()->childFrames().size(), 1);
  auto* grid = qobject_cast<QTextTable*>(doc.rootFrame()->childFrames().front());
  ASSERT_NE(grid, nullptr);
  EXPECT_DOUBLE_EQ(grid->format().columnWidthConstraints().at(0).rawValue(), 25);

  // The label made plain: only its format changed, and the page shows it.
  const Story before = story;
  std::get<w::Run>(std::get<Paragraph>(story.blocks[1]).items[0]).format.bold = false;
  EXPECT_FALSE(SameShownContent(story, before));
  if (!shown.Update(story, before, doc)) shown.Render(story, doc);
  c = QTextCursor(&doc);
  c.setPosition(doc.firstBlock().next().position() + 2);
  EXPECT_NE(c.charFormat().fontWeight(), QFont::Bold);
  ExpectSameAsRenderedAnew(story, shown, doc);
}

TEST(ShownStoryTest, SameShownContentTellsAnEditApart) {
  Story a;
  a.blocks.push_back(Paragraph{{w::Run{"甲"}, Field{1, "TITLE x", "乙"}}});
  Story b = a;
  EXPECT_TRUE(SameShownContent(a, b));
  std::get<Field>(std::get<Paragraph>(b.blocks[0]).items[1]).result = "丙";
  EXPECT_FALSE(SameShownContent(a, b));
  b = a;
  b.blocks.push_back(Table{});
  EXPECT_FALSE(SameShownContent(a, b));
}

}  // namespace
}  // namespace office::windows::word

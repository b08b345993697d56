// Positions over a story, which every position-based call relies on.

#include "platform/office/word/story.h"

#include <gtest/gtest.h>

#include "platform/runtime/error.h"

namespace office::word {
namespace {

TEST(StoryPositions, CharactersAreCountedInUtf8) {
  for (const std::string text : {"", "a", "1234567", "12345678", "估", "估价报告ab估价报告", "a估b价c报d告e", "€𝄞xyz估价报告估价"}) {
    std::size_t naive = 0;
    for (const char c : text) naive += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    EXPECT_EQ(CharCount(text), naive) << text;
    EXPECT_EQ(ByteOffset(text, naive), text.size());
  }
  EXPECT_EQ(ByteOffset("a估b", 2), 4u);
}

// "甲" [field: begin, "TITLE k", separator, "值", end] "乙" mark; a one-cell table; the closing paragraph.
Story Sample() {
  Story story;
  story.blocks.emplace_back(Paragraph{{word::Run{"甲"}, Field{1, "TITLE k", "值"}, Run{"乙"}}});
  story.blocks.emplace_back(Table{2, {Row{3, {Cell{{word::Run{"格"}}}}}}});
  Normalize(story);
  return story;
}

TEST(StoryPositions, FieldsCountTheirCodeAndMarksButShowOnlyTheirResult) {
  Story story = Sample();
  EXPECT_EQ(StoryLength(story), 1u + 11 + 1 + 1 + 2 + 1 + 1);
  EXPECT_EQ(SpanText(story, {0, StoryLength(story)}), "甲值乙\r格\r\a\r\a\r");
  EXPECT_EQ(SpanText(story, {5, 13}), "值乙") << "from inside the code: the result and what follows";
  EXPECT_EQ(CellSpan(story, 3, 0).start, 14u);
  EXPECT_EQ(RowAt(story, 15)->row, 0u) << "the cell mark is in the row";
  EXPECT_FALSE(RowAt(story, 17).has_value());
  EXPECT_EQ(ParagraphStarts(story), (std::vector<std::size_t>{0, 14, 17}));
}

TEST(StoryEdits, ReplacingKeepsFieldsAndSplitsParagraphsAtMarks) {
  Story story = Sample();
  ReplaceSpan(story, {10, 11}, {word::Run{"新值"}});
  EXPECT_EQ(SpanText(story, {0, 15}), "甲新值乙\r") << "plain text inside the result edits the result";
  EXPECT_EQ(std::get<Field>(std::get<Paragraph>(story.blocks[0]).items[1]).code, "TITLE k");
  ReplaceSpan(story, {0, 1}, {word::Run{"A\rB"}});
  EXPECT_EQ(story.blocks.size(), 4u);
  EXPECT_EQ(SpanText(story, {0, 17}), "A\rB新值乙\r") << "the mark keeps its one position";
  EXPECT_THROW(ReplaceSpan(story, {3, 5}, {word::Run{"x"}}), ::runtime::Error) << "cuts the field's begin";
}

// A bold heading "估价对象：" with a bold field in it, then body text of 12 points.
Story Formatted() {
  const RunFormat bold{true, false, 0}, large{false, false, 24};
  Story story;
  Paragraph heading{{Run{"估价对象：", bold}, Field{1, "TITLE 坐落", "坐落", bold}}};
  heading.format = {ParagraphStyle::Heading1, Alignment::Center, 420};
  story.blocks.emplace_back(std::move(heading));
  story.blocks.emplace_back(Paragraph{{Run{"正文", large}}});
  Normalize(story);
  return story;
}

const RunFormat& FormatAt(Story& story, std::size_t block, std::size_t item) {
  const Inline& i = std::get<Paragraph>(story.blocks[block]).items[item];
  return std::holds_alternative<Run>(i) ? std::get<Run>(i).format : std::get<Field>(i).format;
}

TEST(StoryEdits, ReplacedTextKeepsTheFormattingOfWhatItReplaces) {
  Story story = Formatted();
  // Inside the bold label, over all of it, and in the field's result: bold stays bold.
  ReplaceSpan(story, {2, 4}, {word::Run{"地址"}});
  EXPECT_EQ(SpanText(story, {0, 5}), "估价地址：");
  ReplaceSpan(story, {0, 5}, {word::Run{"坐落位置："}});
  ASSERT_EQ(std::get<Paragraph>(story.blocks[0]).items.size(), 2u) << "one bold run, not a plain one beside it";
  EXPECT_TRUE(FormatAt(story, 0, 0).bold);
  ReplaceSpan(story, {15, 17}, {word::Run{"人民路1号"}});  // the result, after the label, begin, code and separator
  EXPECT_EQ(std::get<Field>(std::get<Paragraph>(story.blocks[0]).items[1]).result, "人民路1号");
  EXPECT_TRUE(FormatAt(story, 0, 1).bold);
  // Typed at the end of the body text and at its start: the text's own size either way.
  const std::size_t body = ParagraphStarts(story)[1];
  ReplaceSpan(story, {body + 2, body + 2}, {word::Run{"完"}});
  ReplaceSpan(story, {body, body}, {word::Run{"始"}});
  ASSERT_EQ(std::get<Paragraph>(story.blocks[1]).items.size(), 1u);
  EXPECT_EQ(FormatAt(story, 1, 0).halfPoints, 24);
  EXPECT_EQ(SpanText(story, {body, body + 5}), "始正文完\r");
  // A field put over the label takes the label's format; plain text after the field, the field's.
  ReplaceSpan(story, {0, 5}, {Field{9, "TITLE 标签", "标签"}});
  EXPECT_TRUE(FormatAt(story, 0, 0).bold);
}

TEST(StoryEdits, AParagraphSplitByAMarkKeepsItsFormatAndUnlikeRunsStayApart) {
  Story story = Formatted();
  ReplaceSpan(story, {2, 2}, {word::Run{"\r"}});
  ASSERT_EQ(story.blocks.size(), 3u);
  EXPECT_EQ(std::get<Paragraph>(story.blocks[0]).format, std::get<Paragraph>(story.blocks[1]).format);
  EXPECT_EQ(std::get<Paragraph>(story.blocks[1]).format.style, ParagraphStyle::Heading1);
  EXPECT_EQ(std::get<Paragraph>(story.blocks[2]).format, ParagraphFormat{});
  Story mixed;
  mixed.blocks.emplace_back(Paragraph{{word::Run{"甲", {true, false, 0}}, word::Run{"乙"}, word::Run{"丙"}, word::Run{"丁", {false, true, 0}}}});
  Normalize(mixed);
  EXPECT_EQ(std::get<Paragraph>(mixed.blocks[0]).items.size(), 3u) << "only the two plain runs join";
}

TEST(StoryPositions, APageBreakIsOneCharacterAndTablesAlwaysHaveAParagraphBetweenThem) {
  Story story;
  story.blocks.emplace_back(Paragraph{{word::Run{"甲\f乙"}}});
  story.blocks.emplace_back(Table{1, {Row{2, {Cell{{word::Run{"一"}}}}}}});
  story.blocks.emplace_back(Table{3, {Row{4, {Cell{{word::Run{"二"}}}}}}});
  Normalize(story);
  ASSERT_EQ(story.blocks.size(), 5u) << "paragraph, table, paragraph, table, paragraph";
  EXPECT_TRUE(std::holds_alternative<Paragraph>(story.blocks[2]));
  EXPECT_EQ(SpanText(story, {0, StoryLength(story)}), "甲\f乙\r一\r\a\r\a\r二\r\a\r\a\r");
  EXPECT_EQ(TableSpan(story, 3).start, 8u);
}

}  // namespace
}  // namespace office::word

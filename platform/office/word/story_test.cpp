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

}  // namespace
}  // namespace office::word

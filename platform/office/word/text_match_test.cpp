// The matcher's three ways of scanning must agree with a plain search.

#include "platform/office/word/text_match.h"

#include <gtest/gtest.h>

#include <cctype>

namespace office::word {
namespace {

std::size_t PlainFind(std::string_view text, std::string_view pattern, std::size_t from, bool matchCase) {
  const auto fold = [&](char c) { return matchCase ? c : static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  for (std::size_t i = from; i + pattern.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < pattern.size() && fold(text[i + k]) == fold(pattern[k])) ++k;
    if (k == pattern.size()) return i;
  }
  return std::string_view::npos;
}

TEST(TextMatcher, EveryWayOfScanningFindsWhatAPlainSearchFinds) {
  const std::string text = "估价KEY key_1 {Key_1} {KEY_1}估价k keY估价kk {市场_1}";
  for (const std::string pattern : {"key", "KEY", "{key_1}", "key_1", "估价k", "k", "{市场_1}", "价k", "y估"})
    for (const bool matchCase : {false, true}) {
      const TextMatcher matcher(pattern, matchCase);
      for (std::size_t from = 0; from <= text.size(); ++from)
        ASSERT_EQ(matcher.Find(text, from, text.size()), PlainFind(text, pattern, from, matchCase))
            << pattern << " from " << from << (matchCase ? " matching case" : "");
    }
}

TEST(TextMatcher, AMatchEndsByTheLimitAndWholeWordsStandAlone) {
  const TextMatcher matcher("{key_1}", false);
  const std::string text = "a{KEY_1}b";
  EXPECT_EQ(matcher.Find(text, 0, 8), 1u);
  EXPECT_EQ(matcher.Find(text, 0, 7), std::string_view::npos);
  EXPECT_FALSE(IsWholeWord("ab1 x", 0, 2));
  EXPECT_TRUE(IsWholeWord("ab 估价", 0, 2));
  EXPECT_TRUE(IsWholeWord("估ab价", 3, 2)) << "Chinese characters are no word characters";
}

}  // namespace
}  // namespace office::word

#pragma once
// Plain-text matching for find and replace over UTF-8 bytes: Boyer-Moore-Horspool with letter
// case folded unless it must match, and an exact search when there is nothing to fold. Only ASCII letters fold. A match never starts inside a character,
// since UTF-8 lead bytes never equal continuation bytes.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace office::word {

class TextMatcher {
 public:
  TextMatcher(std::string_view pattern, bool matchCase);
  // The byte offset of the first match in [from, limit), or npos.
  std::size_t Find(std::string_view text, std::size_t from, std::size_t limit) const;
  std::size_t size() const { return pattern_.size(); }

 private:
  unsigned char Fold(char c) const { return fold_[static_cast<unsigned char>(c)]; }
  std::string pattern_;
  bool exact_;  // no letter to fold: the library's search, which scans much faster
  std::array<unsigned char, 256> fold_{};
  std::array<std::size_t, 256> skip_{};
};

// A match at [at, at + size) that stands as a whole word: no letter, digit or underscore touches it.
bool IsWholeWord(std::string_view text, std::size_t at, std::size_t size);

}  // namespace office::word

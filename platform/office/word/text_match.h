#pragma once
// Plain-text matching for find and replace over UTF-8 bytes, letter case folded unless it must
// match. Replace-all scans whole reports once per key, so the scan picks the fastest way the
// pattern allows: an exact search when nothing folds, else candidates at a byte that does not
// fold, else Boyer-Moore-Horspool. Only ASCII letters fold. A match never starts inside a character,
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
  std::size_t FindFolded(std::string_view text, std::size_t from, std::size_t limit) const;

  std::string pattern_;
  bool exact_;          // no letter to fold: the library's search, which scans much faster
  std::size_t anchor_;  // else a byte that does not fold, to scan for with memchr; npos when none
  std::array<unsigned char, 256> fold_{};
  std::array<std::size_t, 256> skip_{};
};

// A match at [at, at + size) that stands as a whole word: no letter, digit or underscore touches it.
bool IsWholeWord(std::string_view text, std::size_t at, std::size_t size);

}  // namespace office::word

#include "platform/office/word/text_match.h"

#include <algorithm>

namespace office::word {
namespace {
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsWordByte(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '_'; }
}  // namespace

TextMatcher::TextMatcher(std::string_view pattern, bool matchCase)
    : pattern_(pattern),
      exact_(matchCase || std::none_of(pattern.begin(), pattern.end(), IsLetter)),
      anchor_(std::find_if_not(pattern.begin(), pattern.end(), IsLetter) - pattern.begin()) {
  if (anchor_ == pattern_.size()) anchor_ = std::string_view::npos;
  for (std::size_t c = 0; c < fold_.size(); ++c)
    fold_[c] = static_cast<unsigned char>(!matchCase && c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (char& c : pattern_) c = static_cast<char>(Fold(c));
  skip_.fill(pattern_.size());
  for (std::size_t i = 0; i + 1 < pattern_.size(); ++i)
    skip_[static_cast<unsigned char>(pattern_[i])] = pattern_.size() - 1 - i;
}

std::size_t TextMatcher::Find(std::string_view text, std::size_t from, std::size_t limit) const {
  if (pattern_.empty()) return std::string_view::npos;
  if (limit > text.size()) limit = text.size();
  if (from > limit) return std::string_view::npos;
  if (exact_) return text.substr(0, limit).find(pattern_, from);
  return FindFolded(text.substr(0, limit), from, limit);
}

std::size_t TextMatcher::FindFolded(std::string_view text, std::size_t from, std::size_t limit) const {
  const std::size_t m = pattern_.size();
  const auto matchesAt = [&](std::size_t i) {
    for (std::size_t k = 0; k < m; ++k)
      if (Fold(text[i + k]) != static_cast<unsigned char>(pattern_[k])) return false;
    return true;
  };
  if (anchor_ != std::string_view::npos) {
    for (std::size_t at = from + anchor_; at < limit; ++at) {
      at = text.find(pattern_[anchor_], at);
      if (at == std::string_view::npos || at - anchor_ + m > limit) break;
      if (matchesAt(at - anchor_)) return at - anchor_;
    }
    return std::string_view::npos;
  }
  for (std::size_t i = from; i + m <= limit; i += skip_[Fold(text[i + m - 1])])
    if (matchesAt(i)) return i;
  return std::string_view::npos;
}

bool IsWholeWord(std::string_view text, std::size_t at, std::size_t size) {
  return (at == 0 || !IsWordByte(text[at - 1])) && (at + size >= text.size() || !IsWordByte(text[at + size]));
}

}  // namespace office::word

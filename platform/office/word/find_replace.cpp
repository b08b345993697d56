#include "platform/office/word/find_replace.h"

#include <limits>
#include <optional>
#include <vector>

#include "platform/office/word/story.h"
#include "platform/office/word/text_match.h"
#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {

constexpr std::size_t kToEnd = std::numeric_limits<std::size_t>::max();

// A replacement text with its ^ codes read: literal parts and the places of the found text.
struct Replacement {
  std::vector<std::optional<std::string>> parts;  // nullopt: the found text
  bool hasParagraphMark = false;

  std::string For(std::string_view found) const {
    std::string out;
    for (const auto& part : parts) out += part ? std::string_view(*part) : found;
    return out;
  }
};

Replacement ReadReplacement(std::string_view text) {
  Replacement r;
  std::string literal;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '^') {
      literal += text[i];
      continue;
    }
    const std::string_view code = text.substr(i++, 2);
    if (code == "^^") {
      literal += '^';
    } else if (code == "^p") {
      literal += '\r', r.hasParagraphMark = true;
    } else if (code == "^t") {
      literal += '\t';
    } else if (code == "^&") {
      r.parts.emplace_back(std::move(literal));
      literal.clear();
      r.parts.emplace_back(std::nullopt);
    } else {
      errors::Raise(errors::kBadReplaceCode, std::string(code) + " is not a valid special character for the Replace With box.");
    }
  }
  r.parts.emplace_back(std::move(literal));
  return r;
}

bool Searchable(const Piece& p) { return p.kind == PieceKind::Text || p.kind == PieceKind::FieldResult; }

struct Search {
  TextMatcher matcher;
  bool wholeWord;

  std::size_t Next(std::string_view text, std::size_t from, std::size_t limit) const {
    for (std::size_t at; (at = matcher.Find(text, from, limit)) != std::string_view::npos; from = at + 1)
      if (!wholeWord || IsWholeWord(text, at, matcher.size())) return at;
    return std::string_view::npos;
  }
};

// The byte window of a piece that starts at pos and lies in the region.
std::pair<std::size_t, std::size_t> Window(const std::string& text, std::size_t pos, std::size_t length, Span region) {
  const std::size_t from = region.start > pos ? ByteOffset(text, region.start - pos) : 0;
  const std::size_t to = region.end - pos < length ? ByteOffset(text, region.end - pos) : text.size();
  return {from, to};
}

bool ReplaceIn(std::string& text, std::size_t from, std::size_t to, const Search& search, const Replacement& r) {
  std::size_t at = search.Next(text, from, to);
  if (at == std::string_view::npos) return false;
  std::string out(text, 0, at);
  std::size_t copied = at;
  for (; at != std::string_view::npos; at = search.Next(text, copied, to)) {
    out.append(text, copied, at - copied);
    out += r.For(std::string_view(text).substr(at, search.matcher.size()));
    copied = at + search.matcher.size();
  }
  out.append(text, copied);
  text = std::move(out);
  return true;
}

bool ReplaceAll(Story& story, Span region, const Search& search, const Replacement& r) {
  bool any = false;
  // The usual replace-all runs over the whole story: no positions to count then.
  const bool whole = region.start == 0 && region.end == kToEnd;
  std::size_t pos = 0;
  Walk(story, [&](const Piece& p) {
    if (whole) {
      if (Searchable(p)) any |= ReplaceIn(*p.text, 0, p.text->size(), search, r);
      return true;
    }
    if (pos >= region.end) return false;
    const std::size_t length = p.length();
    if (Searchable(p) && pos + length > region.start) {
      const auto [from, to] = Window(*p.text, pos, length, region);
      any |= ReplaceIn(*p.text, from, to, search, r);
    }
    pos += length;
    return true;
  });
  if (any && r.hasParagraphMark) Normalize(story);
  return any;
}

struct Match {
  std::string* text = nullptr;
  std::size_t byte = 0;
  Span span;
  bool inParagraphRun = false;
};

std::optional<Match> FindIn(Story& story, Span region, const Search& search, bool last) {
  std::optional<Match> found;
  WalkPositions(story, [&](const Piece& p, std::size_t pos) {
    if (pos >= region.end) return false;
    const std::size_t length = p.length();
    if (!Searchable(p) || pos + length <= region.start) return true;
    const auto [from, to] = Window(*p.text, pos, length, region);
    for (std::size_t at = search.Next(*p.text, from, to); at != std::string_view::npos;
         at = search.Next(*p.text, at + search.matcher.size(), to)) {
      const std::size_t start = pos + CharCount(std::string_view(*p.text).substr(0, at));
      found = Match{p.text, at, {start, start + CharCount(std::string_view(*p.text).substr(at, search.matcher.size()))},
                    p.kind == PieceKind::Text && !p.table};
      if (!last) return false;
    }
    return true;
  });
  return found;
}

}  // namespace

void CheckFindText(std::string_view text) {
  if (CharCount(text) > 255) errors::Raise(errors::kStringTooLong, "The string parameter is too long.");
}

FindResult Execute(DocumentContent& document, Span selection, const FindOptions& options, ReplaceMode mode) {
  if (options.matchWildcards || options.matchSoundsLike || options.matchAllWordForms)
    errors::Raise(errors::kCommandFailed,
                  "Wildcard, sounds-like and all-word-forms matching are not available in this Word.");
  CheckFindText(options.text);
  CheckFindText(options.replacement);
  if (options.text.empty()) return {false, selection};
  const Replacement replacement = ReadReplacement(mode == ReplaceMode::None ? "" : options.replacement);
  const Search search{TextMatcher(options.text, options.matchCase), options.matchWholeWord};
  const bool wrap = options.wrap == 1;
  const Span s = selection;
  Story& story = document.main;

  if (mode == ReplaceMode::All) {
    const Span region = wrap ? Span{0, kToEnd}
                        : !s.collapsed() ? s
                        : options.forward ? Span{s.start, kToEnd}
                                          : Span{0, s.start};
    const bool any = ReplaceAll(story, region, search, replacement);
    if (s.end == 0) return {any, s};  // the refresh's insertion point at the start needs no check
    const std::size_t length = StoryLength(story);
    return {any, {std::min(s.start, length), std::min(s.end, length)}};
  }

  // The regions in the order the search reaches them.
  std::vector<Span> regions;
  if (s.collapsed()) {
    regions.push_back(options.forward ? Span{s.start, kToEnd} : Span{0, s.start});
    if (wrap) regions.push_back(options.forward ? Span{0, s.start} : Span{s.start, kToEnd});
  } else {
    regions.push_back(s);
    if (wrap) {
      regions.push_back(options.forward ? Span{s.end, kToEnd} : Span{0, s.start});
      regions.push_back(options.forward ? Span{0, s.start} : Span{s.end, kToEnd});
    }
  }
  for (const Span& region : regions) {
    const auto match = FindIn(story, region, search, !options.forward);
    if (!match) continue;
    if (mode == ReplaceMode::None) return {true, match->span};
    const std::string text = replacement.For(std::string_view(*match->text).substr(match->byte, search.matcher.size()));
    match->text->replace(match->byte, search.matcher.size(), text);
    if (replacement.hasParagraphMark && match->inParagraphRun) Normalize(story);
    return {true, {match->span.start, match->span.start + CharCount(text)}};
  }
  return {false, selection};
}

}  // namespace office::word

#pragma once
// The automation objects of a document, made by these functions so that each class stays in its
// own file. Every object holds its document weakly (DocumentRef) and its nodes by id.

#include <cstddef>
#include <memory>
#include <variant>

#include "platform/automation/variant.h"
#include "platform/office/word/document_state.h"

namespace office::word {

class WordApplication;

// What a Range stands for: a span of the main story, the content of a table cell, or the code or
// the shown result of a field.
struct SpanTarget {
  Span span;
};
struct CellTarget {
  NodeId row = 0;
  std::size_t cell = 0;
};
struct FieldPartTarget {
  NodeId field = 0;
  bool code = false;
};
using RangeTarget = std::variant<SpanTarget, CellTarget, FieldPartTarget>;

inline constexpr std::size_t kWholeStory = static_cast<std::size_t>(-1);

automation::Object MakeDocument(std::weak_ptr<WordApplication> app, std::weak_ptr<DocumentState> document);
automation::Object MakeWindow(std::weak_ptr<DocumentState> document);
automation::Object MakeSelection(std::weak_ptr<DocumentState> document);
automation::Object MakeFind(std::weak_ptr<DocumentState> document);
automation::Object MakeRange(std::weak_ptr<DocumentState> document, RangeTarget target);
// The fields of the main story within scope ({0, kWholeStory} for all of them).
automation::Object MakeFields(std::weak_ptr<DocumentState> document, Span scope);
automation::Object MakeField(std::weak_ptr<DocumentState> document, NodeId id);
automation::Object MakeTables(std::weak_ptr<DocumentState> document);

// The main-story span a Range argument stands for (a cell's content without its mark); a type
// mismatch when the object is no Range of this document.
Span SpanOfRange(const automation::Variant& range, const DocumentState& document);

}  // namespace office::word

#pragma once
// The main story as a document window shows it: a QTextDocument of its paragraphs, field results
// (shaded, their codes hidden) and tables as grids, with the map between the model's character
// positions (which count field codes and marks, see story.h) and the shown positions.

#include <cstddef>
#include <cstdint>
#include <vector>

#include <QTextCharFormat>

#include "platform/office/word/document.h"

class QTextDocument;

namespace office::windows::word {

// What a shown character stands for in the model.
struct ShownChar {
  enum class Kind : std::uint8_t {
    Structure,  // a table's frame and cell markers: nothing of the model
    Text,       // a character of a run or a field's shown result
    Mark,       // a paragraph mark
  };
  Kind kind = Kind::Structure;
  std::size_t model = 0;
};

// The light grey behind a field's shown result, as Word shades fields.
QColor FieldShading();
// The body text's font, on the page and in print.
QFont PageFont();

class ShownStory {
 public:
  // The maps over a stretch of shown positions.
  struct Maps {
    std::vector<int> modelToShown;          // one per model position, and one for the end
    std::vector<std::size_t> shownToModel;  // one per shown caret position
    std::vector<ShownChar> chars;           // one per shown character
  };
  // Fills the document, cleared first, with the story and maps its positions.
  void Render(office::word::Story& story, QTextDocument& document);
  // Brings the document, rendered from before, to the story now by rendering again only the
  // paragraphs and table cells that changed, as typing or a refresh's replacements change them;
  // false when the change is of another kind (a table's shape, paragraphs split in two places),
  // and the document then needs Render.
  bool Update(office::word::Story& now, const office::word::Story& before, QTextDocument& document);

  // Where the model position is shown (hidden field codes and marks where their field stands).
  int ShownOf(std::size_t model) const;
  // The model position that a caret at the shown position stands for. A caret at the edge of a
  // field's result stands outside the field, one strictly inside the result in it, as typing
  // there shows.
  std::size_t ModelOf(int shown) const;
  office::word::Span ModelSpanOf(int shownStart, int shownEnd) const;
  office::word::Span ShownSpanOf(office::word::Span model) const;
  // The shown character at the position (a Structure one past the end).
  ShownChar CharAt(int shown) const;
  std::size_t modelLength() const { return modelToShown_.empty() ? 0 : modelToShown_.size() - 1; }

 private:
  std::vector<int> modelToShown_;
  std::vector<std::size_t> shownToModel_;
  std::vector<ShownChar> chars_;
  std::vector<std::size_t> blockStarts_;  // the model start of each block of the story
  bool incremental_ = false;              // the blocks are mapped, so that changed ones can be found
};

// The story's content as it bears on what is shown, to tell cheaply whether a document changed.
bool SameShownContent(const office::word::Story& a, const office::word::Story& b);

}  // namespace office::windows::word

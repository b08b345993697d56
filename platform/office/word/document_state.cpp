#include "platform/office/word/document_state.h"

#include <algorithm>

#include "platform/office/word/story.h"
#include "platform/office/word/word_errors.h"

namespace office::word {

void DocumentState::ClampSelection() {
  const std::size_t length = StoryLength(content.main);
  selection.end = std::min(selection.end, length);
  selection.start = std::min(selection.start, selection.end);
}

bool DocumentState::saved() const {
  return savedContent_ && savedContent_->main == content.main && savedContent_->otherStories == content.otherStories &&
         savedContent_->title == content.title && savedContent_->bookmarks == content.bookmarks;
}

std::shared_ptr<DocumentState> DocumentRef::lock() const {
  auto document = document_.lock();
  if (!document) errors::Raise(errors::kObjectDeleted, "Object has been deleted.");
  return document;
}

}  // namespace office::word

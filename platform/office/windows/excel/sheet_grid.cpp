#include "platform/office/windows/excel/sheet_grid.h"

#include "platform/office/excel/range.h"
#include "platform/office/windows/excel/grid_keys.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/office/excel/formula.h"
#include "platform/office/excel/formula_evaluator.h"
#include "platform/runtime/number_format.h"
#include "platform/runtime/number_text.h"

namespace office::windows::excel_window {

using excel::Area;
using excel::BookModel;
using excel::Cell;
using excel::SheetModel;
using automation::Variant;

int ColumnPixels(double width) {
  if (width <= 0) return 0;
  return static_cast<int>(std::lround(width * 7 + 5));
}

int RowPixels(double points) {
  if (points <= 0) return 0;
  return std::max(1, static_cast<int>(std::lround(points * kRowPixels / excel::kStandardRowHeight)));
}

unsigned PackedBorders(const excel::CellFormat& format) {
  unsigned packed = 0;
  for (std::size_t side = 0; side < format.borders.size(); ++side) packed |= static_cast<unsigned>(format.borders[side]) << (4 * side);
  return packed;
}

excel::BorderLine BorderOf(unsigned packed, excel::Side side) {
  return static_cast<excel::BorderLine>((packed >> (4 * static_cast<unsigned>(side))) & 0xFu);
}

namespace {

QColor Colour(excel::Rgb rgb) { return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF)); }

// The cell's own alignment where its format gives one, else that of its value.
Qt::Alignment AlignmentOf(const excel::CellFormat& f, Qt::Alignment byValue) {
  Qt::Alignment horizontal = byValue & Qt::AlignHorizontal_Mask;
  switch (f.horizontal) {
    case excel::HorizontalAlignment::General: break;
    case excel::HorizontalAlignment::Left: horizontal = Qt::AlignLeft; break;
    case excel::HorizontalAlignment::Center: horizontal = Qt::AlignHCenter; break;
    case excel::HorizontalAlignment::Right: horizontal = Qt::AlignRight; break;
  }
  switch (f.vertical) {
    case excel::VerticalAlignment::Bottom: return horizontal | Qt::AlignBottom;
    case excel::VerticalAlignment::Center: return horizontal | Qt::AlignVCenter;
    case excel::VerticalAlignment::Top: return horizontal | Qt::AlignTop;
  }
  return horizontal | Qt::AlignBottom;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void SheetTableModel::SetSheet(std::shared_ptr<BookModel> book, excel::SheetId sheet) {
  book_ = std::move(book);
  sheet_ = sheet;
  shown_.clear();
  read_ = {1, 1, 0, 0};
}

SheetModel* SheetTableModel::sheet() const { return book_ ? book_->Sheet(sheet_) : nullptr; }

SheetTableModel::Shown SheetTableModel::Read(int row, int column) const {
  const SheetModel* s = sheet();
  if (!s) return {};
  const Cell* cell = s->cells.Find(row, column);
  if (!cell || !cell->hasContent()) return {};
  const Variant v = book_->ValueAt(s->id, row, column);
  Shown shown;
  shown.text = QString::fromStdString(excel::ShownText(*book_, *s, row, column));
  shown.text.truncate(kShownCharacters);  // as Excel shows a long text: the rest only in the formula bar
  switch (v.kind()) {
    case Variant::Kind::Double:
    case Variant::Kind::Int16:
    case Variant::Kind::Int32:
    case Variant::Kind::Date: shown.alignment = Qt::AlignRight | Qt::AlignVCenter; break;
    case Variant::Kind::Boolean:
    case Variant::Kind::Error: shown.alignment = Qt::AlignHCenter | Qt::AlignVCenter; break;
    default: shown.alignment = Qt::AlignLeft | Qt::AlignVCenter; break;
  }
  return shown;
}

bool SheetTableModel::Refresh(const Area& visible) {
  QHash<quint64, Shown> fresh;
  const SheetModel* s = sheet();
  if (s && visible.bottom >= visible.top && visible.right >= visible.left) {
    std::vector<std::pair<int, int>> filled;
    s->cells.ForEach(visible, [&](int row, int column, const Cell& c) {
      if (c.hasContent()) filled.emplace_back(row, column);
    });
    for (auto [row, column] : filled) {
      Shown shown = Read(row, column);
      if (!shown.text.isEmpty()) fresh.insert(Key(row, column), std::move(shown));
    }
  }
  qsizetype before = 0;
  bool changed = false;
  for (auto it = shown_.cbegin(); it != shown_.cend() && !changed; ++it) {
    const int row = static_cast<int>(it.key() >> 16), column = static_cast<int>(it.key() & 0xFFFF);
    if (!visible.contains(row, column)) continue;
    ++before;
    const auto now = fresh.constFind(it.key());
    changed = now == fresh.cend() || !(*now == *it);
  }
  changed = changed || before != fresh.size();
  shown_ = std::move(fresh);
  read_ = visible;
  return changed;
}

int SheetTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : excel::kMaxRows; }
int SheetTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : excel::kMaxColumns; }

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row() + 1, column = index.column() + 1;
  if (role == Qt::DisplayRole || role == Qt::TextAlignmentRole) {
    const quint64 key = Key(row, column);
    auto it = shown_.constFind(key);
    if (it == shown_.cend()) {
      if (read_.contains(row, column)) return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
      Shown shown = Read(row, column);
      if (shown.text.isEmpty()) return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
      it = shown_.insert(key, std::move(shown));
    }
    if (role == Qt::DisplayRole) return it->text;
    const SheetModel* s = sheet();
    const Cell* cell = s ? s->cells.Find(row, column) : nullptr;
    return QVariant::fromValue(AlignmentOf(cell ? cell->style : excel::CellFormat{}, Qt::Alignment(it->alignment)));
  }
  if (role == Qt::EditRole) {
    const SheetModel* s = sheet();
    if (!s) return QString();
    return QString::fromStdString(book_->ContentText(*s, row, column, excel::Notation::A1));
  }
  const SheetModel* s = sheet();
  const Cell* cell = s ? s->cells.Find(row, column) : nullptr;
  if (!cell) return {};
  const excel::CellFormat& f = cell->style;
  switch (role) {
    case Qt::BackgroundRole: return f.fill ? QVariant(QBrush(Colour(*f.fill))) : QVariant();
    case Qt::ForegroundRole: return f.fontColor ? QVariant(QBrush(Colour(*f.fontColor))) : QVariant();
    case Qt::FontRole: {
      if (!f.bold && !f.italic && f.fontSize == excel::kStandardFontSize) return {};
      // Only what the format sets, so that the view's own font gives the rest.
      QFont font;
      if (f.bold) font.setBold(true);
      if (f.italic) font.setItalic(true);
      if (f.fontSize != excel::kStandardFontSize) font.setPointSizeF(QGuiApplication::font().pointSizeF() * f.fontSize / excel::kStandardFontSize);
      return font;
    }
    case kBordersRole: return f.hasBorder() ? QVariant(PackedBorders(f)) : QVariant();
    case kWrapRole: return f.wrap ? QVariant(true) : QVariant();
    default: return {};
  }
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !writer_) return false;
  return writer_(index.row() + 1, index.column() + 1, value.toString().toStdString());
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::DisplayRole)
    return orientation == Qt::Horizontal ? QString::fromStdString(excel::ColumnLetters(section + 1)) : QString::number(section + 1);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  return {};
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

// ---------------------------------------------------------------------------------------------

namespace {

const QColor kGridLine(0xd4, 0xd4, 0xd4);
const QColor kSelected(0xcf, 0xe3, 0xf7);
const QColor kActiveFrame(0x21, 0x73, 0x46);
constexpr int kPadding = 3;
constexpr int kOverflowReach = 64;  // columns to the left whose text may run on into a cell

bool LeftAligned(const QModelIndex& index) {
  const QVariant a = index.data(Qt::TextAlignmentRole);
  return !a.isValid() || (a.value<Qt::Alignment>() & Qt::AlignHorizontal_Mask) == Qt::AlignLeft;
}


QFont FontOf(const QModelIndex& index, const QFont& base) {
  const QVariant v = index.data(Qt::FontRole);
  return v.isValid() ? v.value<QFont>().resolve(base) : base;
}

QColor TextColourOf(const QModelIndex& index, const QColor& automatic) {
  const QVariant v = index.data(Qt::ForegroundRole);
  return v.isValid() ? v.value<QBrush>().color() : automatic;
}

// A border line as Excel draws it, inside the cell along the edge from `a` to `b`; `inward` points
// into the cell, so that a double line's second stroke lies inside too.
void DrawBorder(QPainter& painter, excel::BorderLine line, QPointF a, QPointF b, QPointF inward, qreal scale) {
  using excel::BorderLine;
  QPen pen(Qt::black, scale, Qt::SolidLine, Qt::FlatCap);
  switch (line) {
    case BorderLine::None: return;
    case BorderLine::Thin: break;
    case BorderLine::Medium: pen.setWidthF(2 * scale); break;
    case BorderLine::Thick: pen.setWidthF(3 * scale); break;
    case BorderLine::Double: break;
    case BorderLine::Dashed: pen.setStyle(Qt::DashLine); break;
    case BorderLine::Dotted: pen.setStyle(Qt::DotLine); break;
    case BorderLine::Hair: pen.setColor(Qt::darkGray); pen.setStyle(Qt::DotLine); break;
  }
  painter.setPen(pen);
  const QPointF shift = inward * (pen.widthF() / 2);
  painter.drawLine(a + shift, b + shift);
  if (line == BorderLine::Double) painter.drawLine(a + inward * 2.5 * scale, b + inward * 2.5 * scale);
}

}  // namespace

void DrawBorders(QPainter& painter, unsigned packed, const QRectF& e, qreal scale) {
  DrawBorder(painter, BorderOf(packed, excel::Side::Left), e.topLeft(), e.bottomLeft(), {1, 0}, scale);
  DrawBorder(painter, BorderOf(packed, excel::Side::Top), e.topLeft(), e.topRight(), {0, 1}, scale);
  DrawBorder(painter, BorderOf(packed, excel::Side::Right), e.topRight(), e.bottomRight(), {-1, 0}, scale);
  DrawBorder(painter, BorderOf(packed, excel::Side::Bottom), e.bottomLeft(), e.bottomRight(), {0, -1}, scale);
}

void DrawCellText(QPainter& painter, const QRectF& edges, const QString& text, Qt::Alignment alignment, bool wrap, qreal scale) {
  const QRectF inner = edges.adjusted(kPadding * scale, scale, -kPadding * scale, -scale);
  painter.drawText(inner, static_cast<int>(alignment) | (wrap ? Qt::TextWordWrap : Qt::TextSingleLine), text);
}

CellDelegate::CellDelegate(SheetGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QRect r = option.rect;
  const QAbstractItemModel* model = index.model();
  const bool current = index == grid_->currentIndex();
  const QVariant fill = index.data(Qt::BackgroundRole);
  painter->save();
  painter->setClipRect(r);
  if ((option.state & QStyle::State_Selected) && !current) painter->fillRect(r, kSelected);
  else painter->fillRect(r, fill.isValid() ? fill.value<QBrush>() : QBrush(Qt::white));

  // The text shown in this cell: its own, or one running on from the left.
  QString text = index.data(Qt::DisplayRole).toString();
  QModelIndex source = index;
  if (text.isEmpty()) {
    source = QModelIndex();
    for (int c = index.column() - 1; c >= 0 && c >= index.column() - kOverflowReach; --c) {
      if (grid_->isColumnHidden(c)) continue;
      const QModelIndex left = model->index(index.row(), c);
      const QString t = left.data(Qt::DisplayRole).toString();
      if (t.isEmpty()) continue;
      if (LeftAligned(left) && !left.data(kWrapRole).toBool() && grid_->rowSpan(left.row(), left.column()) == 1 &&
          grid_->columnSpan(left.row(), left.column()) == 1) {
        source = left;
        text = t;
      }
      break;
    }
  }
  int textEnd = r.left();
  if (source.isValid()) {
    const QFont font = FontOf(source, option.font);
    painter->setFont(font);
    painter->setPen(TextColourOf(source, option.palette.color(QPalette::Text)));
    const Qt::Alignment alignment = source.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    const Qt::Alignment vertical = alignment & Qt::AlignVertical_Mask;
    const QRect inner = r.adjusted(kPadding, 1, -kPadding, -1);
    const bool spans = grid_->rowSpan(index.row(), index.column()) > 1 || grid_->columnSpan(index.row(), index.column()) > 1;
    const bool wrap = source.data(kWrapRole).toBool();
    if (!wrap && LeftAligned(source) && !spans) {
      const int width = QFontMetrics(font).horizontalAdvance(text);
      const int x = grid_->columnViewportPosition(source.column()) + kPadding;
      textEnd = x + width;
      if (textEnd > r.left()) painter->drawText(QRect(x, inner.top(), width + kPadding, inner.height()), Qt::AlignLeft | vertical | Qt::TextSingleLine, text);
    } else {
      DrawCellText(*painter, r, text, alignment, wrap);
    }
  }

  // Grid lines at the right and bottom edge; none where the text runs on into the next cell, nor
  // over a fill, as in Excel.
  if (!fill.isValid()) {
    painter->setPen(kGridLine);
    const QModelIndex right = model->index(index.row(), index.column() + 1);
    const bool runsOn = textEnd > r.right() && right.isValid() && right.data(Qt::DisplayRole).toString().isEmpty();
    if (!runsOn) painter->drawLine(r.topRight(), r.bottomRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
  }
  if (const QVariant borders = index.data(kBordersRole); borders.isValid()) {
    DrawBorders(*painter, borders.toUInt(), QRectF(r).adjusted(0, 0, 1, 1));
  }
  if (current) {
    painter->setPen(QPen(kActiveFrame, 2));
    painter->drawRect(r.adjusted(1, 1, -1, -1));
  }
  painter->restore();
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) enteredBack_ = key->modifiers() & Qt::ShiftModifier;
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  editor_ = editor;
  return editor;
}

SheetGrid::SheetGrid(SheetTableModel* model, QWidget* parent) : QTableView(parent), delegate_(new CellDelegate(this)) {
  setObjectName("grid");
  setModel(model);
  setItemDelegate(delegate_);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setCornerButtonEnabled(true);
  setShowGrid(false);  // the cells draw their own lines, as text runs on over them
  setStyleSheet("QTableView#grid { gridline-color: #d4d4d4; background: white; selection-background-color: #cfe3f7; "
                "selection-color: black; }");
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(2);
    header->setHighlightSections(true);
    header->setSectionsClickable(true);
  }
  columnDrag_ = new ColumnDrag(horizontalHeader(), [this](int column, int pixels) {
    return onColumnDragged ? onColumnDragged(column, pixels) : horizontalHeader()->sectionSize(column);
  });
  horizontalHeader()->setDefaultSectionSize(ColumnPixels(excel::kStandardColumnWidth));
  verticalHeader()->setDefaultSectionSize(kRowPixels);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  verticalHeader()->setMinimumWidth(40);
}

Area SheetGrid::VisibleArea() const {
  const QRect r = viewport()->rect();
  int top = rowAt(r.top()), bottom = rowAt(r.bottom());
  int left = columnAt(r.left()), right = columnAt(r.right());
  if (top < 0 || left < 0) return {1, 1, 0, 0};
  if (bottom < 0) bottom = model()->rowCount() - 1;
  if (right < 0) right = model()->columnCount() - 1;
  return {top + 1, left + 1, bottom + 1, right + 1};
}

void SheetGrid::ApplyLayout(const SheetModel& sheet) {
  const excel::RowRuns& hidden = sheet.cells.hiddenRuns();
  if (hidden != hiddenRows_) {
    // Without updates each row costs next to nothing; with them, each repaints the view.
    setUpdatesEnabled(false);
    for (const auto& [first, last] : hiddenRows_)
      for (int row = first; row <= last; ++row)
        if (!sheet.cells.Hidden(row)) setRowHidden(row - 1, false);
    for (const auto& [first, last] : hidden)
      for (int row = first; row <= last; ++row) setRowHidden(row - 1, true);
    hiddenRows_ = hidden;
    setUpdatesEnabled(true);
  }
  if (sheet.columnWidths != widths_) {
    QHeaderView* header = horizontalHeader();
    for (const auto& [column, width] : widths_)
      if (!sheet.columnWidths.count(column)) {
        setColumnHidden(column - 1, false);
        header->resizeSection(column - 1, header->defaultSectionSize());
      }
    for (const auto& [column, width] : sheet.columnWidths) {
      const auto old = widths_.find(column);
      if (old != widths_.end() && old->second == width) continue;
      const int px = ColumnPixels(width);
      if (px == 0) {
        setColumnHidden(column - 1, true);
        continue;
      }
      setColumnHidden(column - 1, false);
      header->resizeSection(column - 1, px);
    }
    widths_ = sheet.columnWidths;
  }
  if (sheet.cells.heights() != heights_) {
    QHeaderView* header = verticalHeader();
    for (const auto& [row, height] : heights_)
      if (!sheet.cells.heights().count(row)) header->resizeSection(row - 1, kRowPixels);
    for (const auto& [row, height] : sheet.cells.heights()) header->resizeSection(row - 1, RowPixels(height));
    heights_ = sheet.cells.heights();
  }
  if (sheet.cells.merges() != merges_) {
    clearSpans();
    for (const Area& m : sheet.cells.merges()) setSpan(m.top - 1, m.left - 1, m.rows(), m.columns());
    merges_ = sheet.cells.merges();
  }
}

void SheetGrid::DropEditor() {
  if (QWidget* editor = delegate_->editor(); editor && Editing())
    QTableView::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool SheetGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool userStarts = trigger == DoubleClicked || trigger == EditKeyPressed || trigger == AnyKeyPressed;
  if (userStarts && !Editing() && index.isValid() && onEditStart && !onEditStart(index)) return false;
  return QTableView::edit(index, trigger, event);
}

// Enter writes the cell and moves to the next row down, Tab and Shift+Tab to the next column
// right and left, as in Excel; in a selection of several cells each goes to the selection's next
// cell, Shift+Enter to its cell before, and the selection stays. None of them opens the next
// cell's editor.
void SheetGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool down = hint == QAbstractItemDelegate::SubmitModelCache;
  const bool across = hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
  QTableView::closeEditor(editor, down || across ? QAbstractItemDelegate::NoHint : hint);
  const bool back = down ? delegate_->enteredBack() : hint == QAbstractItemDelegate::EditPreviousItem;
  if (const QModelIndex inside = down || across ? NextInSelection(*this, static_cast<SheetTableModel*>(model())->sheet(), across, back ? -1 : 1)
                                                : QModelIndex();
      inside.isValid()) {
    selectionModel()->setCurrentIndex(inside, QItemSelectionModel::NoUpdate);
    return;
  }
  const QModelIndex at = currentIndex();
  QModelIndex next;
  if (down) next = moveCursor(QAbstractItemView::MoveDown, Qt::NoModifier);
  else if (across && at.isValid())
    next = model()->index(at.row(), NextShown(*this, Qt::Horizontal, at.column(), hint == QAbstractItemDelegate::EditNextItem ? 1 : -1));
  if (next.isValid()) selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
}

void SheetGrid::keyPressEvent(QKeyEvent* event) {
  if (!Editing() && ((onKey && onKey(*event)) || MoveByKey(*this, static_cast<SheetTableModel*>(model())->sheet(), *event))) {
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Delete && !Editing() && onDeletePressed) {
    onDeletePressed();
    event->accept();
    return;
  }
  shiftKey_ = event->modifiers() & Qt::ShiftModifier;
  QTableView::keyPressEvent(event);
  shiftKey_ = false;
}

void SheetGrid::mousePressEvent(QMouseEvent* event) {
  mouseDown_ = true;
  QTableView::mousePressEvent(event);
  const QModelIndex pressed = indexAt(event->position().toPoint());
  if (pressed.isValid() && !(event->modifiers() & Qt::ShiftModifier)) anchor_ = pressed;
}

void SheetGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  mouseDown_ = false;
}

void SheetGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (!mouseDown_ && !shiftKey_) anchor_ = current;
  // The frame of the active cell and the lines beside it.
  viewport()->update(visualRect(previous).adjusted(-2, -2, 2, 2));
  viewport()->update(visualRect(current).adjusted(-2, -2, 2, 2));
}

}  // namespace office::windows::excel_window

#include "platform/office/windows/excel/sheet_printing.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include <QBrush>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>

#include "platform/office/excel/formula_evaluator.h"
#include "platform/office/file_access.h"
#include "platform/office/windows/excel/sheet_grid.h"

namespace office::windows::excel_window {
namespace {

using excel::Area;
using excel::BookModel;
using excel::SheetModel;

// Lengths are the grid's pixels, 96 to the inch, scaled to the device's as they are painted.
constexpr qreal kGridDpi = 96;
constexpr qreal kPadding = 3;  // between a cell's edge and its text, as in the grid
constexpr std::size_t kRunOnReach = 64;  // columns to the left whose text may run on into a page

// The cells that hold or format anything, as far as Excel's used range reaches.
std::optional<Area> UsedArea(const SheetModel& sheet) {
  std::optional<Area> used;
  for (const auto& [row, cells] : sheet.cells.rows())
    for (const auto& [column, cell] : cells.cells)
      if (!cell.isPlain()) used = used ? excel::Bounding(*used, {row, column, row, column}) : Area{row, column, row, column};
  return used;
}

// The area that prints: the print area, else the used range. Rows and columns past the last
// used ones print blank, so a print area of whole columns ends there.
std::optional<Area> PrintedArea(const SheetModel& sheet) {
  const std::optional<Area> used = UsedArea(sheet);
  if (!used) return std::nullopt;
  if (!sheet.printArea) return used;
  Area area = excel::AreaOf(*sheet.printArea);
  area.bottom = std::min(area.bottom, used->bottom);
  area.right = std::min(area.right, used->right);
  if (area.top > area.bottom || area.left > area.right) return std::nullopt;
  return area;
}

// Runs of sizes that fit the length, as [first, end); a size longer than the length alone has a
// run of its own.
std::vector<std::pair<std::size_t, std::size_t>> Runs(const std::vector<qreal>& sizes, qreal length) {
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  std::size_t first = 0;
  qreal filled = 0;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (i > first && filled + sizes[i] > length) {
      runs.emplace_back(first, i);
      first = i;
      filled = 0;
    }
    filled += sizes[i];
  }
  if (first < sizes.size()) runs.emplace_back(first, sizes.size());
  return runs;
}

template <class T>
std::optional<T> Role(const QModelIndex& index, Qt::ItemDataRole role) {
  const QVariant value = index.data(role);
  if (!value.isValid() || !value.canConvert<T>()) return std::nullopt;
  return qvariant_cast<T>(value);
}

// As the grid places a text: left and centred in its height unless the cell says otherwise.
Qt::Alignment AlignmentOf(const QModelIndex& cell) {
  const QVariant value = cell.data(Qt::TextAlignmentRole);
  Qt::Alignment alignment = Qt::AlignLeft;
  if (value.metaType() == QMetaType::fromType<Qt::Alignment>()) alignment = value.value<Qt::Alignment>();
  else if (value.isValid()) alignment = Qt::Alignment(value.toInt());
  if (!(alignment & Qt::AlignHorizontal_Mask)) alignment |= Qt::AlignLeft;
  if (!(alignment & Qt::AlignVertical_Mask)) alignment |= Qt::AlignVCenter;
  return alignment;
}

class SheetPages final : public PagedContent {
 public:
  SheetPages(std::shared_ptr<BookModel> book, const std::vector<excel::SheetId>& sheets, const QPagedPaintDevice& device)
      : book_(std::move(book)),
        model_(nullptr),
        scaleX_(device.logicalDpiX() / kGridDpi),
        scaleY_(device.logicalDpiY() / kGridDpi),
        font_(PrintFont(QGuiApplication::font())) {
    const qreal width = device.width() / scaleX_, height = device.height() / scaleY_;
    for (const excel::SheetId id : sheets) {
      const SheetModel* sheet = book_->Sheet(id);
      const std::optional<Area> area = sheet ? PrintedArea(*sheet) : std::nullopt;
      if (!area) continue;
      Printed printed{id, {}, {}, {0}, {0}, {}};
      std::vector<qreal> heights, widths;
      for (int row = area->top; row <= area->bottom; ++row)
        if (!sheet->cells.Hidden(row)) {
          printed.rows.push_back(row);
          const double points = sheet->cells.Height(row);
          heights.push_back(points > 0 ? RowPixels(points) : kRowPixels);
          printed.ys.push_back(printed.ys.back() + heights.back());
        }
      for (int column = area->left; column <= area->right; ++column)
        if (const int pixels = ColumnPixels(sheet->ColumnWidth(column)); pixels > 0) {
          printed.columns.push_back(column);
          widths.push_back(pixels);
          printed.xs.push_back(printed.xs.back() + pixels);
        }
      if (printed.rows.empty() || printed.columns.empty()) continue;
      for (const Area& merge : sheet->cells.merges()) {
        const auto [top, bottom] = PrintedSpan(printed.rows, merge.top, merge.bottom);
        const auto [left, right] = PrintedSpan(printed.columns, merge.left, merge.right);
        if (top < bottom && left < right) printed.merges.push_back({top, bottom, left, right, merge.top, merge.left});
      }
      for (const auto& [left, right] : Runs(widths, width))
        for (const auto& [top, bottom] : Runs(heights, height)) pages_.push_back({sheets_.size(), top, bottom, left, right});
      sheets_.push_back(std::move(printed));
    }
  }

  int PageCount() const override { return static_cast<int>(pages_.size()); }

  void PaintPage(QPainter& painter, int index) const override {
    const Page& page = pages_[static_cast<std::size_t>(index)];
    const Printed& sheet = sheets_[page.sheet];
    if (!model_.sheet() || model_.sheet()->id != sheet.id) model_.SetSheet(book_, sheet.id);
    // Edges in device pixels from the page's top left, for any printed row or column; those of
    // the columns a text may run on from lie left of the page.
    const auto x = [&](std::size_t column) { return (sheet.xs[column] - sheet.xs[page.left]) * scaleX_; };
    const auto y = [&](std::size_t row) { return (sheet.ys[row] - sheet.ys[page.top]) * scaleY_; };
    const auto rect = [&](std::size_t top, std::size_t bottom, std::size_t left, std::size_t right) {
      return QRectF(x(left), y(top), x(right) - x(left), y(bottom) - y(top));
    };
    const auto cellAt = [&](std::size_t row, std::size_t column) { return model_.index(sheet.rows[row] - 1, sheet.columns[column] - 1); };
    const std::size_t from = page.left > kRunOnReach ? page.left - kRunOnReach : 0;

    // A merged area prints as one cell, its first, over its whole extent; one across a page's
    // edge prints on each page, cut at the edge. Its other cells print nothing and stop a text
    // running on, as the grid shows them.
    const std::size_t rows = page.bottom - page.top, span = page.right - from;
    std::vector<bool> merged(rows * span);
    const auto inMerge = [&](std::size_t row, std::size_t column) { return merged[(row - page.top) * span + column - from]; };
    struct Box {
      QModelIndex cell;
      QRectF edges;
    };
    std::vector<Box> boxes;
    for (const PrintedMerge& m : sheet.merges) {
      if (m.top >= page.bottom || m.bottom <= page.top || m.left >= page.right || m.right <= from) continue;
      for (std::size_t r = std::max(m.top, page.top); r < std::min(m.bottom, page.bottom); ++r)
        for (std::size_t c = std::max(m.left, from); c < std::min(m.right, page.right); ++c) merged[(r - page.top) * span + c - from] = true;
      if (m.right > page.left) boxes.push_back({model_.index(m.row - 1, m.column - 1), rect(m.top, m.bottom, m.left, m.right)});
    }
    const std::size_t mergedBoxes = boxes.size();
    for (std::size_t r = page.top; r < page.bottom; ++r)
      for (std::size_t c = page.left; c < page.right; ++c)
        if (!inMerge(r, c)) boxes.push_back({cellAt(r, c), rect(r, r + 1, c, c + 1)});

    painter.setClipRect(rect(page.top, page.bottom, page.left, page.right));
    for (const Box& box : boxes)
      if (const auto fill = Role<QBrush>(box.cell, Qt::BackgroundRole); fill && fill->style() != Qt::NoBrush) painter.fillRect(box.edges, *fill);
    // The cells' own border lines over the fills; no grid lines, as Excel prints by default.
    for (const Box& box : boxes)
      if (const QVariant borders = box.cell.data(kBordersRole); borders.isValid()) DrawBorders(painter, borders.toUInt(), box.edges, scaleX_);

    // The texts over every fill: a merged area's in the whole area, wrapped or not as its cell
    // says; a wrapped one in its cell. A left-aligned one that does not wrap runs on over the
    // empty cells to its right, onto this page also from a cell of the page before, as the sheet
    // goes on from there.
    for (std::size_t b = 0; b < mergedBoxes; ++b) PrintText(painter, boxes[b].cell, boxes[b].edges);
    for (std::size_t r = page.top; r < page.bottom; ++r)
      for (std::size_t c = from; c < page.right; ++c) {
        if (inMerge(r, c)) continue;
        const QModelIndex cell = cellAt(r, c);
        const QString text = cell.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) continue;
        std::size_t end = c + 1;  // past the last cell the text covers
        if (!cell.data(kWrapRole).toBool() && (AlignmentOf(cell) & Qt::AlignHorizontal_Mask) == Qt::AlignLeft) {
          const qreal width = QFontMetricsF(FontOf(cell), painter.device()).horizontalAdvance(text) + 2 * kPadding * scaleX_;
          while (end < page.right && x(end) - x(c) < width && !inMerge(r, end) && cellAt(r, end).data(Qt::DisplayRole).toString().isEmpty())
            ++end;
        }
        if (end <= page.left) continue;  // wholly on a page before
        PrintText(painter, cell, rect(r, r + 1, c, end));
      }
  }

 private:
  // A merged area in printed rows and columns, as [first, end), and its first cell in the sheet.
  struct PrintedMerge {
    std::size_t top, bottom, left, right;
    int row, column;
  };
  struct Printed {
    excel::SheetId id;
    std::vector<int> rows, columns;  // those that print, in order
    std::vector<qreal> ys, xs;       // their edges from the first one's, in grid pixels
    std::vector<PrintedMerge> merges;
  };
  // A page: a run of a sheet's printed rows and one of its printed columns, as [first, end).
  struct Page {
    std::size_t sheet, top, bottom, left, right;
  };

  // The printed ones of first..last, as [first, end) of `printed`.
  static std::pair<std::size_t, std::size_t> PrintedSpan(const std::vector<int>& printed, int first, int last) {
    const auto begin = std::lower_bound(printed.begin(), printed.end(), first);
    const auto end = std::upper_bound(begin, printed.end(), last);
    return {static_cast<std::size_t>(begin - printed.begin()), static_cast<std::size_t>(end - printed.begin())};
  }

  QFont FontOf(const QModelIndex& cell) const {
    const auto own = Role<QFont>(cell, Qt::FontRole);
    return own ? PrintFont(*own) : font_;
  }

  // The cell's text laid out as the grid lays it out, within the edges of the cells it covers.
  void PrintText(QPainter& painter, const QModelIndex& cell, const QRectF& covered) const {
    const QString text = cell.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) return;
    const auto ink = Role<QBrush>(cell, Qt::ForegroundRole);
    painter.save();
    painter.setClipRect(covered, Qt::IntersectClip);
    painter.setFont(FontOf(cell));
    painter.setPen(ink ? ink->color() : QColor(Qt::black));
    DrawCellText(painter, covered, text, AlignmentOf(cell), cell.data(kWrapRole).toBool(), scaleX_);
    painter.restore();
  }

  std::shared_ptr<BookModel> book_;
  mutable SheetTableModel model_;  // reads the cells as the grid does
  qreal scaleX_, scaleY_;
  QFont font_;
  std::vector<Printed> sheets_;
  std::vector<Page> pages_;
};

}  // namespace

QPageLayout ExcelPaper() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(17.8, 19.1, 17.8, 19.1), QPageLayout::Millimeter);
}

std::vector<excel::SheetId> PrintedSheets(const BookModel& book, bool wholeWorkbook) {
  if (!wholeWorkbook) return {book.activeSheet};
  std::vector<excel::SheetId> sheets;
  for (const auto& sheet : book.sheets())
    if (sheet->visibility == excel::SheetVisibility::Visible) sheets.push_back(sheet->id);
  return sheets;
}

std::unique_ptr<PagedContent> LayOutSheets(std::shared_ptr<BookModel> book, const std::vector<excel::SheetId>& sheets,
                                           QPagedPaintDevice& device) {
  auto pages = std::make_unique<SheetPages>(std::move(book), sheets, device);
  if (pages->PageCount() == 0) return nullptr;
  return pages;
}

LayOut PrintedBook(std::weak_ptr<BookModel> book, bool wholeWorkbook) {
  return [book = std::move(book), wholeWorkbook](QPagedPaintDevice& device) -> std::unique_ptr<PagedContent> {
    const auto open = book.lock();
    return open ? LayOutSheets(open, PrintedSheets(*open, wholeWorkbook), device) : nullptr;
  };
}

bool WritePdf(const std::shared_ptr<BookModel>& book, bool wholeWorkbook, const std::string& path) {
  const QByteArray pdf =
      PdfOf(PrintedBook(book, wholeWorkbook), ExcelPaper(), QString::fromStdString(book->name), QStringLiteral("Microsoft Excel"));
  if (pdf.isEmpty()) return false;
  office::ReplaceFile(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
  return true;
}

}  // namespace office::windows::excel_window

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
      Printed printed{id, {}, {}, {}, {}};
      for (int row = area->top; row <= area->bottom; ++row)
        if (!sheet->cells.Hidden(row)) {
          printed.rows.push_back(row);
          const double points = sheet->cells.Height(row);
          printed.heights.push_back(points > 0 ? RowPixels(points) : kRowPixels);
        }
      for (int column = area->left; column <= area->right; ++column)
        if (const int pixels = ColumnPixels(sheet->ColumnWidth(column)); pixels > 0) {
          printed.columns.push_back(column);
          printed.widths.push_back(pixels);
        }
      if (printed.rows.empty() || printed.columns.empty()) continue;
      for (const auto& [left, right] : Runs(printed.widths, width))
        for (const auto& [top, bottom] : Runs(printed.heights, height)) pages_.push_back({sheets_.size(), top, bottom, left, right});
      sheets_.push_back(std::move(printed));
    }
  }

  int PageCount() const override { return static_cast<int>(pages_.size()); }

  void PaintPage(QPainter& painter, int index) const override {
    const Page& page = pages_[static_cast<std::size_t>(index)];
    const Printed& sheet = sheets_[page.sheet];
    if (!model_.sheet() || model_.sheet()->id != sheet.id) model_.SetSheet(book_, sheet.id);
    // The columns' edges from those a text may run on from, and the rows' edges, in device
    // pixels from the page's top left.
    const std::size_t from = page.left > kRunOnReach ? page.left - kRunOnReach : 0;
    std::vector<qreal> xs{0}, ys{0};
    for (std::size_t c = from; c < page.right; ++c) xs.push_back(xs.back() + sheet.widths[c] * scaleX_);
    const qreal origin = xs[page.left - from];
    for (qreal& x : xs) x -= origin;
    for (std::size_t r = page.top; r < page.bottom; ++r) ys.push_back(ys.back() + sheet.heights[r] * scaleY_);
    const auto x = [&](std::size_t column) { return xs[column - from]; };
    const auto cellAt = [&](std::size_t r, std::size_t column) {
      return model_.index(sheet.rows[page.top + r] - 1, sheet.columns[column] - 1);
    };
    const std::size_t rows = page.bottom - page.top;

    for (std::size_t r = 0; r < rows; ++r)
      for (std::size_t c = page.left; c < page.right; ++c)
        if (const auto fill = Role<QBrush>(cellAt(r, c), Qt::BackgroundRole); fill && fill->style() != Qt::NoBrush)
          painter.fillRect(QRectF(x(c), ys[r], x(c + 1) - x(c), ys[r + 1] - ys[r]), *fill);

    // The cells' own border lines over the fills; no grid lines, as Excel prints by default.
    for (std::size_t r = 0; r < rows; ++r)
      for (std::size_t c = page.left; c < page.right; ++c)
        if (const QVariant borders = cellAt(r, c).data(kBordersRole); borders.isValid())
          DrawBorders(painter, borders.toUInt(), QRectF(x(c), ys[r], x(c + 1) - x(c), ys[r + 1] - ys[r]), scaleX_);

    // The texts over every fill. A left-aligned one runs on over the empty cells to its right,
    // onto this page also from a cell of the page before, as the sheet goes on from there.
    const QRectF band(0, 0, x(page.right), ys.back());
    for (std::size_t r = 0; r < rows; ++r)
      for (std::size_t c = from; c < page.right; ++c) {
        const QModelIndex cell = cellAt(r, c);
        const QString text = cell.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) continue;
        const auto ownFont = Role<QFont>(cell, Qt::FontRole);
        const QFont font = ownFont ? PrintFont(*ownFont) : font_;
        const Qt::Alignment alignment = AlignmentOf(cell);
        std::size_t end = c + 1;  // past the last cell the text covers
        if ((alignment & Qt::AlignHorizontal_Mask) == Qt::AlignLeft) {
          const qreal width = QFontMetricsF(font, painter.device()).horizontalAdvance(text) + 2 * kPadding * scaleX_;
          while (end < page.right && x(end) - x(c) < width && cellAt(r, end).data(Qt::DisplayRole).toString().isEmpty()) ++end;
        }
        if (end <= page.left) continue;  // wholly on a page before
        const QRectF covered(x(c), ys[r], x(end) - x(c), ys[r + 1] - ys[r]);
        const auto ink = Role<QBrush>(cell, Qt::ForegroundRole);
        painter.save();
        painter.setClipRect(covered.intersected(band));
        painter.setFont(font);
        painter.setPen(ink ? ink->color() : QColor(Qt::black));
        painter.drawText(covered.adjusted(kPadding * scaleX_, 0, -kPadding * scaleX_, 0), static_cast<int>(alignment) | Qt::TextSingleLine, text);
        painter.restore();
      }
  }

 private:
  struct Printed {
    excel::SheetId id;
    std::vector<int> rows, columns;     // those that print, in order
    std::vector<qreal> heights, widths;  // theirs, in grid pixels
  };
  // A page: a run of a sheet's printed rows and one of its printed columns, as [first, end).
  struct Page {
    std::size_t sheet, top, bottom, left, right;
  };

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

#include "platform/office/excel/cell_store.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace excel {

const Cell* CellStore::Find(int row, int column) const {
  const auto r = index_.find(row);
  if (r == index_.end()) return nullptr;
  const auto c = r->second->cells.find(column);
  return c == r->second->cells.end() ? nullptr : &c->second;
}

Cell& CellStore::At(int row, int column) { return RowAt(row).cells[column]; }

Row& CellStore::RowAt(int row) {
  const auto [it, inserted] = rows_.try_emplace(row);
  if (inserted) index_[row] = &it->second;
  return it->second;
}

void CellStore::Reindex() {
  index_.clear();
  for (auto& [number, row] : rows_) index_[number] = &row;
}

void CellStore::Tidy(int row, int column) {
  const auto r = rows_.find(row);
  if (r == rows_.end()) return;
  const auto c = r->second.cells.find(column);
  if (c != r->second.cells.end() && c->second.isPlain()) r->second.cells.erase(c);
  if (r->second.cells.empty()) {
    index_.erase(row);
    rows_.erase(r);
  }
}

double CellStore::Height(int row) const {
  const auto h = heights_.find(row);
  return h == heights_.end() ? 0 : h->second;
}

void CellStore::SetHeight(int row, double points) {
  if (points == 0) heights_.erase(row);
  else heights_[row] = points;
}

std::map<int, double> CellStore::HeightsIn(int first, int count) const {
  std::map<int, double> out;
  for (auto it = heights_.lower_bound(first); it != heights_.end() && it->first < first + count; ++it) out.emplace(it->first - first, it->second);
  return out;
}

void CellStore::Merge(const Area& area) {
  std::erase_if(merges_, [&](const Area& m) { return m.intersects(area); });
  if (area.cells() > 1) merges_.push_back(area);
}

void CellStore::SetMerges(std::vector<Area> areas) {
  // A sweep from the top: only areas still open at a row can overlap one starting there, and
  // those lie in different columns, so a file of many merged areas costs no quadratic time.
  std::sort(areas.begin(), areas.end(), [](const Area& a, const Area& b) { return a.top < b.top; });
  std::vector<Area> open;
  for (const Area& a : areas) {
    std::erase_if(open, [&](const Area& o) { return o.bottom < a.top; });
    for (const Area& o : open)
      if (o.intersects(a)) throw std::invalid_argument("the merged areas " + AddressText(o, false, false) + " and " + AddressText(a, false, false) + " overlap");
    open.push_back(a);
  }
  std::erase_if(areas, [](const Area& a) { return a.cells() < 2; });
  merges_ = std::move(areas);
}

std::vector<Area> CellStore::MergesIn(int first, int count) const {
  std::vector<Area> out;
  for (const Area& m : merges_)
    if (m.top >= first && m.bottom < first + count) out.push_back({m.top - first, m.left, m.bottom - first, m.right});
  return out;
}

bool CellStore::Hidden(int row) const {
  auto it = hidden_.upper_bound(row);
  return it != hidden_.begin() && (--it)->second >= row;
}

void CellStore::SetHidden(int first, int last, bool hidden) {
  if (first > last) return;
  // Cut first..last out of every run, keeping the parts outside it.
  auto it = hidden_.upper_bound(first);
  if (it != hidden_.begin() && std::prev(it)->second >= first) --it;
  std::vector<std::pair<int, int>> kept;
  while (it != hidden_.end() && it->first <= last) {
    if (it->first < first) kept.emplace_back(it->first, first - 1);
    if (it->second > last) kept.emplace_back(last + 1, it->second);
    it = hidden_.erase(it);
  }
  for (const auto& [a, b] : kept) hidden_[a] = b;
  if (!hidden) return;
  // Joined with the runs that touch it.
  int from = first, to = last;
  auto next = hidden_.find(last + 1);
  if (next != hidden_.end()) {
    to = next->second;
    hidden_.erase(next);
  }
  auto previous = hidden_.lower_bound(first);
  if (previous != hidden_.begin() && std::prev(previous)->second == first - 1) {
    from = std::prev(previous)->first;
    hidden_.erase(std::prev(previous));
  }
  hidden_[from] = to;
}

int CellStore::HiddenCount(int first, int last) const {
  int count = 0;
  auto it = hidden_.upper_bound(first);
  if (it != hidden_.begin()) --it;
  for (; it != hidden_.end() && it->first <= last; ++it) {
    const int a = std::max(first, it->first), b = std::min(last, it->second);
    if (a <= b) count += b - a + 1;
  }
  return count;
}

RowRuns CellStore::HiddenRunsIn(int first, int count) const {
  RowRuns out;
  const int last = first + count - 1;
  auto it = hidden_.upper_bound(first);
  if (it != hidden_.begin()) --it;
  for (; it != hidden_.end() && it->first <= last; ++it) {
    const int a = std::max(first, it->first), b = std::min(last, it->second);
    if (a <= b) out[a - first] = b - first;
  }
  return out;
}

void CellStore::InsertRows(int at, int count) {
  RowRuns runs;
  for (const auto& [first, last] : hidden_) {
    if (last < at) runs[first] = last;
    else if (first >= at) runs[first + count] = last + count;
    else runs[first] = at - 1, runs[at + count] = last + count;
  }
  hidden_ = std::move(runs);
  std::map<int, double> heights;
  for (const auto& [row, height] : heights_) heights.emplace(row >= at ? row + count : row, height);
  heights_ = std::move(heights);
  for (Area& m : merges_) {
    if (m.top >= at) m.top += count;
    if (m.bottom >= at) m.bottom += count;
  }
  std::vector<int> moving;
  for (auto it = rows_.lower_bound(at); it != rows_.end(); ++it) moving.push_back(it->first);
  // From the bottom up, so that no moved row lands on one not yet moved.
  for (auto row = moving.rbegin(); row != moving.rend(); ++row) {
    auto node = rows_.extract(*row);
    node.key() += count;
    rows_.insert(std::move(node));
  }
  Reindex();
}

void CellStore::DeleteRows(int first, int count, std::vector<FormulaId>& dropped) {
  const int last = first + count - 1;
  SetHidden(first, last, false);
  RowRuns runs;
  for (const auto& [a, b] : hidden_) {
    if (b < first) runs[a] = b;
    else runs[a - count] = b - count;
  }
  hidden_.clear();
  for (const auto& [a, b] : runs) SetHidden(a, b, true);  // runs on both sides may now touch
  std::map<int, double> heights;
  for (const auto& [row, height] : heights_)
    if (row < first || row > last) heights.emplace(row > last ? row - count : row, height);
  heights_ = std::move(heights);
  std::erase_if(merges_, [&](const Area& m) { return m.top >= first && m.bottom <= last; });
  for (Area& m : merges_) {
    const auto moved = [&](int row) { return row < first ? row : row > last ? row - count : first; };
    m.bottom = m.bottom > last ? m.bottom - count : std::min(m.bottom, first - 1);
    m.top = moved(m.top);
  }
  std::erase_if(merges_, [](const Area& m) { return m.cells() < 2; });
  for (auto it = rows_.lower_bound(first); it != rows_.end() && it->first <= last;) {
    for (const auto& [column, cell] : it->second.cells)
      if (cell.formula != kNoFormula) dropped.push_back(cell.formula);
    it = rows_.erase(it);
  }
  for (auto it = rows_.upper_bound(last); it != rows_.end();) {
    auto node = rows_.extract(it++);
    node.key() -= count;
    rows_.insert(std::move(node));
  }
  Reindex();
}

std::map<int, Row> CellStore::CopyRows(int first, int count) const {
  std::map<int, Row> out;
  for (auto it = rows_.lower_bound(first); it != rows_.end() && it->first < first + count; ++it)
    out.emplace(it->first - first, it->second);
  return out;
}

void CellStore::PutRows(int first, std::map<int, Row> rows) {
  for (auto& [offset, row] : rows) RowAt(first + offset) = std::move(row);
}

}  // namespace excel

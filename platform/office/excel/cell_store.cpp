#include "platform/office/excel/cell_store.h"

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
  if (r->second.cells.empty() && !r->second.hidden) {
    index_.erase(row);
    rows_.erase(r);
  }
}

bool CellStore::Hidden(int row) const {
  const auto r = index_.find(row);
  return r != index_.end() && r->second->hidden;
}

void CellStore::SetHidden(int row, bool hidden) {
  if (hidden) {
    RowAt(row).hidden = true;
    return;
  }
  const auto r = rows_.find(row);
  if (r == rows_.end()) return;
  r->second.hidden = false;
  if (r->second.cells.empty()) {
    index_.erase(row);
    rows_.erase(r);
  }
}

void CellStore::InsertRows(int at, int count) {
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

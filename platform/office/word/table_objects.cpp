// Tables, Table, Rows, Row, Columns, Cells and Cell. Tables are found by id and rows by id, so a
// row object stays on its row when rows are inserted above it.

#include <algorithm>

#include "platform/automation/member_table.h"
#include "platform/office/word/objects.h"
#include "platform/office/word/story.h"
#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Object;
using automation::Variant;

[[noreturn]] void NoSuchMember() {
  errors::Raise(errors::kNoSuchCollectionMember, "The requested member of the collection does not exist.");
}

// The 1-based index into a collection of count members.
std::size_t Index(const Variant& index, std::size_t count) {
  const std::int32_t i = index.toInt32();
  if (i < 1 || static_cast<std::size_t>(i) > count) NoSuchMember();
  return static_cast<std::size_t>(i) - 1;
}

Variant Count(std::size_t n) { return Variant(static_cast<std::int32_t>(n)); }

Table& TableById(DocumentState& doc, NodeId id) {
  for (Table* t : Tables(doc.content.main))
    if (t->id == id) return *t;
  errors::Raise(errors::kObjectDeleted, "Object has been deleted.");
}

Row& RowOf(DocumentState& doc, NodeId id) {
  const auto place = RowById(doc.content.main, id);
  if (!place) errors::Raise(errors::kObjectDeleted, "Object has been deleted.");
  return place->table->rows[place->row];
}

// The state every object here holds: its document and the id of its table or row.
struct Node {
  DocumentRef doc;
  NodeId id;
};

class CellObject : public automation::TableDispatch<CellObject> {
 public:
  CellObject(Node node, std::size_t cell) : node_(std::move(node)), cell_(cell) {}
  static const MemberTable<CellObject>& Members() {
    static const auto table = MemberTable<CellObject>().Property("Range", [](CellObject& c, const Args&) {
      return Variant(MakeRange(c.node_.doc.weak(), CellTarget{c.node_.id, c.cell_}));
    });
    return table;
  }
  std::string TypeName() const override { return "Cell"; }

 private:
  Node node_;
  std::size_t cell_;
};

Object MakeCell(const Node& row, std::size_t cell) { return Object(std::make_shared<CellObject>(row, cell)); }

class CellsObject : public automation::TableDispatch<CellsObject> {
 public:
  explicit CellsObject(Node row) : row_(std::move(row)) {}
  static const MemberTable<CellsObject>& Members() {
    static const auto table =
        MemberTable<CellsObject>()
            .Property("Count", [](CellsObject& c, const Args&) { return Count(c.cells()); })
            .Property("Item", [](CellsObject& c, const Args& a) { return Variant(MakeCell(c.row_, Index(a[0], c.cells()))); },
                      {}, {"Index"})
            .Default("Item");
    return table;
  }
  std::string TypeName() const override { return "Cells"; }

 private:
  std::size_t cells() const { return RowOf(*row_.doc.lock(), row_.id).cells.size(); }
  Node row_;
};

class RowObject : public automation::TableDispatch<RowObject> {
 public:
  explicit RowObject(Node row) : row_(std::move(row)) {}
  static const MemberTable<RowObject>& Members() {
    static const auto table =
        MemberTable<RowObject>()
            .Method("Select", {},
                    [](RowObject& r, const Args&) {
                      const auto doc = r.row_.doc.lock();
                      doc->selection = RowSpan(doc->content.main, r.row_.id);
                      return Variant();
                    })
            .Property("Cells", [](RowObject& r, const Args&) {
              RowOf(*r.row_.doc.lock(), r.row_.id);
              return Variant(Object(std::make_shared<CellsObject>(r.row_)));
            });
    return table;
  }
  std::string TypeName() const override { return "Row"; }

 private:
  Node row_;
};

class RowsObject : public automation::TableDispatch<RowsObject> {
 public:
  explicit RowsObject(Node table) : table_(std::move(table)) {}
  static const MemberTable<RowsObject>& Members() {
    static const auto table =
        MemberTable<RowsObject>()
            .Property("Count", [](RowsObject& r, const Args&) { return Count(r.rows().size()); })
            .Property("Item",
                      [](RowsObject& r, const Args& a) {
                        const auto& rows = r.rows();
                        return Variant(Object(std::make_shared<RowObject>(Node{r.table_.doc, rows[Index(a[0], rows.size())].id})));
                      },
                      {}, {"Index"})
            .Default("Item");
    return table;
  }
  std::string TypeName() const override { return "Rows"; }

 private:
  const std::vector<Row>& rows() const { return TableById(*table_.doc.lock(), table_.id).rows; }
  Node table_;
};

class ColumnsObject : public automation::TableDispatch<ColumnsObject> {
 public:
  explicit ColumnsObject(Node table) : table_(std::move(table)) {}
  static const MemberTable<ColumnsObject>& Members() {
    static const auto table = MemberTable<ColumnsObject>().Property("Count", [](ColumnsObject& c, const Args&) {
      std::size_t columns = 0;
      for (const Row& row : TableById(*c.table_.doc.lock(), c.table_.id).rows) columns = std::max(columns, row.cells.size());
      return Count(columns);
    });
    return table;
  }
  std::string TypeName() const override { return "Columns"; }

 private:
  Node table_;
};

class TableObject : public automation::TableDispatch<TableObject> {
 public:
  explicit TableObject(Node table) : table_(std::move(table)) {}
  static const MemberTable<TableObject>& Members() {
    static const auto table =
        MemberTable<TableObject>()
            .Property("Rows", [](TableObject& t, const Args&) { return Variant(t.make<RowsObject>()); })
            .Property("Columns", [](TableObject& t, const Args&) { return Variant(t.make<ColumnsObject>()); })
            .Method("Cell", {"Row", "Column"}, [](TableObject& t, const Args& a) {
              const auto& rows = TableById(*t.table_.doc.lock(), t.table_.id).rows;
              const Row& row = rows[Index(a[0], rows.size())];
              return Variant(MakeCell(Node{t.table_.doc, row.id}, Index(a[1], row.cells.size())));
            });
    return table;
  }
  std::string TypeName() const override { return "Table"; }

 private:
  template <class T>
  Object make() const {
    TableById(*table_.doc.lock(), table_.id);
    return Object(std::make_shared<T>(table_));
  }
  Node table_;
};

class TablesObject : public automation::TableDispatch<TablesObject> {
 public:
  explicit TablesObject(std::weak_ptr<DocumentState> document) : doc_(std::move(document)) {}
  static const MemberTable<TablesObject>& Members() {
    static const auto table =
        MemberTable<TablesObject>()
            .Property("Count", [](TablesObject& t, const Args&) { return Count(Tables(t.doc_.lock()->content.main).size()); })
            .Property("Item",
                      [](TablesObject& t, const Args& a) {
                        const auto tables = Tables(t.doc_.lock()->content.main);
                        const NodeId id = tables[Index(a[0], tables.size())]->id;
                        return Variant(Object(std::make_shared<TableObject>(Node{t.doc_, id})));
                      },
                      {}, {"Index"})
            .Default("Item");
    return table;
  }
  std::string TypeName() const override { return "Tables"; }

 private:
  DocumentRef doc_;
};

}  // namespace

Object MakeTables(std::weak_ptr<DocumentState> document) {
  return Object(std::make_shared<TablesObject>(std::move(document)));
}

}  // namespace office::word

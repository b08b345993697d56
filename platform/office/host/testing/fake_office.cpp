#include "platform/office/host/testing/fake_office.h"

#include <filesystem>
#include <map>
#include <vector>

#include "platform/automation/member_table.h"

namespace office::testing {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Object;
using automation::TableDispatch;
using automation::Variant;
namespace errors = automation::errors;

Variant Count(std::size_t n) { return static_cast<std::int32_t>(n); }

// Item(1-based index or name) of a vector of named things.
template <class T>
std::shared_ptr<T> ItemOf(const std::vector<std::shared_ptr<T>>& items, const Variant& index) {
  if (index.isText()) {
    for (const auto& item : items)
      if (automation::FoldCase(item->name) == automation::FoldCase(index.toText())) return item;
    automation::Raise(errors::kSubscriptOutOfRange);
  }
  const auto i = index.toInt32();
  if (i < 1 || static_cast<std::size_t>(i) > items.size()) automation::Raise(errors::kSubscriptOutOfRange);
  return items[static_cast<std::size_t>(i - 1)];
}

class Range : public TableDispatch<Range> {
 public:
  static const MemberTable<Range>& Members() {
    static const auto table = MemberTable<Range>()
                                  .Property("Value", [](Range& r, const Args&) { return r.value; },
                                            [](Range& r, const Args&, const Variant& v) { r.value = v; })
                                  .Default("Value");
    return table;
  }
  Variant value;
};

class Worksheet : public TableDispatch<Worksheet> {
 public:
  explicit Worksheet(std::string n) : name(std::move(n)) {}
  static const MemberTable<Worksheet>& Members() {
    static const auto table = MemberTable<Worksheet>()
                                  .Property("Name", [](Worksheet& s, const Args&) { return Variant(s.name); })
                                  .Property(
                                      "Range",
                                      [](Worksheet& s, const Args& a) {
                                        auto& cell = s.cells[automation::FoldCase(a[0].toText())];
                                        if (!cell) cell = std::make_shared<Range>();
                                        return Variant(Object(cell));
                                      },
                                      {}, {"Cell1"});
    return table;
  }
  std::string name;
  std::map<std::string, std::shared_ptr<Range>> cells;
};

class Worksheets : public TableDispatch<Worksheets> {
 public:
  static const MemberTable<Worksheets>& Members() {
    static const auto table =
        MemberTable<Worksheets>()
            .Property("Item", [](Worksheets& w, const Args& a) { return Variant(Object(ItemOf(w.sheets, a[0]))); }, {},
                      {"Index"})
            .Property("Count", [](Worksheets& w, const Args&) { return Count(w.sheets.size()); })
            .Default("Item");
    return table;
  }
  std::vector<std::shared_ptr<Worksheet>> sheets;
};

class Workbook : public TableDispatch<Workbook> {
 public:
  Workbook(std::string n, std::vector<std::string> sheetNames) : name(std::move(n)) {
    for (auto& s : sheetNames) sheets->sheets.push_back(std::make_shared<Worksheet>(std::move(s)));
  }
  static const MemberTable<Workbook>& Members() {
    static const auto table = MemberTable<Workbook>()
                                  .Property("Name", [](Workbook& b, const Args&) { return Variant(b.name); })
                                  .Property("Worksheets", [](Workbook& b, const Args&) { return Variant(Object(b.sheets)); });
    return table;
  }
  std::string name;
  std::shared_ptr<Worksheets> sheets = std::make_shared<Worksheets>();
};

class Workbooks : public TableDispatch<Workbooks> {
 public:
  static const MemberTable<Workbooks>& Members() {
    static const auto table =
        MemberTable<Workbooks>()
            .Method("Add", {},
                    [](Workbooks& w, const Args&) {
                      return w.Push(std::make_shared<Workbook>("Book" + std::to_string(w.books.size() + 1),
                                                               std::vector<std::string>{"Sheet1"}));
                    })
            // Every file opens as a project workbook's two first sheets.
            .Method("Open", {"Filename"},
                    [](Workbooks& w, const Args& a) {
                      return w.Push(std::make_shared<Workbook>(std::filesystem::path(a[0].toText()).filename().string(),
                                                               std::vector<std::string>{"参数", "市场法计算表"}));
                    })
            .Property("Item", [](Workbooks& w, const Args& a) { return Variant(Object(ItemOf(w.books, a[0]))); }, {},
                      {"Index"})
            .Property("Count", [](Workbooks& w, const Args&) { return Count(w.books.size()); })
            .Default("Item");
    return table;
  }
  Variant Push(std::shared_ptr<Workbook> book) {
    books.push_back(book);
    return Object(book);
  }
  std::vector<std::shared_ptr<Workbook>> books;  // the last one is active
};

class FakeExcel : public TableDispatch<FakeExcel, Application> {
 public:
  static const MemberTable<FakeExcel>& Members() {
    static const auto table =
        MemberTable<FakeExcel>()
            .Property("Visible", [](FakeExcel& x, const Args&) { return Variant(x.visible_); },
                      [](FakeExcel& x, const Args&, const Variant& v) { x.visible_ = v.toBool(); })
            .Property("Workbooks", [](FakeExcel& x, const Args&) { return Variant(Object(x.workbooks_)); })
            .Property("ActiveWorkbook", [](FakeExcel& x, const Args&) { return Variant(x.Active()); })
            .Property("Worksheets",
                      [](FakeExcel& x, const Args&) {
                        return Object(x.Active()).obj("Worksheets");  // Nothing without a workbook: 91
                      })
            .Method("Quit", {}, [](FakeExcel& x, const Args&) {
              x.quit_ = true;
              return Variant();
            });
    return table;
  }
  bool visible() const override { return visible_; }
  bool hasQuit() const override { return quit_; }

 private:
  Object Active() const { return workbooks_->books.empty() ? Object() : Object(workbooks_->books.back()); }
  bool visible_ = false;
  bool quit_ = false;
  std::shared_ptr<Workbooks> workbooks_ = std::make_shared<Workbooks>();
};

class TextRange : public TableDispatch<TextRange> {
 public:
  static const MemberTable<TextRange>& Members() {
    static const auto table = MemberTable<TextRange>()
                                  .Property("Text", [](TextRange& r, const Args&) { return Variant(r.text); },
                                            [](TextRange& r, const Args&, const Variant& v) { r.text = v.toText(); })
                                  .Default("Text");
    return table;
  }
  std::string text;
};

class Cell : public TableDispatch<Cell> {
 public:
  static const MemberTable<Cell>& Members() {
    static const auto table =
        MemberTable<Cell>().Property("Range", [](Cell& c, const Args&) { return Variant(Object(c.range)); });
    return table;
  }
  std::shared_ptr<TextRange> range = std::make_shared<TextRange>();
};

class Table : public TableDispatch<Table> {
 public:
  static const MemberTable<Table>& Members() {
    static const auto table = MemberTable<Table>().Method("Cell", {"Row", "Column"}, [](Table& t, const Args& a) {
      const auto row = a[0].toInt32(), column = a[1].toInt32();
      if (row < 1 || row > 2 || column < 1 || column > 2) automation::Raise(5, "The requested member of the collection does not exist.");
      return Variant(Object(t.cells[static_cast<std::size_t>((row - 1) * 2 + column - 1)]));
    });
    return table;
  }
  std::vector<std::shared_ptr<Cell>> cells{std::make_shared<Cell>(), std::make_shared<Cell>(), std::make_shared<Cell>(),
                                           std::make_shared<Cell>()};
};

class Tables : public TableDispatch<Tables> {
 public:
  static const MemberTable<Tables>& Members() {
    static const auto table =
        MemberTable<Tables>()
            .Property("Item",
                      [](Tables& t, const Args& a) {
                        if (a[0].toInt32() != 1) automation::Raise(5, "The requested member of the collection does not exist.");
                        return Variant(Object(t.table));
                      },
                      {}, {"Index"})
            .Default("Item");
    return table;
  }
  std::shared_ptr<Table> table = std::make_shared<Table>();  // every document has one 2x2 table
};

class Document : public TableDispatch<Document> {
 public:
  explicit Document(std::string n) : name(std::move(n)) {}
  static const MemberTable<Document>& Members() {
    static const auto table = MemberTable<Document>()
                                  .Property("Name", [](Document& d, const Args&) { return Variant(d.name); })
                                  .Property("Tables", [](Document& d, const Args&) { return Variant(Object(d.tables)); });
    return table;
  }
  std::string name;
  std::shared_ptr<Tables> tables = std::make_shared<Tables>();
};

class Documents : public TableDispatch<Documents> {
 public:
  static const MemberTable<Documents>& Members() {
    static const auto table =
        MemberTable<Documents>()
            .Method("Add", {"Template"},
                    [](Documents& d, const Args&) {
                      d.documents.push_back(std::make_shared<Document>("Document" + std::to_string(d.documents.size() + 1)));
                      return Variant(Object(d.documents.back()));
                    })
            .Property("Count", [](Documents& d, const Args&) { return Count(d.documents.size()); });
    return table;
  }
  std::vector<std::shared_ptr<Document>> documents;  // the last one is active
};

// Replace:=2 replaces every occurrence in the active document's cells; the options are kept between calls.
class Find : public TableDispatch<Find> {
 public:
  static const MemberTable<Find>& Members() {
    static const auto table =
        MemberTable<Find>()
            .Property("Text", [](Find& f, const Args&) { return Variant(f.text); },
                      [](Find& f, const Args&, const Variant& v) { f.text = v.toText(); })
            .Method("Execute", {"FindText", "ReplaceWith", "Replace"}, [](Find& f, const Args& a) {
              if (a.has(0)) f.text = a[0].toText();
              if (a.has(1)) f.replacement = a[1].toText();
              return Variant(f.Run(a.value(2, 0).toInt32() == 2));
            });
    return table;
  }
  bool Run(bool replaceAll) {
    if (documents->documents.empty()) automation::Raise(4248, "This command is not available because no document is open.");
    bool found = false;
    for (const auto& cell : documents->documents.back()->tables->table->cells) {
      std::string& t = cell->range->text;
      for (auto at = t.find(text); !text.empty() && at != std::string::npos; at = t.find(text, at + replacement.size())) {
        found = true;
        if (!replaceAll) return true;
        t.replace(at, text.size(), replacement);
      }
    }
    return found;
  }
  std::shared_ptr<Documents> documents;
  std::string text, replacement;
};

class Selection : public TableDispatch<Selection> {
 public:
  static const MemberTable<Selection>& Members() {
    static const auto table =
        MemberTable<Selection>().Property("Find", [](Selection& s, const Args&) { return Variant(Object(s.find)); });
    return table;
  }
  std::shared_ptr<Find> find = std::make_shared<Find>();
};

class FakeWord : public TableDispatch<FakeWord, Application> {
 public:
  FakeWord() { selection_->find->documents = documents_; }
  static const MemberTable<FakeWord>& Members() {
    static const auto table =
        MemberTable<FakeWord>()
            .Property("Visible", [](FakeWord& w, const Args&) { return Variant(w.visible_); },
                      [](FakeWord& w, const Args&, const Variant& v) { w.visible_ = v.toBool(); })
            .Property("Documents", [](FakeWord& w, const Args&) { return Variant(Object(w.documents_)); })
            .Property("ActiveDocument",
                      [](FakeWord& w, const Args&) {
                        if (w.documents_->documents.empty())
                          automation::Raise(4248, "This command is not available because no document is open.");
                        return Variant(Object(w.documents_->documents.back()));
                      })
            .Property("Selection", [](FakeWord& w, const Args&) { return Variant(Object(w.selection_)); })
            .Method("Quit", {}, [](FakeWord& w, const Args&) {
              w.quit_ = true;
              return Variant();
            });
    return table;
  }
  bool visible() const override { return visible_; }
  bool hasQuit() const override { return quit_; }

 private:
  bool visible_ = false;
  bool quit_ = false;
  std::shared_ptr<Documents> documents_ = std::make_shared<Documents>();
  std::shared_ptr<Selection> selection_ = std::make_shared<Selection>();
};

}  // namespace

std::shared_ptr<Application> MakeFakeExcel() { return std::make_shared<FakeExcel>(); }
std::shared_ptr<Application> MakeFakeWord() { return std::make_shared<FakeWord>(); }

ApplicationRegistry FakeRegistry() {
  ApplicationRegistry registry;
  registry.Register("Excel.Application", MakeFakeExcel);
  registry.Register("Word.Application", MakeFakeWord);
  return registry;
}

}  // namespace office::testing

#pragma once
// Small fakes of the Excel and Word members the refreshers use, for the tests of this folder:
// workbooks of sheets of cell values; documents with a plain main text, a selection with its
// find object and tables of rows of cells. Every find execution and every Word call is recorded.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/automation/member_table.h"
#include "refreshers/common/refresh_context.h"

namespace refreshers::fakes {

using automation::Args;
using automation::ErrorValue;
using automation::MemberTable;
using automation::Object;
using automation::TableDispatch;
using automation::Variant;

inline Variant Int(std::int64_t v) { return Variant(static_cast<std::int32_t>(v)); }

// ---- Excel ----

class Sheet : public TableDispatch<Sheet>, public std::enable_shared_from_this<Sheet> {
 public:
  class Cell : public TableDispatch<Cell> {
   public:
    Cell(std::shared_ptr<Sheet> s, std::int32_t r, std::int32_t c) : sheet(std::move(s)), row(r), column(c) {}
    static const MemberTable<Cell>& Members() {
      static const auto table =
          MemberTable<Cell>()
              .Property("Value", [](Cell& c, const Args&) { return c.sheet->value(c.row, c.column); })
              .Property("Row", [](Cell& c, const Args&) { return Int(c.row); })
              .Method("End", {"Direction"}, [](Cell& c, const Args& a) {
                if (a[0].toInt32() != 3) automation::Raise(automation::errors::kApplicationDefined);
                std::int32_t last = 1;  // an empty column ends at its first row
                for (const auto& [at, v] : c.sheet->cells)
                  if (at.second == c.column && at.first <= c.row && !v.isEmpty()) last = std::max(last, at.first);
                return Variant(Object(std::make_shared<Cell>(c.sheet, last, c.column)));
              })
              .Default("Value");
      return table;
    }
    std::shared_ptr<Sheet> sheet;
    std::int32_t row, column;
  };

  class Rows : public TableDispatch<Rows> {
   public:
    static const MemberTable<Rows>& Members() {
      static const auto table = MemberTable<Rows>().Property("Count", [](Rows&, const Args&) { return Int(1048576); });
      return table;
    }
  };

  static const MemberTable<Sheet>& Members() {
    static const auto table = MemberTable<Sheet>()
        .Property("Rows", [](Sheet&, const Args&) { return Variant(Object(std::make_shared<Rows>())); })
        .Property(
        "Cells",
        [](Sheet& s, const Args& a) {
          return Variant(Object(std::make_shared<Cell>(s.shared_from_this(), a[0].toInt32(), a[1].toInt32())));
        },
        {}, {"RowIndex", "ColumnIndex"});
    return table;
  }
  Variant value(std::int32_t row, std::int32_t column) const {
    const auto it = cells.find({row, column});
    return it == cells.end() ? Variant() : it->second;
  }
  void set(std::int32_t row, std::int32_t column, Variant v) { cells[{row, column}] = std::move(v); }

  std::map<std::pair<std::int32_t, std::int32_t>, Variant> cells;
};

class Workbook : public TableDispatch<Workbook> {
 public:
  static const MemberTable<Workbook>& Members() {
    static const auto table =
        MemberTable<Workbook>()
            .Property("Name", [](Workbook& w, const Args&) { return Variant(w.name); })
            .Property("Sheets", [](Workbook& w, const Args& a) { return Variant(Object(w.existing(a[0].toText()))); },
                      {}, {"Index"});
    return table;
  }
  std::shared_ptr<Sheet> existing(const std::string& sheet) const {
    const auto it = sheets.find(sheet);
    if (it == sheets.end()) automation::Raise(automation::errors::kSubscriptOutOfRange);
    return it->second;
  }
  Sheet& sheet(const std::string& sheetName) {
    auto& s = sheets[sheetName];
    if (!s) s = std::make_shared<Sheet>();
    return *s;
  }
  std::string name;
  std::map<std::string, std::shared_ptr<Sheet>> sheets;
};

class Excel : public TableDispatch<Excel> {
 public:
  static const MemberTable<Excel>& Members() {
    static const auto table =
        MemberTable<Excel>()
            .Property("ActiveWorkbook", [](Excel& x, const Args&) { return Variant(Object(x.existing(x.active))); })
            .Property("Workbooks", [](Excel& x, const Args& a) { return Variant(Object(x.existing(a[0].toText()))); },
                      {}, {"Index"});
    return table;
  }
  std::shared_ptr<Workbook> existing(const std::string& name) const {
    const auto it = workbooks.find(name);
    if (it == workbooks.end()) automation::Raise(automation::errors::kSubscriptOutOfRange);
    return it->second;
  }
  // The workbook of that name, made and activated when new.
  Workbook& workbook(const std::string& name) {
    auto& w = workbooks[name];
    if (!w) {
      w = std::make_shared<Workbook>();
      w->name = name;
      if (active.empty()) active = name;
    }
    return *w;
  }
  std::string active;
  std::map<std::string, std::shared_ptr<Workbook>> workbooks;
};

// ---- Word ----

struct Execution {
  std::string findText, replacementText;
  std::int32_t replace;
  bool forward;
  bool matchCase, matchWholeWord, matchWildcards, matchSoundsLike, matchAllWordForms;
  bool findFormatting, replacementFormatting;
  std::int32_t wrap;
};

class Document;

class Replacement : public TableDispatch<Replacement> {
 public:
  static const MemberTable<Replacement>& Members() {
    static const auto table =
        MemberTable<Replacement>()
            .Property("Text", [](Replacement& r, const Args&) { return Variant(r.text); },
                      [](Replacement& r, const Args&, const Variant& v) { r.text = v.toText(); })
            .Method("ClearFormatting", {}, [](Replacement& r, const Args&) {
              r.formatting = false;
              return Variant();
            });
    return table;
  }
  std::string text;
  bool formatting = true;  // the user's last search replaced with formatting
};

// Word's "^" codes as far as the fakes know them: "^^" is a caret, any other code is refused.
inline std::string DecodeCarets(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '^') {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '^') {
      out += '^';
      ++i;
    } else {
      automation::Raise(5560, "not a valid special character");
    }
  }
  return out;
}

inline std::size_t CodePoints(const std::string& s) {
  return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

class Find : public TableDispatch<Find> {
 public:
  explicit Find(Document& d) : document(d) {}
  static const MemberTable<Find>& Members();
  Variant execute(const Args& a);

  Document& document;
  std::string text;
  std::shared_ptr<Replacement> replacement = std::make_shared<Replacement>();
  // A user's earlier search left every option on and wrap at "continue".
  std::map<std::string, bool> options{{"matchcase", true},
                                      {"matchwholeword", true},
                                      {"matchwildcards", true},
                                      {"matchsoundslike", true},
                                      {"matchallwordforms", true}};
  bool formatting = true;
  std::int32_t wrap = 1;
  std::vector<Execution> executions;
  std::function<void()> onExecute;  // lets a test act while a refresh runs
};

class Selection : public TableDispatch<Selection> {
 public:
  explicit Selection(Document& d) : document(d), find(std::make_shared<Find>(d)) {}
  static const MemberTable<Selection>& Members();

  Document& document;
  std::shared_ptr<Find> find;
  std::int32_t start = 0, end = 0;
  std::optional<std::pair<std::int32_t, std::int32_t>> tableRow;  // table index, row
};

class Table : public TableDispatch<Table> {
 public:
  Table(Document& d, std::int32_t i) : document(d), index(i) {}
  static const MemberTable<Table>& Members();
  std::string& cell(std::int32_t row, std::int32_t column) {
    if (row < 1 || column < 1 || row > static_cast<std::int32_t>(rows.size()) ||
        column > static_cast<std::int32_t>(rows[row - 1].size()))
      automation::Raise(5941, "The requested member of the collection does not exist.");
    return rows[row - 1][column - 1];
  }
  Document& document;
  std::int32_t index;
  std::vector<std::vector<std::string>> rows;
};

class Document : public TableDispatch<Document> {
 public:
  class Window : public TableDispatch<Window> {
   public:
    explicit Window(Document& d) : selection(std::make_shared<Selection>(d)) {}
    static const MemberTable<Window>& Members() {
      static const auto table = MemberTable<Window>().Property(
          "Selection", [](Window& w, const Args&) { return Variant(Object(w.selection)); });
      return table;
    }
    std::shared_ptr<Selection> selection;
  };
  class Fields : public TableDispatch<Fields> {
   public:
    explicit Fields(Document& d) : document(d) {}
    static const MemberTable<Fields>& Members() {
      static const auto table = MemberTable<Fields>().Method("Update", {}, [](Fields& f, const Args&) {
        f.document.calls.push_back("Fields.Update");
        return Variant();
      });
      return table;
    }
    Document& document;
  };

  static const MemberTable<Document>& Members() {
    static const auto table =
        MemberTable<Document>()
            .Property("Name", [](Document& d, const Args&) { return Variant(d.name); })
            .Property("ActiveWindow", [](Document& d, const Args&) { return Variant(Object(d.window)); })
            .Property("Tables", [](Document& d, const Args& a) {
              const std::int32_t i = a[0].toInt32();
              if (i < 1 || i > static_cast<std::int32_t>(d.tables.size()))
                automation::Raise(5941, "The requested member of the collection does not exist.");
              return Variant(Object(d.tables[i - 1]));
            }, {}, {"Index"});
    return table;
  }
  Selection& selection() { return *window->selection; }
  Find& find() { return *window->selection->find; }
  Table& addTable(std::vector<std::vector<std::string>> rows) {
    tables.push_back(std::make_shared<Table>(*this, static_cast<std::int32_t>(tables.size() + 1)));
    tables.back()->rows = std::move(rows);
    return *tables.back();
  }

  std::string name;
  std::string text;
  std::vector<std::shared_ptr<Table>> tables;
  std::vector<std::string> calls;
  std::shared_ptr<Window> window = std::make_shared<Window>(*this);
};

class Word : public TableDispatch<Word> {
 public:
  static const MemberTable<Word>& Members() {
    static const auto table =
        MemberTable<Word>()
            .Property("ActiveDocument", [](Word& w, const Args&) { return Variant(Object(w.existing(w.active))); })
            .Property("Documents", [](Word& w, const Args& a) { return Variant(Object(w.existing(a[0].toText()))); },
                      {}, {"Index"});
    return table;
  }
  std::shared_ptr<Document> existing(const std::string& name) const {
    const auto it = documents.find(name);
    if (it == documents.end()) automation::Raise(4160, "Bad file name.");
    return it->second;
  }
  Document& document(const std::string& name, std::string text = {}) {
    auto& d = documents[name];
    if (!d) {
      d = std::make_shared<Document>();
      d->name = name;
      d->text = std::move(text);
      if (active.empty()) active = name;
    }
    return *d;
  }
  std::string active;
  std::map<std::string, std::shared_ptr<Document>> documents;
};

inline const MemberTable<Find>& Find::Members() {
  static const auto table = [] {
    auto t = MemberTable<Find>()
                 .Property("Text", [](Find& f, const Args&) { return Variant(f.text); },
                           [](Find& f, const Args&, const Variant& v) { f.text = v.toText(); })
                 .Property("Replacement", [](Find& f, const Args&) { return Variant(Object(f.replacement)); })
                 .Property("Wrap", [](Find& f, const Args&) { return Int(f.wrap); },
                           [](Find& f, const Args&, const Variant& v) { f.wrap = v.toInt32(); })
                 .Method("ClearFormatting", {}, [](Find& f, const Args&) {
                   f.formatting = false;
                   return Variant();
                 })
                 .Method("Execute", {"FindText", "MatchCase", "MatchWholeWord", "MatchWildcards", "MatchSoundsLike",
                                     "MatchAllWordForms", "Forward", "Wrap", "Format", "ReplaceWith", "Replace"},
                         [](Find& f, const Args& a) { return f.execute(a); });
    for (const char* option : {"MatchCase", "MatchWholeWord", "MatchWildcards", "MatchSoundsLike", "MatchAllWordForms"})
      t.Property(
          option, [key = automation::FoldCase(option)](Find& f, const Args&) { return Variant(f.options.at(key)); },
          [key = automation::FoldCase(option)](Find& f, const Args&, const Variant& v) { f.options[key] = v.toBool(); });
    return t;
  }();
  return table;
}

// Texts given to Execute become the find object's own, as in Word.
inline Variant Find::execute(const Args& a) {
  if (onExecute) onExecute();
  if (a.has(0)) text = a[0].toText();
  if (a.has(9)) replacement->text = a[9].toText();
  const std::int32_t replace = a.value(10, 0).toInt32();
  executions.push_back({text, replacement->text, replace, a.value(6, true).toBool(), options.at("matchcase"),
                        options.at("matchwholeword"), options.at("matchwildcards"), options.at("matchsoundslike"),
                        options.at("matchallwordforms"), formatting, replacement->formatting, wrap});
  const std::string key = DecodeCarets(text);
  Selection& sel = document.selection();
  std::string& body = document.text;
  if (replace == 2) {
    const std::string value = DecodeCarets(replacement->text);
    if (CodePoints(replacement->text) > 255) automation::Raise(5854, "String parameter too long.");
    if (key.empty()) return Variant(false);
    bool found = false;
    for (auto at = body.find(key, wrap == 1 ? 0 : static_cast<std::size_t>(sel.start)); at != std::string::npos;
         at = body.find(key, at + value.size())) {
      body.replace(at, key.size(), value);
      found = true;
    }
    return Variant(found);
  }
  if (key.empty()) return Variant(false);
  auto at = body.find(key, static_cast<std::size_t>(sel.end));
  if (at == std::string::npos && wrap == 1) at = body.find(key);
  if (at == std::string::npos) return Variant(false);
  sel.start = static_cast<std::int32_t>(at);
  sel.end = static_cast<std::int32_t>(at + key.size());
  return Variant(true);
}

inline const MemberTable<Selection>& Selection::Members() {
  static const auto table =
      MemberTable<Selection>()
          .Method("WholeStory", {},
                  [](Selection& s, const Args&) {
                    s.document.calls.push_back("WholeStory");
                    s.start = 0;
                    s.end = static_cast<std::int32_t>(s.document.text.size());
                    return Variant();
                  })
          .Property("Fields",
                    [](Selection& s, const Args&) { return Variant(Object(std::make_shared<Document::Fields>(s.document))); })
          .Method("MoveUp", {"Unit", "Count", "Extend"},
                  [](Selection& s, const Args& a) {
                    s.document.calls.push_back("MoveUp " + a[0].toText() + " " + a[1].toText());
                    s.start = s.end = 0;
                    return Variant();
                  })
          .Property("Find", [](Selection& s, const Args&) { return Variant(Object(s.find)); })
          .Property("Start", [](Selection& s, const Args&) { return Int(s.start); })
          .Property("End", [](Selection& s, const Args&) { return Int(s.end); })
          .Method("SetRange", {"Start", "End"},
                  [](Selection& s, const Args& a) {
                    s.start = a[0].toInt32();
                    s.end = a[1].toInt32();
                    return Variant();
                  })
          .Property(
              "Text",
              [](Selection& s, const Args&) { return Variant(s.document.text.substr(s.start, s.end - s.start)); },
              [](Selection& s, const Args&, const Variant& v) {
                const std::string t = v.toText();
                s.document.text.replace(s.start, s.end - s.start, t);
                s.end = s.start + static_cast<std::int32_t>(t.size());
              })
          .Method("GoTo", {"What", "Which", "Count", "Name"},
                  [](Selection& s, const Args& a) {
                    s.document.calls.push_back("GoTo " + a[0].toText() + " " + a.value(3, "").toText());
                    // Lands somewhere the fill must not rely on: the first row of the first table.
                    s.tableRow.reset();
                    if (!s.document.tables.empty()) s.tableRow = {{1, 1}};
                    return Variant();
                  })
          .Method("InsertRowsBelow", {"NumRows"}, [](Selection& s, const Args& a) {
            if (!s.tableRow) automation::Raise(4605, "This command is not available.");
            const std::int32_t count = a[0].toInt32();
            s.document.calls.push_back("InsertRowsBelow " + std::to_string(count) + " at table " +
                                       std::to_string(s.tableRow->first) + " row " + std::to_string(s.tableRow->second));
            auto& rows = s.document.tables[s.tableRow->first - 1]->rows;
            const std::size_t width = rows[s.tableRow->second - 1].size();
            rows.insert(rows.begin() + s.tableRow->second, count, std::vector<std::string>(width));
            return Variant();
          });
  return table;
}

inline const MemberTable<Table>& Table::Members() {
  class Rows : public TableDispatch<Rows> {
   public:
    explicit Rows(Table& t) : table(t) {}
    static const MemberTable<Rows>& Members() {
      static const auto members =
          MemberTable<Rows>()
              .Property("Count", [](Rows& r, const Args&) { return Int(r.table.rows.size()); })
              .Property("Item", [](Rows& r, const Args& a) {
                return Variant(Object(std::make_shared<Row>(r.table, a[0].toInt32())));
              }, {}, {"Index"})
              .Default("Item");
      return members;
    }
    class Row : public TableDispatch<Row> {
     public:
      Row(Table& t, std::int32_t i) : table(t), index(i) {
        if (i < 1 || i > static_cast<std::int32_t>(t.rows.size()))
          automation::Raise(5941, "The requested member of the collection does not exist.");
      }
      static const MemberTable<Row>& Members() {
        static const auto members = MemberTable<Row>().Method("Select", {}, [](Row& r, const Args&) {
          r.table.document.calls.push_back("Select table " + std::to_string(r.table.index) + " row " +
                                           std::to_string(r.index));
          r.table.document.selection().tableRow = {{r.table.index, r.index}};
          return Variant();
        });
        return members;
      }
      Table& table;
      std::int32_t index;
    };
    Table& table;
  };
  class CellRange : public TableDispatch<CellRange> {
   public:
    explicit CellRange(std::string& t) : text(t) {}
    static const MemberTable<CellRange>& Members() {
      static const auto members =
          MemberTable<CellRange>().Property("Text", [](CellRange& r, const Args&) { return Variant(r.text); },
                                            [](CellRange& r, const Args&, const Variant& v) { r.text = v.toText(); });
      return members;
    }
    std::string& text;
  };
  class Cell : public TableDispatch<Cell> {
   public:
    explicit Cell(std::string& t) : text(t) {}
    static const MemberTable<Cell>& Members() {
      static const auto members = MemberTable<Cell>().Property(
          "Range", [](Cell& c, const Args&) { return Variant(Object(std::make_shared<CellRange>(c.text))); });
      return members;
    }
    std::string& text;
  };
  static const auto table =
      MemberTable<Table>()
          .Property("Rows", [](Table& t, const Args&) { return Variant(Object(std::make_shared<Rows>(t))); })
          .Method("Cell", {"Row", "Column"}, [](Table& t, const Args& a) {
            return Variant(Object(std::make_shared<Cell>(t.cell(a[0].toInt32(), a[1].toInt32()))));
          });
  return table;
}

// ---- Both, as a running Office ----

struct FakeOffice {
  std::shared_ptr<Excel> excel = std::make_shared<Excel>();
  std::shared_ptr<Word> word = std::make_shared<Word>();
  int attaches = 0;

  AttachOffice attach() {
    return [this] {
      ++attaches;
      return Office{Object(excel), Object(word)};
    };
  }
};

}  // namespace refreshers::fakes

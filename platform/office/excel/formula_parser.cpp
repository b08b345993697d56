#include "platform/office/excel/formula_parser.h"

#include "platform/office/excel/cell_address.h"

namespace excel {
namespace {

constexpr int kMaxNesting = 100;
constexpr std::size_t kMaxFormulaLength = 8192;  // Excel's own limit

class Parser {
 public:
  Parser(std::vector<LexToken> tokens, Notation notation, const CellPosition& at, const SheetLookup& sheets)
      : tokens_(std::move(tokens)), notation_(notation), at_(at), sheets_(sheets) {}

  Formula Run() {
    Comparison();
    if (Peek().kind != LexToken::Kind::End) throw FormulaSyntaxError("unexpected text after the formula");
    return std::move(out_);
  }

 private:
  using Kind = LexToken::Kind;

  const LexToken& Peek() const { return tokens_[pos_]; }
  bool PeekOperator(std::initializer_list<std::string_view> ops) const {
    if (Peek().kind != Kind::Operator) return false;
    for (auto op : ops)
      if (Peek().text == op) return true;
    return false;
  }
  void EmitOperator(Token::Type type, std::string op) {
    Token t;
    t.type = type;
    t.text = std::move(op);
    out_.tokens.push_back(std::move(t));
  }

  template <class Next>
  void BinaryLevel(std::initializer_list<std::string_view> ops, Next next) {
    (this->*next)();
    while (PeekOperator(ops)) {
      std::string op = tokens_[pos_++].text;
      (this->*next)();
      EmitOperator(Token::Type::Binary, std::move(op));
    }
  }
  // Every nesting (parentheses, arguments, signs) passes here, so one limit keeps the stack safe.
  void Comparison() {
    if (++depth_ > kMaxNesting) throw FormulaSyntaxError("the formula is nested too deeply");
    BinaryLevel({"=", "<>", "<", ">", "<=", ">="}, &Parser::Concatenation);
    --depth_;
  }
  void Concatenation() { BinaryLevel({"&"}, &Parser::Additive); }
  void Additive() { BinaryLevel({"+", "-"}, &Parser::Multiplicative); }
  void Multiplicative() { BinaryLevel({"*", "/"}, &Parser::Power); }
  void Power() { BinaryLevel({"^"}, &Parser::Unary); }  // after negation: -2^2 is 4

  void Unary() {
    if (PeekOperator({"-", "+"})) {
      std::string op = tokens_[pos_++].text;
      if (++depth_ > kMaxNesting) throw FormulaSyntaxError("the formula is nested too deeply");
      Unary();
      --depth_;
      EmitOperator(Token::Type::Unary, std::move(op));
      return;
    }
    Primary();
  }

  void Primary() {
    const LexToken& t = tokens_[pos_];
    Token out;
    switch (t.kind) {
      case Kind::Number: out.type = Token::Type::Number; out.number = t.number; break;
      case Kind::Text: out.type = Token::Type::Text; out.text = t.text; break;
      case Kind::Boolean: out.type = Token::Type::Boolean; out.number = t.number; break;
      case Kind::Error: out.type = Token::Type::Error; out.error = t.error; break;
      case Kind::Name: out.type = Token::Type::Name; out.text = t.text; break;
      case Kind::Reference: out.type = Token::Type::Reference; out.ref = ReferenceOf(t); break;
      case Kind::Function: ++pos_; return Function(t.text);
      case Kind::Open:
        ++pos_;
        Comparison();
        Expect(Kind::Close, "')' expected");
        EmitOperator(Token::Type::Paren, "()");
        return;
      case Kind::End: throw FormulaSyntaxError("the formula ends where a value is expected");
      default: throw FormulaSyntaxError("a value is expected where '" + t.text + "' stands");
    }
    ++pos_;
    out_.tokens.push_back(std::move(out));
  }

  void Function(std::string name) {
    Expect(Kind::Open, "'(' expected");
    int count = 0;
    if (Peek().kind == Kind::Close) {
      ++pos_;
    } else {
      for (;;) {
        if (Peek().kind == Kind::Comma || Peek().kind == Kind::Close) {
          EmitOperator(Token::Type::Missing, {});
        } else {
          Comparison();
        }
        ++count;
        if (Peek().kind == Kind::Comma) {
          ++pos_;
          continue;
        }
        Expect(Kind::Close, "')' expected after the arguments of " + name);
        break;
      }
    }
    Token t;
    t.type = Token::Type::Function;
    t.text = std::move(name);
    t.argumentCount = count;
    out_.tokens.push_back(std::move(t));
  }

  void Expect(Kind kind, const std::string& what) {
    if (Peek().kind != kind) throw FormulaSyntaxError(what);
    ++pos_;
  }

  Reference ReferenceOf(const LexToken& t) const {
    Reference r;
    if (t.hasSheet) {
      const auto id = sheets_(t.text);
      if (!id) throw FormulaSyntaxError("there is no sheet named '" + t.text + "'");
      r.sheet = *id;
    }
    r.isRange = t.isRange;
    r.span = !t.first.hasColumn ? Reference::Span::Rows : !t.first.hasRow ? Reference::Span::Columns : Reference::Span::Cells;
    r.first = PointOf(t.first);
    r.last = PointOf(t.last);
    return r;
  }

  RefPoint PointOf(const WrittenPoint& w) const {
    RefPoint p;
    p.rowAbsolute = w.rowAbsolute;
    p.columnAbsolute = w.columnAbsolute;
    const bool relative = notation_ == Notation::R1C1;
    p.row = w.hasRow ? (relative && !w.rowAbsolute ? at_.row + w.row : w.row) : 1;
    p.column = w.hasColumn ? (relative && !w.columnAbsolute ? at_.column + w.column : w.column) : 1;
    if (p.row < 1 || p.row > kMaxRows || p.column < 1 || p.column > kMaxColumns)
      throw FormulaSyntaxError("a relative reference points outside the sheet");
    return p;
  }

  std::vector<LexToken> tokens_;
  Notation notation_;
  CellPosition at_;
  const SheetLookup& sheets_;
  std::size_t pos_ = 0;
  int depth_ = 0;
  Formula out_;
};

}  // namespace

Formula ParseFormula(std::string_view body, Notation notation, const CellPosition& at, const SheetLookup& sheets) {
  if (body.size() >= kMaxFormulaLength) throw FormulaSyntaxError("the formula is longer than 8192 characters");
  return Parser(LexFormula(body, notation), notation, at, sheets).Run();
}

}  // namespace excel

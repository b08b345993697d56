#include "platform/data/command_text.h"

#include <QString>

#include "platform/data/provider_errors.h"
#include "platform/runtime/error.h"

namespace data {

namespace {

enum class TokenKind { Name, Text, Comma, Star, Plus, End };

struct Token {
  TokenKind kind;
  std::string text;
};

[[noreturn]] void SyntaxError(const std::string& why) { runtime::Raise(errors::kSyntax, "命令文本中的语法错误：" + why); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool EndsName(char c) { return IsBlank(c) || c == ',' || c == '*' || c == '+' || c == '\'' || c == '(' || c == ')' || c == '[' || c == ']' || c == ';' || c == '='; }

std::vector<Token> Tokens(const std::string& text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsBlank(c)) {
      ++i;
    } else if (c == ',') {
      tokens.push_back({TokenKind::Comma, ","}), ++i;
    } else if (c == '*') {
      tokens.push_back({TokenKind::Star, "*"}), ++i;
    } else if (c == '+') {
      tokens.push_back({TokenKind::Plus, "+"}), ++i;
    } else if (c == '\'') {
      std::string value;
      for (++i;; ++i) {
        if (i >= text.size()) SyntaxError("引号没有结束");
        if (text[i] != '\'') {
          value += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '\'') {
          value += '\'', ++i;
        } else {
          break;
        }
      }
      ++i;
      tokens.push_back({TokenKind::Text, std::move(value)});
    } else if (EndsName(c)) {
      SyntaxError(std::string("不能识别的字符 ") + c);
    } else {
      const std::size_t start = i;
      while (i < text.size() && !EndsName(text[i])) ++i;
      tokens.push_back({TokenKind::Name, text.substr(start, i - start)});
    }
  }
  tokens.push_back({TokenKind::End, {}});
  return tokens;
}

bool SameName(const std::string& a, const std::string& b) {
  return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

class Reader {
 public:
  Reader(std::vector<Token> tokens, const TableColumns& columnsOf) : tokens_(std::move(tokens)), columnsOf_(columnsOf) {}

  Command TableByName() {
    Command command;
    command.columns = Table(Name("表名"));
    command.table = table_;
    Expect(TokenKind::End, "表名之后");
    return command;
  }

  Command Select() {
    Keyword("select");
    std::vector<std::string> names;
    bool all = false;
    if (Next().kind == TokenKind::Star) {
      all = true;
      ++at_;
    } else {
      names.push_back(Name("字段名"));
      while (Next().kind == TokenKind::Comma) {
        ++at_;
        names.push_back(Name("字段名"));
      }
    }
    Keyword("from");
    Command command;
    const std::vector<std::string> columns = Table(Name("表名"));
    command.table = table_;
    command.columns = all ? columns : std::vector<std::string>();
    for (const std::string& name : names) command.columns.push_back(Column(columns, name));
    if (IsKeyword("where")) {
      ++at_;
      LikeCondition condition;
      condition.column = Column(columns, Name("字段名"));
      Keyword("like");
      std::string pattern = Text();
      while (Next().kind == TokenKind::Plus) {
        ++at_;
        pattern += Text();
      }
      condition.pattern = ToSqliteLike(pattern);
      command.condition = std::move(condition);
    }
    Expect(TokenKind::End, "命令末尾");
    return command;
  }

  bool StartsWithSelect() const { return IsKeyword("select"); }

 private:
  const Token& Next() const { return tokens_[at_]; }
  bool IsKeyword(const char* word) const { return Next().kind == TokenKind::Name && SameName(Next().text, word); }
  void Keyword(const char* word) {
    if (!IsKeyword(word)) SyntaxError(std::string("此处应为 ") + word);
    ++at_;
  }
  void Expect(TokenKind kind, const char* where) {
    if (Next().kind != kind) SyntaxError(std::string(where) + "多出 " + Next().text);
    ++at_;
  }
  std::string Name(const char* what) {
    if (Next().kind != TokenKind::Name) SyntaxError(std::string("此处应为") + what);
    return tokens_[at_++].text;
  }
  std::string Text() {
    if (Next().kind != TokenKind::Text) SyntaxError("like 之后应为引号中的文本");
    return tokens_[at_++].text;
  }
  std::vector<std::string> Table(const std::string& name) {
    std::optional<std::vector<std::string>> columns = columnsOf_(name, table_);
    if (!columns) runtime::Raise(errors::kNoSuchTable, "找不到输入表或查询 '" + name + "'。");
    return *columns;
  }
  std::string Column(const std::vector<std::string>& columns, const std::string& name) const {
    for (const std::string& column : columns)
      if (SameName(column, name)) return column;
    runtime::Raise(errors::kNoSuchField, "字段 '" + name + "' 不在表 '" + table_ + "' 中。");
  }

  std::vector<Token> tokens_;
  std::size_t at_ = 0;
  const TableColumns& columnsOf_;
  std::string table_;
};

// The length of the UTF-8 character that starts with the byte.
std::size_t CharacterLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  return (lead & 0xF8) == 0xF0 ? 4 : 1;
}

void AppendLiteral(std::string& out, const std::string& character) {
  if (character == "%" || character == "_" || character == "\\") out += '\\';
  out += character;
}

}  // namespace

std::string ToSqliteLike(const std::string& pattern) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const std::size_t length = std::min(CharacterLength(static_cast<unsigned char>(pattern[i])), pattern.size() - i);
    const std::string character = pattern.substr(i, length);
    i += length;
    if (character == "%" || character == "_") {
      out += character;  // the same wildcards in SQLite
      continue;
    }
    if (character != "[") {
      AppendLiteral(out, character);
      continue;
    }
    if (i >= pattern.size()) SyntaxError("模式中的 [ 没有结束");
    const std::size_t inner = std::min(CharacterLength(static_cast<unsigned char>(pattern[i])), pattern.size() - i);
    if (i + inner >= pattern.size() || pattern[i + inner] != ']') SyntaxError("模式中的 [ ] 只能括住一个字符");
    AppendLiteral(out, pattern.substr(i, inner));
    i += inner + 1;
  }
  return out;
}

Command ReadCommand(CommandType type, const std::string& text, const TableColumns& columnsOf) {
  Reader reader(Tokens(text), columnsOf);
  switch (type) {
    case CommandType::Table: return reader.TableByName();
    case CommandType::Text: return reader.Select();
    case CommandType::Unknown: break;
  }
  return reader.StartsWithSelect() ? reader.Select() : reader.TableByName();
}

}  // namespace data

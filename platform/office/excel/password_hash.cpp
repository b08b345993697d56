#include "platform/office/excel/password_hash.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace excel {

std::string LegacyPasswordHash(std::string_view password) {
  if (password.empty()) return {};
  const QString text = QString::fromUtf8(password.data(), static_cast<qsizetype>(password.size()));
  unsigned hash = 0;
  for (qsizetype i = text.size() - 1; i >= 0; --i) {
    hash = ((hash >> 14) & 1u) | ((hash << 1) & 0x7fffu);
    hash ^= text[i].unicode() & 0xffu;
  }
  hash = ((hash >> 14) & 1u) | ((hash << 1) & 0x7fffu);
  hash ^= static_cast<unsigned>(text.size()) ^ 0xCE4Bu;
  char out[8];
  std::snprintf(out, sizeof out, "%04X", hash & 0xffffu);
  return out;
}

bool PasswordMatches(std::string_view given, std::string_view text, std::string_view hash) {
  if (hash.empty()) return given == text;
  // Hexadecimal digits in either case: Excel writes "CBEB", LibreOffice "cbeb".
  const std::string expected = LegacyPasswordHash(given);
  return std::equal(expected.begin(), expected.end(), hash.begin(), hash.end(),
                    [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b)); });
}

}  // namespace excel

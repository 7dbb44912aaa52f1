#include "data/column_value.h"

namespace bramble {

bool header_letter(std::string_view token, ColumnKind& kind) {
  if (token.size() != 1) return false;
  switch (token[0]) {
    case 'r':
    case 'R':
      kind = ColumnKind::response;
      return true;
    case 'o':
    case 'O':
      kind = ColumnKind::ordinal;
      return true;
    case 'n':
    case 'N':
      kind = ColumnKind::nominal;
      return true;
    case 'd':
    case 'D':
      kind = ColumnKind::ignored;
      return true;
    default:
      return false;
  }
}

}  // namespace bramble

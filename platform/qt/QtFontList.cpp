#include "platform/qt/QtFontList.h"

#include <QFontDatabase>
#include <QStringList>

#include "platform/qt/QtText.h"

namespace parlomat {

std::vector<std::string> QtFontList::families() const {
  std::vector<std::string> out;
  for (const QString& family : QFontDatabase::families()) {
    if (auto bytes = qt::toLatin1(family)) out.push_back(std::move(*bytes));
  }
  return out;
}

}  // namespace parlomat

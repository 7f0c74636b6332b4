#pragma once
// The installed font families, as Qt's font database lists them. Names that do not fit in
// single bytes are left out: the recogniser could not store or compare them.
#include "platform/Windows.h"

namespace parlomat {

class QtFontList : public FontList {
 public:
  std::vector<std::string> families() const override;
};

}  // namespace parlomat

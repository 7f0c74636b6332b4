#include "platform/SystemColours.h"

namespace parlomat {

namespace {
constexpr int32_t rgb(int r, int g, int b) {
  return r | (g << 8) | (b << 16);
}
}  // namespace

MemorySystemColours::MemorySystemColours()
    // A classic desktop scheme: navy captions, grey faces, yellow tool tips.
    : table_{rgb(192, 192, 192), rgb(0, 128, 128),   rgb(0, 0, 128),     rgb(128, 128, 128),
             rgb(192, 192, 192), rgb(255, 255, 255), rgb(0, 0, 0),       rgb(0, 0, 0),
             rgb(0, 0, 0),       rgb(255, 255, 255), rgb(192, 192, 192), rgb(192, 192, 192),
             rgb(128, 128, 128), rgb(0, 0, 128),     rgb(255, 255, 255), rgb(192, 192, 192),
             rgb(128, 128, 128), rgb(128, 128, 128), rgb(0, 0, 0),       rgb(192, 192, 192),
             rgb(255, 255, 255), rgb(0, 0, 0),       rgb(223, 223, 223), rgb(0, 0, 0),
             rgb(255, 255, 225)} {}

int32_t MemorySystemColours::GetSysColor(int32_t index) {
  if (index < 0 || index >= kCount) return 0;
  return table_[index];
}

bool MemorySystemColours::SetSysColors(int32_t count, const int32_t* indices,
                                       const int32_t* colours) {
  bool all = true;
  for (int32_t i = 0; i < count; ++i) {
    int32_t index = indices[i];
    if (index < 0 || index >= kCount) {
      all = false;
      continue;
    }
    table_[index] = colours[i];
    for (auto& o : observers_) o(index, colours[i]);
  }
  return all;
}

void MemorySystemColours::onChange(std::function<void(int32_t, int32_t)> observer) {
  observers_.push_back(std::move(observer));
}

}  // namespace parlomat

#pragma once
// The desktop's system colour table: indices 0 to 24, colour values 0x00BBGGRR.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace parlomat {

class SystemColours {
 public:
  virtual ~SystemColours() = default;
  // An index outside the table reads 0.
  virtual int32_t GetSysColor(int32_t index) = 0;
  // Indices outside the table are ignored; returns false when any was.
  virtual bool SetSysColors(int32_t count, const int32_t* indices, const int32_t* colours) = 0;
};

// A table kept in memory for the life of the process; a change is seen by later reads and is
// announced to the observers (the Qt side repaints its own windows with it).
class MemorySystemColours : public SystemColours {
 public:
  static constexpr int kCount = 25;
  static constexpr int32_t kActiveCaption = 2;
  MemorySystemColours();
  int32_t GetSysColor(int32_t index) override;
  bool SetSysColors(int32_t count, const int32_t* indices, const int32_t* colours) override;
  void onChange(std::function<void(int32_t index, int32_t colour)> observer);

 private:
  std::array<int32_t, kCount> table_{};
  std::vector<std::function<void(int32_t, int32_t)>> observers_;
};

}  // namespace parlomat

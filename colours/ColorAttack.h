#pragma once
// ColorAttack reads and sets the desktop's system colours, one element at a time. It keeps no
// state: every member acts on the system colour table at the moment of the call.
#include "platform/Dispatch.h"
#include "platform/SystemColours.h"

namespace parlomat {

class ColorAttack : public DispatchObject {
 public:
  static constexpr const char* kProgId = "Chromaset.ColorAttack";
  explicit ColorAttack(SystemColours& colours) : colours_(colours) {}

  int32_t GetSysColor(int16_t lpSysColor);
  void SetSysColors(int16_t lpSysColor, int32_t lpColorValue);

  const std::vector<MemberInfo>& members() const override;
  Variant invoke(const std::string& name, std::span<const Variant> args) override;

 private:
  SystemColours& colours_;
};

}  // namespace parlomat

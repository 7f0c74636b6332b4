#pragma once
// The recogniser control. Every member is a typed C++ function and, from the same definition,
// an entry of the dispatch table that hosts call by name ("ParlomatActiveX.Parlomat").
// Not thread-safe: everything runs on the user-interface thread.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control/Engine.h"
#include "platform/Dispatch.h"

namespace parlomat {

class Parlomat : public DispatchObject {
 public:
  using Text = std::string;
  using Int16 = int16_t;
  using Int32 = int32_t;
  using Byte = uint8_t;

  static constexpr uint32_t kPropertyBase = 0x68030000;
  static constexpr uint32_t kMethodBase = 0x60030000;
  static constexpr const char* kProgId = "ParlomatActiveX.Parlomat";

  // Creation reads the active caption colour and keeps it; raises DispatchError when the colour
  // class cannot be created.
  explicit Parlomat(std::shared_ptr<Engine> engine);
  // Destruction runs the terminate sequence.
  ~Parlomat() override;
  Parlomat(const Parlomat&) = delete;
  Parlomat& operator=(const Parlomat&) = delete;

#define PARLOMAT_GET(name, number, type) type name();
#define PARLOMAT_PUT(name, number, type) void name(type value);
#define PARLOMAT_METHOD(name, number, params) void name params;
#include "control/ParlomatMembers.def"
#undef PARLOMAT_GET
#undef PARLOMAT_PUT
#undef PARLOMAT_METHOD

  const std::vector<MemberInfo>& members() const override;
  Variant invoke(const std::string& name, std::span<const Variant> args) override;

  Engine& engine() {
    return *engine_;
  }
  ControlState& state() {
    return engine_->state;
  }

 private:
  std::string indexedEntry(const std::vector<std::string>& array, int32_t count);
  int32_t timelengthAt(const std::vector<int32_t>& lengths, int32_t counter);
  std::string fontAt(int k);
  void setVocabularyMatchFile(int slot, const std::string& value);

  std::shared_ptr<Engine> engine_;
};

// Registers "ParlomatActiveX.Parlomat"; every object it creates shares `engine`.
void registerParlomat(ComponentRegistry& registry, std::shared_ptr<Engine> engine);

}  // namespace parlomat

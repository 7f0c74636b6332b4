// Lexbench's settings record of arbitrary contents, read as far as the file goes: each field is
// trimmed and put through the value rules the host applies before the control sees it, and the
// record packs back to the bytes it was read from.
#include <cstring>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "hosts/lexbench/UserSettings.h"
#include "platform/Dispatch.h"

using namespace parlomat;
using namespace parlomat::lexbench;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const size_t valid = in.ConsumeIntegralInRange<size_t>(0, kRecordLength + 8);
  const std::vector<uint8_t> bytes = in.ConsumeRemainingBytes<uint8_t>();

  const UserSettingsRecord r = UserSettingsRecord::fromBytes(bytes, valid);
  for (const std::string& f : r.fields) {
    fuzz::require(f.size() == kFieldWidth, "every field is 50 bytes");
  }
  const auto packed = r.toBytes();
  const size_t kept = std::min({valid, bytes.size(), packed.size()});
  fuzz::require(kept == 0 || std::memcmp(packed.data(), bytes.data(), kept) == 0,
                "fields kept as stored");
  for (size_t i = kept; i < packed.size(); ++i) {
    fuzz::require(i < 4 ? packed[i] == 0 : packed[i] == ' ', "missing bytes read as blank");
  }

  for (int f = 0; f < kFieldCount; ++f) {
    const std::string& field = r.fields[static_cast<size_t>(f)];
    const size_t a = field.find_first_not_of(' ');
    const std::string text = a == std::string::npos
                                 ? std::string()
                                 : field.substr(a, field.find_last_not_of(' ') - a + 1);
    fuzz::require(packField(text).size() == kFieldWidth, "a packed field is 50 bytes");
    const std::string yes = yesSwitch(text), no = noSwitch(text);
    fuzz::require(yes == "YES" || yes == "NO", "a YES-switch gives YES or NO");
    fuzz::require(no == "YES" || no == "NO", "a NO-switch gives YES or NO");
    const Variant v = numberWithFallback(text, 1);
    // The control's 16- and 32-bit properties take the number or refuse it with a dispatch error.
    for (ValueType t : {ValueType::Int16, ValueType::Int32, ValueType::Byte, ValueType::Text}) {
      try {
        (void)v.convertedTo(t);
      } catch (const DispatchError&) {
      }
    }
  }
  return 0;
}

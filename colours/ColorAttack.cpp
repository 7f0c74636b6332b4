#include "colours/ColorAttack.h"

#include <unordered_map>

#include "platform/ComponentRegistry.h"

namespace parlomat {

namespace {

struct Element {
  const char* get;
  const char* put;
  int16_t index;
};

// In the order of the interface; several names reach the same element.
constexpr Element kElements[] = {
    {"GET_CURRENT_SCROLLBAR", "SCROLLBAR_BE", 0},
    {"GET_CURRENT_BACKGROUND", "BACKGROUND_BE", 1},
    {"GET_CURRENT_ACTIVECAPTION", "ACTIVECAPTION_BE", 2},
    {"GET_CURRENT_INACTIVECAPTION", "INACTIVECAPTION_BE", 3},
    {"GET_CURRENT_MENU", "MENU_BE", 4},
    {"GET_CURRENT_WINDOW", "WINDOW_BE", 5},
    {"GET_CURRENT_WINDOWFRAME", "WINDOWFRAME_BE", 6},
    {"GET_CURRENT_MENUTEXT", "MENUTEXT_BE", 7},
    {"GET_CURRENT_WINDOWTEXT", "WINDOWTEXT_BE", 8},
    {"GET_CURRENT_CAPTIONTEXT", "CAPTIONTEXT_BE", 9},
    {"GET_CURRENT_ACTIVEBORDER", "ACTIVEBORDER_BE", 10},
    {"GET_CURRENT_INACTIVEBORDER", "INACTIVEBORDER_BE", 11},
    {"GET_CURRENT_APPWORKSPACE", "APPWORKSPACE_BE", 12},
    {"GET_CURRENT_HIGHLIGHT", "HIGHLIGHT_BE", 13},
    {"GET_CURRENT_HIGHLIGHTTEXT", "HIGHLIGHTTEXT_BE", 14},
    {"GET_CURRENT_BTNFACE", "BTNFACE_BE", 15},
    {"GET_CURRENT_BTNSHADOW", "BTNSHADOW_BE", 16},
    {"GET_CURRENT_GRAYTEXT", "GRAYTEXT_BE", 17},
    {"GET_CURRENT_BTNTEXT", "BTNTEXT_BE", 18},
    {"GET_CURRENT_INACTIVECAPTIONTEXT", "INACTIVECAPTIONTEXT_BE", 19},
    {"GET_CURRENT_BTNHIGHLIGHT", "BTNHIGHLIGHT_BE", 20},
    {"GET_CURRENT_DKSHADOW3D", "DKSHADOW3D_BE", 21},
    {"DFACE3D", "FACE3D", 15},
    {"GET_CURRENT_HIGHLIGHT3D", "HIGHLIGHT3D_BE", 20},
    {"GET_CURRENT_HILIGHT3D", "HILIGHT3D_BE", 20},
    {"GET_CURRENT_LIGHT3D", "LIGHT3D_BE", 22},
    {"GET_CURRENT_SHADOW3D", "SHADOW3D_BE", 16},
    {"GET_CURRENT_BTNHILIGHT", "BTNHILIGHT_BE", 20},
    {"GET_CURRENT_DESKTOP", "DESKTOP_BE", 1},
    {"GET_CURRENT_INFOBK", "INFOBK_BE", 24},
    {"GET_CURRENT_INFOTEXT", "INFOTEXT_BE", 23},
};

constexpr uint32_t kFirstProperty = 0x6803003D;  // each further property has the next lower id
constexpr const char* kGetSysColor = "GetSysColor";
constexpr const char* kSetSysColors = "SetSysColors";

struct Member {
  MemberInfo info;
  int16_t index = 0;  // the element a property reaches
};

const std::vector<Member>& table() {
  static const std::vector<Member> members = [] {
    std::vector<Member> v;
    uint32_t id = kFirstProperty;
    for (const Element& e : kElements) {
      v.push_back({{e.get, id--, MemberKind::Get, ValueType::Int32, {}}, e.index});
      v.push_back({{e.put, id--, MemberKind::Put, ValueType::Int32, {}}, e.index});
    }
    v.push_back(
        {{kGetSysColor, 0x6003003E, MemberKind::Method, ValueType::Int32, {ValueType::Int16}}, 0});
    v.push_back({{kSetSysColors,
                  0x6003003F,
                  MemberKind::Method,
                  ValueType::Empty,
                  {ValueType::Int16, ValueType::Int32}},
                 0});
    return v;
  }();
  return members;
}

}  // namespace

int32_t ColorAttack::GetSysColor(int16_t lpSysColor) {
  return colours_.GetSysColor(static_cast<int32_t>(lpSysColor));
}

void ColorAttack::SetSysColors(int16_t lpSysColor, int32_t lpColorValue) {
  int32_t index = lpSysColor;
  int32_t colour = lpColorValue;
  colours_.SetSysColors(1, &index, &colour);  // the table's answer is not looked at
}

const std::vector<MemberInfo>& ColorAttack::members() const {
  static const std::vector<MemberInfo> infos = [] {
    std::vector<MemberInfo> v;
    for (const Member& m : table()) v.push_back(m.info);
    return v;
  }();
  return infos;
}

Variant ColorAttack::invoke(const std::string& name, std::span<const Variant> args) {
  static const auto byName = [] {
    std::unordered_map<std::string, const Member*> m;
    for (const Member& member : table()) m.emplace(member.info.name, &member);
    return m;
  }();
  auto it = byName.find(name);
  if (it == byName.end()) {
    throw DispatchError(errors::kNoSuchMember,
                        "Object doesn't support this property or method: " + name);
  }
  const Member& m = *it->second;
  std::vector<Variant> a = convertArguments(m.info, args);
  if (m.info.name == kGetSysColor) return Variant(GetSysColor(a[0].toInt16()));
  if (m.info.name == kSetSysColors) {
    SetSysColors(a[0].toInt16(), a[1].toInt32());
    return {};
  }
  // Properties go through the class's own methods.
  if (m.info.kind == MemberKind::Get) return Variant(GetSysColor(m.index));
  SetSysColors(m.index, a[0].toInt32());
  return {};
}

}  // namespace parlomat

extern "C" __attribute__((visibility("default"))) parlomat::DispatchObject*
parlomat_create_component(const char* progId, parlomat::ComponentServices* services) {
  if (!progId || !services || !services->colours) return nullptr;
  if (std::string(progId) != parlomat::ColorAttack::kProgId) return nullptr;
  return new parlomat::ColorAttack(*services->colours);
}

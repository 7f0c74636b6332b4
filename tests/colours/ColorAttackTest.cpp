// ColorAttack as the control meets it: created by its programmatic name from the Chromaset shared
// library, called by member name or dispatch id, acting on the process's system colour table.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "platform/ComponentRegistry.h"
#include "platform/SystemColours.h"

namespace parlomat::testing {

namespace {

struct Row {
  const char* get;
  uint32_t getId;
  const char* put;
  uint32_t putId;
  int16_t index;
};

// The 31 colour elements in the order of the interface.
const Row kRows[] = {
    {"GET_CURRENT_SCROLLBAR", 0x6803003D, "SCROLLBAR_BE", 0x6803003C, 0},
    {"GET_CURRENT_BACKGROUND", 0x6803003B, "BACKGROUND_BE", 0x6803003A, 1},
    {"GET_CURRENT_ACTIVECAPTION", 0x68030039, "ACTIVECAPTION_BE", 0x68030038, 2},
    {"GET_CURRENT_INACTIVECAPTION", 0x68030037, "INACTIVECAPTION_BE", 0x68030036, 3},
    {"GET_CURRENT_MENU", 0x68030035, "MENU_BE", 0x68030034, 4},
    {"GET_CURRENT_WINDOW", 0x68030033, "WINDOW_BE", 0x68030032, 5},
    {"GET_CURRENT_WINDOWFRAME", 0x68030031, "WINDOWFRAME_BE", 0x68030030, 6},
    {"GET_CURRENT_MENUTEXT", 0x6803002F, "MENUTEXT_BE", 0x6803002E, 7},
    {"GET_CURRENT_WINDOWTEXT", 0x6803002D, "WINDOWTEXT_BE", 0x6803002C, 8},
    {"GET_CURRENT_CAPTIONTEXT", 0x6803002B, "CAPTIONTEXT_BE", 0x6803002A, 9},
    {"GET_CURRENT_ACTIVEBORDER", 0x68030029, "ACTIVEBORDER_BE", 0x68030028, 10},
    {"GET_CURRENT_INACTIVEBORDER", 0x68030027, "INACTIVEBORDER_BE", 0x68030026, 11},
    {"GET_CURRENT_APPWORKSPACE", 0x68030025, "APPWORKSPACE_BE", 0x68030024, 12},
    {"GET_CURRENT_HIGHLIGHT", 0x68030023, "HIGHLIGHT_BE", 0x68030022, 13},
    {"GET_CURRENT_HIGHLIGHTTEXT", 0x68030021, "HIGHLIGHTTEXT_BE", 0x68030020, 14},
    {"GET_CURRENT_BTNFACE", 0x6803001F, "BTNFACE_BE", 0x6803001E, 15},
    {"GET_CURRENT_BTNSHADOW", 0x6803001D, "BTNSHADOW_BE", 0x6803001C, 16},
    {"GET_CURRENT_GRAYTEXT", 0x6803001B, "GRAYTEXT_BE", 0x6803001A, 17},
    {"GET_CURRENT_BTNTEXT", 0x68030019, "BTNTEXT_BE", 0x68030018, 18},
    {"GET_CURRENT_INACTIVECAPTIONTEXT", 0x68030017, "INACTIVECAPTIONTEXT_BE", 0x68030016, 19},
    {"GET_CURRENT_BTNHIGHLIGHT", 0x68030015, "BTNHIGHLIGHT_BE", 0x68030014, 20},
    {"GET_CURRENT_DKSHADOW3D", 0x68030013, "DKSHADOW3D_BE", 0x68030012, 21},
    {"DFACE3D", 0x68030011, "FACE3D", 0x68030010, 15},
    {"GET_CURRENT_HIGHLIGHT3D", 0x6803000F, "HIGHLIGHT3D_BE", 0x6803000E, 20},
    {"GET_CURRENT_HILIGHT3D", 0x6803000D, "HILIGHT3D_BE", 0x6803000C, 20},
    {"GET_CURRENT_LIGHT3D", 0x6803000B, "LIGHT3D_BE", 0x6803000A, 22},
    {"GET_CURRENT_SHADOW3D", 0x68030009, "SHADOW3D_BE", 0x68030008, 16},
    {"GET_CURRENT_BTNHILIGHT", 0x68030007, "BTNHILIGHT_BE", 0x68030006, 20},
    {"GET_CURRENT_DESKTOP", 0x68030005, "DESKTOP_BE", 0x68030004, 1},
    {"GET_CURRENT_INFOBK", 0x68030003, "INFOBK_BE", 0x68030002, 24},
    {"GET_CURRENT_INFOTEXT", 0x68030001, "INFOTEXT_BE", 0x68030000, 23},
};

constexpr const char* kProgId = "Chromaset.ColorAttack";

// A distinct colour for each element of the table.
int32_t colourOf(int index) {
  return 0x00010203 * (index + 1);
}

}  // namespace

class ColorAttackByName : public ::testing::Test {
 protected:
  void SetUp() override {
    registerStandardComponents(registry);
    attack = registry.create(kProgId);
    ASSERT_NE(attack, nullptr);
  }
  void paintTable() {
    for (int32_t i = 0; i < MemorySystemColours::kCount; ++i) {
      int32_t c = colourOf(i);
      colours.SetSysColors(1, &i, &c);
    }
  }
  std::vector<int32_t> table() {
    std::vector<int32_t> t;
    for (int32_t i = 0; i < MemorySystemColours::kCount; ++i) t.push_back(colours.GetSysColor(i));
    return t;
  }
  Variant get(const std::string& name) { return attack->get(name); }
  void put(const std::string& name, int32_t colour) { attack->put(name, Variant(colour)); }
  Variant getSysColor(int16_t index) {
    Variant a(index);
    return attack->invoke("GetSysColor", std::span<const Variant>(&a, 1));
  }
  void setSysColors(int16_t index, int32_t colour) {
    std::vector<Variant> a = {Variant(index), Variant(colour)};
    attack->invoke("SetSysColors", a);
  }

  MemorySystemColours colours;
  ComponentRegistry registry{ComponentServices{&colours}};
  std::unique_ptr<DispatchObject> attack;
};

TEST_F(ColorAttackByName, HasAll64MembersWithTheirDispatchIds) {
  const auto& members = attack->members();
  ASSERT_EQ(members.size(), 64u);
  std::map<std::string, const MemberInfo*> byName;
  for (const auto& m : members) byName[m.name] = &m;
  ASSERT_EQ(byName.size(), 64u);
  for (size_t r = 0; r < std::size(kRows); ++r) {
    const Row& row = kRows[r];
    SCOPED_TRACE(row.get);
    ASSERT_TRUE(byName.count(row.get) && byName.count(row.put));
    const MemberInfo& g = *byName[row.get];
    const MemberInfo& p = *byName[row.put];
    EXPECT_EQ(g.dispid, row.getId);
    EXPECT_EQ(g.kind, MemberKind::Get);
    EXPECT_EQ(g.type, ValueType::Int32);
    EXPECT_EQ(p.dispid, row.putId);
    EXPECT_EQ(p.kind, MemberKind::Put);
    EXPECT_EQ(p.type, ValueType::Int32);
    // The interface order: the pairs of the table, then the two methods.
    EXPECT_EQ(members[2 * r].name, row.get);
    EXPECT_EQ(members[2 * r + 1].name, row.put);
  }
  const MemberInfo& getSys = *byName.at("GetSysColor");
  EXPECT_EQ(getSys.dispid, 0x6003003Eu);
  EXPECT_EQ(getSys.kind, MemberKind::Method);
  EXPECT_EQ(getSys.arguments, std::vector<ValueType>{ValueType::Int16});
  const MemberInfo& setSys = *byName.at("SetSysColors");
  EXPECT_EQ(setSys.dispid, 0x6003003Fu);
  EXPECT_EQ(setSys.kind, MemberKind::Method);
  EXPECT_EQ(setSys.arguments, (std::vector<ValueType>{ValueType::Int16, ValueType::Int32}));
}

// Each read-only property reads its row's element; the aliases share one element.
TEST_F(ColorAttackByName, EachPropertyReadsItsElement) {
  paintTable();
  for (const Row& row : kRows) {
    EXPECT_EQ(get(row.get), Variant(colourOf(row.index))) << row.get;
    EXPECT_EQ(attack->invokeById(row.getId, {}), Variant(colourOf(row.index))) << row.get;
  }
  EXPECT_EQ(get("DFACE3D"), get("GET_CURRENT_BTNFACE"));
  for (const char* name :
       {"GET_CURRENT_HIGHLIGHT3D", "GET_CURRENT_HILIGHT3D", "GET_CURRENT_BTNHILIGHT"}) {
    EXPECT_EQ(get(name), get("GET_CURRENT_BTNHIGHLIGHT")) << name;
  }
  EXPECT_EQ(get("GET_CURRENT_SHADOW3D"), get("GET_CURRENT_BTNSHADOW"));
  EXPECT_EQ(get("GET_CURRENT_DESKTOP"), get("GET_CURRENT_BACKGROUND"));
  // Background before text in the interface, the other way round in the table.
  EXPECT_EQ(get("GET_CURRENT_INFOBK"), Variant(colourOf(24)));
  EXPECT_EQ(get("GET_CURRENT_INFOTEXT"), Variant(colourOf(23)));
}

// Each write-only property changes exactly its row's element, seen by every later read.
TEST_F(ColorAttackByName, EachPropertyWritesItsElementOnly) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.put);
    paintTable();
    std::vector<int32_t> expected = table();
    expected[row.index] = 0x00ABCDEF;
    put(row.put, 0x00ABCDEF);
    EXPECT_EQ(table(), expected);
    EXPECT_EQ(get(row.get), Variant(int32_t{0x00ABCDEF}));
    Variant c(int32_t{0x00135791});
    attack->invokeById(row.putId, std::span<const Variant>(&c, 1));
    EXPECT_EQ(colours.GetSysColor(row.index), 0x00135791);
  }
  paintTable();
  put("FACE3D", 0x00111111);
  EXPECT_EQ(get("GET_CURRENT_BTNFACE"), Variant(int32_t{0x00111111}));
  put("BTNHILIGHT_BE", 0x00222222);
  EXPECT_EQ(get("GET_CURRENT_BTNHIGHLIGHT"), Variant(int32_t{0x00222222}));
}

TEST_F(ColorAttackByName, WriteThenReadAndRestoreTheCaption) {
  int32_t original = get("GET_CURRENT_ACTIVECAPTION").toInt32();
  put("ACTIVECAPTION_BE", 255);
  EXPECT_EQ(get("GET_CURRENT_ACTIVECAPTION"), Variant(int32_t{255}));
  put("ACTIVECAPTION_BE", original);
  EXPECT_EQ(colours.GetSysColor(2), original);
  // Colour values pass through unchecked, top byte and sign included.
  for (int32_t c : {0x7F000000, -1, INT32_MIN}) {
    put("ACTIVECAPTION_BE", c);
    EXPECT_EQ(get("GET_CURRENT_ACTIVECAPTION"), Variant(c));
  }
}

// The methods and the properties are the same operation.
TEST_F(ColorAttackByName, MethodsMatchTheProperties) {
  paintTable();
  EXPECT_EQ(getSysColor(2), get("GET_CURRENT_ACTIVECAPTION"));
  setSysColors(2, 0x00AA0000);
  EXPECT_EQ(get("GET_CURRENT_ACTIVECAPTION"), Variant(int32_t{0x00AA0000}));
  EXPECT_EQ(getSysColor(24), get("GET_CURRENT_INFOBK"));
}

// An index outside the table raises nothing: reads give 0, writes leave the table alone.
TEST_F(ColorAttackByName, OutOfRangeIndexRaisesNothing) {
  paintTable();
  const std::vector<int32_t> before = table();
  for (int16_t index : {int16_t{-1}, int16_t{25}, int16_t{26}, int16_t{32767}, int16_t{-32768}}) {
    SCOPED_TRACE(index);
    Variant v;
    EXPECT_NO_THROW(v = getSysColor(index));
    EXPECT_EQ(v, Variant(int32_t{0}));
    EXPECT_NO_THROW(setSysColors(index, 0x00FFFFFF));
  }
  EXPECT_EQ(table(), before);
}

TEST_F(ColorAttackByName, EachCreationActsOnTheSameTable) {
  put("ACTIVECAPTION_BE", 0x00010101);
  attack.reset();
  auto again = registry.create(kProgId);
  EXPECT_EQ(again->get("GET_CURRENT_ACTIVECAPTION"), Variant(int32_t{0x00010101}));
}

TEST_F(ColorAttackByName, UnknownMembersAndClassesFail) {
  CallResult r = attack->call("GET_CURRENT_NOTHING");
  EXPECT_EQ(r.errorCode, errors::kNoSuchMember);
  std::optional<int> code;
  try {
    registry.create("Chromaset.NoSuchClass");
  } catch (const DispatchError& e) {
    code = e.code();
  }
  EXPECT_EQ(code, errors::kCannotCreate);
}

// The library is found through PARLOMAT_COMPONENT_PATH: a copy under another name, in a folder
// named only there, is loaded; without the variable it is not found.
TEST(ComponentPath, LibraryIsFoundThroughTheEnvironment) {
  namespace fs = std::filesystem;
  MemorySystemColours colours;
  ComponentRegistry probe{ComponentServices{&colours}};
  std::optional<fs::path> original;
  for (const auto& folder : probe.searchFolders()) {
    if (fs::exists(fs::path(folder) / "libChromaset.so")) {
      original = fs::path(folder) / "libChromaset.so";
      break;
    }
  }
  ASSERT_TRUE(original) << "libChromaset.so not found; set PARLOMAT_COMPONENT_PATH";

  fs::path dir = fs::temp_directory_path() / ("parlomat-components-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::copy_file(*original, dir / "libChromasetCopy.so", fs::copy_options::overwrite_existing);
  const char* saved = std::getenv("PARLOMAT_COMPONENT_PATH");
  std::string savedValue = saved ? saved : "";

  setenv("PARLOMAT_COMPONENT_PATH", ("/nonexistent:" + dir.string()).c_str(), 1);
  ComponentRegistry found{ComponentServices{&colours}};
  found.registerLibrary(kProgId, "libChromasetCopy.so");
  std::unique_ptr<DispatchObject> attack;
  EXPECT_NO_THROW(attack = found.create(kProgId));
  if (attack) {
    attack->put("INFOBK_BE", Variant(int32_t{0x00C0FFEE}));
    EXPECT_EQ(colours.GetSysColor(24), 0x00C0FFEE);
  }

  unsetenv("PARLOMAT_COMPONENT_PATH");
  ComponentRegistry missing{ComponentServices{&colours}};
  missing.registerLibrary(kProgId, "libChromasetCopy.so");
  std::optional<int> code;
  try {
    missing.create(kProgId);
  } catch (const DispatchError& e) {
    code = e.code();
    EXPECT_NE(std::string(e.what()).find("libChromasetCopy.so"), std::string::npos) << e.what();
  }
  EXPECT_EQ(code, errors::kCannotCreate);

  if (saved) setenv("PARLOMAT_COMPONENT_PATH", savedValue.c_str(), 1);
  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace parlomat::testing

#include <set>

#include "support/TestSupport.h"

namespace parlomat::testing {

class MemberTable : public SimFixture {};

TEST_F(MemberTable, HasEveryMemberOnceWithItsNumber) {
  Parlomat p(engine);
  const auto& members = p.members();
  int gets = 0, puts = 0, methods = 0;
  std::set<uint32_t> ids;
  std::set<std::string> names;
  for (const auto& m : members) {
    ids.insert(m.dispid);
    names.insert(m.name);
    (m.kind == MemberKind::Get ? gets : m.kind == MemberKind::Put ? puts : methods)++;
  }
  EXPECT_EQ(gets + puts, 126);
  EXPECT_EQ(methods, 7);
  EXPECT_EQ(ids.size(), 133u);
  EXPECT_EQ(names.size(), 133u);
}

}  // namespace parlomat::testing

// The harness itself: a page served by Apache loads in the browser and the
// control reads its title back, from the runtime and from the page's script.

#include "tests/engine/family/EngineFamilyFixture.h"

namespace velmoran::test::engine {
namespace {

using PageLoadEngineTest = EngineFamilyFixture;

TEST_F(PageLoadEngineTest, ServedPageLoadsAndItsTitleReadsBack) {
  ASSERT_TRUE(Engine().NavigateAndWait(PageURL(u"index.html")));
  EXPECT_EQ(Browser().Source(), PageURL(u"index.html"));
  EXPECT_TRUE(Engine().WaitUntil([this] { return Browser().DocumentTitle() == u"Engine family"; }))
      << "title: " << Utf16ToUtf8(Browser().DocumentTitle());
  EXPECT_EQ(Engine().ExecuteScriptAndWait(u"document.title"), std::u16string(u"\"Engine family\""));
}

}  // namespace
}  // namespace velmoran::test::engine

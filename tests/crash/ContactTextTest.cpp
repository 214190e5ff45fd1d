#include <gtest/gtest.h>

#include <string>

#include "crash/ContactText.h"
#include "tests/support/CaseName.h"

namespace {

using velmoran::crash::Contact;
using velmoran::crash::ContactText;
using velmoran::test::CaseName;

struct ContactCase {
  const char* name;
  Contact contact;
  std::string text;
};

class ContactTextCases : public testing::TestWithParam<ContactCase> {};

TEST_P(ContactTextCases, IsUtf8WithWindowsLineEnds) {
  EXPECT_EQ(ContactText(GetParam().contact), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Contacts, ContactTextCases,
    testing::Values(
        ContactCase{"Empty", {}, "이름: \r\n이메일: \r\n무엇을 하고 있었는지:\r\n\r\n"},
        ContactCase{"Korean",
                    {u"홍길동", u"gildong@example.kr", u"촬영을 네 번 눌렀습니다.\r\n그 뒤 멈췄습니다."},
                    "이름: 홍길동\r\n이메일: gildong@example.kr\r\n무엇을 하고 있었는지:\r\n"
                    "촬영을 네 번 눌렀습니다.\r\n그 뒤 멈췄습니다.\r\n"},
        // A pasted text may bring Unix or old Mac line ends; one line end each, all as CR LF.
        ContactCase{"BareLineEnds",
                    {u"a\nb", u"", u"1\n2\r3\r\n\n4"},
                    "이름: a\r\nb\r\n이메일: \r\n무엇을 하고 있었는지:\r\n1\r\n2\r\n3\r\n\r\n4\r\n"},
        ContactCase{"UnpairedSurrogate",
                    {u"\xD800x", u"", u""},
                    "이름: \xEF\xBF\xBDx\r\n이메일: \r\n무엇을 하고 있었는지:\r\n\r\n"}),
    CaseName());

}  // namespace

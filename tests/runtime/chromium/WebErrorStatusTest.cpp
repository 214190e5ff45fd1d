#include <gtest/gtest.h>

#include <string>

#include "runtime/chromium/WebErrorStatus.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::WebErrorStatusFromHttpStatus;
using runtime::chromium::WebErrorStatusFromNetError;

struct NetErrorCase {
  const char* name;
  std::u16string errorText;
  COREWEBVIEW2_WEB_ERROR_STATUS status;
};

class NetErrorCases : public ::testing::TestWithParam<NetErrorCase> {};

TEST_P(NetErrorCases, MapsToTheStatus) {
  EXPECT_EQ(WebErrorStatusFromNetError(GetParam().errorText), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    NetErrors, NetErrorCases,
    ::testing::Values(
        NetErrorCase{"NoErrorIsUnknown", u"", COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN},
        NetErrorCase{"Refused", u"net::ERR_CONNECTION_REFUSED", COREWEBVIEW2_WEB_ERROR_STATUS_CANNOT_CONNECT},
        NetErrorCase{"NameNotResolved", u"net::ERR_NAME_NOT_RESOLVED",
                     COREWEBVIEW2_WEB_ERROR_STATUS_HOST_NAME_NOT_RESOLVED},
        NetErrorCase{"TimedOut", u"net::ERR_CONNECTION_TIMED_OUT", COREWEBVIEW2_WEB_ERROR_STATUS_TIMEOUT},
        NetErrorCase{"Reset", u"net::ERR_CONNECTION_RESET", COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_RESET},
        NetErrorCase{"Aborted", u"net::ERR_ABORTED", COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED},
        NetErrorCase{"Offline", u"net::ERR_INTERNET_DISCONNECTED",
                     COREWEBVIEW2_WEB_ERROR_STATUS_DISCONNECTED},
        NetErrorCase{"ExpiredCertificate", u"net::ERR_CERT_DATE_INVALID",
                     COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_EXPIRED},
        NetErrorCase{"UntrustedCertificate", u"net::ERR_CERT_AUTHORITY_INVALID",
                     COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_IS_INVALID},
        NetErrorCase{"EmptyResponse", u"net::ERR_EMPTY_RESPONSE",
                     COREWEBVIEW2_WEB_ERROR_STATUS_ERROR_HTTP_INVALID_SERVER_RESPONSE},
        NetErrorCase{"TooManyRedirects", u"net::ERR_TOO_MANY_REDIRECTS",
                     COREWEBVIEW2_WEB_ERROR_STATUS_REDIRECT_FAILED},
        NetErrorCase{"WithoutPrefix", u"ERR_ADDRESS_UNREACHABLE",
                     COREWEBVIEW2_WEB_ERROR_STATUS_SERVER_UNREACHABLE},
        NetErrorCase{"UnknownName", u"net::ERR_UNSAFE_PORT", COREWEBVIEW2_WEB_ERROR_STATUS_UNEXPECTED_ERROR}),
    CaseName());

struct HttpCase {
  const char* name;
  int httpStatus;
  COREWEBVIEW2_WEB_ERROR_STATUS status;
};

class HttpStatusCases : public ::testing::TestWithParam<HttpCase> {};

TEST_P(HttpStatusCases, MapsToTheStatus) {
  EXPECT_EQ(WebErrorStatusFromHttpStatus(GetParam().httpStatus), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    HttpStatuses, HttpStatusCases,
    ::testing::Values(HttpCase{"NotFound", 404, COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN},
                      HttpCase{"Unauthorized", 401,
                               COREWEBVIEW2_WEB_ERROR_STATUS_VALID_AUTHENTICATION_CREDENTIALS_REQUIRED},
                      HttpCase{"ProxyAuthentication", 407,
                               COREWEBVIEW2_WEB_ERROR_STATUS_VALID_PROXY_AUTHENTICATION_REQUIRED},
                      HttpCase{"ServerError", 500, COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN}),
    CaseName());

}  // namespace
}  // namespace velmoran::test

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "url.h"

namespace {

struct Parsed {
  std::string scheme, user, password, host;
  int port;
  std::string path;
};

// Parses with every output in its own heap buffer of exactly the size
// url_component_size promises is enough.
Parsed parse(const char* url) {
  const std::size_t size = url_component_size(url);
  std::unique_ptr<char[]> scheme(new char[size]), host(new char[size]), path(new char[size]), user(new char[size]),
      password(new char[size]);
  int port = -12345;
  parse_url(url, scheme.get(), host.get(), &port, path.get(), user.get(), password.get());
  return {scheme.get(), user.get(), password.get(), host.get(), port, path.get()};
}

int protocol_of(const char* url) {
  std::unique_ptr<char[]> scheme(new char[url_component_size(url)]);
  parse_url(url, scheme.get(), nullptr, nullptr, nullptr, nullptr, nullptr);
  return name_index(protocol_names, scheme.get());
}

struct UrlCase {
  const char* url;
  const char* scheme;
  const char* user;
  const char* password;
  const char* host;
  int port;
  const char* path;
  int protocol;
};

const UrlCase kCases[] = {
    {"ftp://user:pw@host:21/dir/file", "ftp", "user", "pw", "host", 21, "/dir/file", 0},
    {"HTTP://host", "HTTP", "", "", "host", 0, "/", 1},
    {"host/dir/page", "http", "", "", "host", 0, "/dir/page", 1},
    {"nntp://host/group", "nntp", "", "", "host", 0, "/group", 2},
    {"Nntp://host/group", "Nntp", "", "", "host", 0, "/group", 2},
    {"news://host/group", "news", "", "", "host", 0, "/group", -1},
    {"ftp:/host/dir", "http", "", "", "ftp", 0, "/host/dir", 1},
    {"host/cgi?u=ftp://x", "host/cgi?u=ftp", "", "", "x", 0, "/", -1},
    {"ftp://user@host:21/", "ftp", "user", "", "host", 21, "/", 0},
    {"ftp://a:b:c@host/", "ftp", "a", "b:c", "host", 0, "/", 0},
    {"ftp://host/a@b", "ftp", "", "", "host", 0, "/a@b", 0},
    {"ftp://host:abc/", "ftp", "", "", "host", 0, "/", 0},
    {"ftp:///dir", "ftp", "", "", "", 0, "/dir", 0},
};

class UrlTable : public ::testing::TestWithParam<UrlCase> {};

TEST_P(UrlTable, ComponentsAndProtocol) {
  const UrlCase& c = GetParam();
  const Parsed p = parse(c.url);
  EXPECT_EQ(p.scheme, c.scheme);
  EXPECT_EQ(p.user, c.user);
  EXPECT_EQ(p.password, c.password);
  EXPECT_EQ(p.host, c.host);
  EXPECT_EQ(p.port, c.port);
  EXPECT_EQ(p.path, c.path);
  EXPECT_EQ(protocol_of(c.url), c.protocol);
}

INSTANTIATE_TEST_SUITE_P(Examples, UrlTable, ::testing::ValuesIn(kCases));

TEST(ParseUrl, EveryOutputMayBeNull) {
  parse_url("ftp://u:p@h:1/x", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  int port = 0;
  parse_url("ftp://u:p@h:77/x", nullptr, nullptr, &port, nullptr, nullptr, nullptr);
  EXPECT_EQ(port, 77);
}

TEST(ParseUrl, PortReadLikeAtoiWithSaturation) {
  EXPECT_EQ(parse("h: \t8080/").port, 8080) << "leading white space skipped";
  EXPECT_EQ(parse("h:+21").port, 21);
  EXPECT_EQ(parse("h:-21").port, -21);
  EXPECT_EQ(parse("h:21abc/").port, 21);
  EXPECT_EQ(parse("h:").port, 0);
  EXPECT_EQ(parse("h:-").port, 0);
  EXPECT_EQ(parse("h:2147483647").port, INT_MAX);
  EXPECT_EQ(parse("h:2147483648").port, INT_MAX);
  EXPECT_EQ(parse("h:99999999999999999999999999").port, INT_MAX);
  EXPECT_EQ(parse("h:-2147483648").port, INT_MIN);
  EXPECT_EQ(parse("h:-99999999999999999999999999").port, INT_MIN);
}

TEST(ParseUrl, ColonAfterTheHostPartIsNotAPort) {
  const Parsed p = parse("ftp://host/dir:80");
  EXPECT_EQ(p.host, "host");
  EXPECT_EQ(p.port, 0);
  EXPECT_EQ(p.path, "/dir:80");
}

TEST(ParseUrl, ShortUrlsFitTheirBuffers) {
  EXPECT_EQ(url_component_size(""), 5u);
  EXPECT_EQ(url_component_size("ab"), 5u);
  EXPECT_EQ(url_component_size("abcdef"), 7u);

  const Parsed empty = parse("");
  EXPECT_EQ(empty.scheme, "http");
  EXPECT_EQ(empty.host, "");
  EXPECT_EQ(empty.path, "/");
  EXPECT_EQ(parse("a").scheme, "http");
  EXPECT_EQ(parse("://").scheme, "");
  EXPECT_EQ(parse("://").path, "/");
}

TEST(ParseUrl, ExhaustiveShortInputsStayInsideTheirBuffers) {
  // Every URL up to five characters over the characters the parser cares
  // about; the sanitizer build catches any write past a buffer.
  const char alphabet[] = ":/@a1 -";
  const std::size_t letters = sizeof alphabet - 1;
  std::string url;
  std::vector<std::size_t> digits;
  for (std::size_t length = 0; length <= 5; ++length) {
    digits.assign(length, 0);
    for (;;) {
      url.clear();
      for (std::size_t d : digits) url += alphabet[d];
      const Parsed p = parse(url.c_str());
      const std::size_t limit = url_component_size(url.c_str()) - 1;
      EXPECT_LE(p.scheme.size(), limit);
      EXPECT_LE(p.host.size(), url.size());
      EXPECT_LE(p.user.size() + p.password.size(), url.size());
      EXPECT_LE(p.path.size(), limit);
      std::size_t i = 0;
      while (i < length && ++digits[i] == letters) digits[i++] = 0;
      if (i == length) break;
    }
  }
}

TEST(NameIndex, FoldsAsciiCaseOnly) {
  EXPECT_EQ(name_index(protocol_names, "ftp"), 0);
  EXPECT_EQ(name_index(protocol_names, "Http"), 1);
  EXPECT_EQ(name_index(protocol_names, "nNtP"), 2);
  EXPECT_EQ(name_index(protocol_names, ""), -1);
  EXPECT_EQ(name_index(protocol_names, "FT"), -1);
  EXPECT_EQ(name_index(protocol_names, "FTPS"), -1);
  EXPECT_EQ(name_index(protocol_names, "news"), -1);

  const char* const accents[] = {"caf\xC9", nullptr};
  EXPECT_EQ(name_index(accents, "CAF\xC9"), 0);
  EXPECT_EQ(name_index(accents, "caf\xE9"), -1) << "non-ASCII bytes must match exactly";

  const char* const duplicates[] = {"a", "A", nullptr};
  EXPECT_EQ(name_index(duplicates, "A"), 0) << "first match wins";
  const char* const empty_table[] = {nullptr};
  EXPECT_EQ(name_index(empty_table, "ftp"), -1);
}

}  // namespace

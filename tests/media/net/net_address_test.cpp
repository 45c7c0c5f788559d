#include "media/net/net_address.h"

#include <gtest/gtest.h>

TEST(NetAddress, ReadsAsDottedQuadAndPort) {
  EXPECT_EQ(AddressText({0xC0A80114, 7620}), "192.168.1.20:7620");
  EXPECT_EQ(AddressText({0, 0}), "0.0.0.0:0");
  EXPECT_EQ(AddressText({0xFFFFFFFF, 65535}), "255.255.255.255:65535");
}

TEST(NetAddress, ParsesOnlyWholeDottedQuads) {
  EXPECT_EQ(ParseDottedAddress("10.0.0.5"), 0x0A000005u);
  EXPECT_EQ(ParseDottedAddress("255.255.255.255"), 0xFFFFFFFFu);
  for (const char* bad : {"10.0.0", "10.0.0.5.", "10.0.0.5.1", "256.0.0.1", "10..0.1", "10.0.0.x", "", "1.2.3.-4",
                          "1.2.3.+4", "0010.0.0.1", "ringside.example.org"}) {
    EXPECT_FALSE(ParseDottedAddress(bad)) << bad;
  }
}

TEST(NetAddress, ReadsAJoinTargetWithOrWithoutItsPort) {
  std::optional<TJoinTarget> target = ParseJoinTarget("  ringside.example.org:7700 ");
  ASSERT_TRUE(target);
  EXPECT_EQ(target->host, "ringside.example.org");
  EXPECT_EQ(target->port, 7700);
  target = ParseJoinTarget("192.168.1.20");
  ASSERT_TRUE(target);
  EXPECT_EQ(target->host, "192.168.1.20");
  EXPECT_EQ(target->port, NET_DEFAULT_PORT);
  target = ParseJoinTarget("localhost", 9000);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->port, 9000);
  EXPECT_EQ(ParseJoinTarget("host:65535")->port, 65535);
}

TEST(NetAddress, RefusesJoinTargetsThatCannotBeJoined) {
  for (const char* bad : {"", "   ", ":7620", "host:", "host:0", "host:65536", "host:12x", "host:-1", "ho st",
                          "host;rm", "host:7620:1", "[::1]:7620", "h\xC3\xA9te"}) {
    EXPECT_FALSE(ParseJoinTarget(bad)) << bad;
  }
  EXPECT_FALSE(ParseJoinTarget(std::string(254, 'a')));
  EXPECT_TRUE(ParseJoinTarget(std::string(253, 'a')));
}

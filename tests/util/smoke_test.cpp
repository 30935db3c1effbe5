#include <gtest/gtest.h>

#include "util/basic.h"

TEST(Version, Text) { EXPECT_EQ(quorlin::versionstring(), "1.01.02"); }

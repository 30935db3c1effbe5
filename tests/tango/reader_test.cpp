// Quotes in Tango text: escaped quotes and backslashes read as the region file needs them.
#include "tango/reader.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

TEST(StripQuotes, Escapes) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},       {"plain", "plain"},       {"\\\"A\\\\B\\\"", "'A\\B'"}, {"end\\", "end\\"},
        {"\\n", "\\n"}, {"\"kept\"", "\"kept\""}, {"\\\\\\\"", "\\'"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(stripquotes(in), out) << in;
}

}  // namespace
}  // namespace quorlin

#include "util/utf8.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

TEST(Utf8, ATerminalGetsControlBytesEscaped) {
    const std::pair<std::string, std::string> rows[] = {
        {"plain \xc3\xa9 \xe2\x82\xac\n\tnext", "plain \xc3\xa9 \xe2\x82\xac\n\tnext"},
        {"\x1b]2;title\x07", "\\x1b]2;title\\x07"},
        {"\x1b[2J\r", "\\x1b[2J\\x0d"},
        {"del\x7f", "del\\x7f"},
        {"\xc2\x9b"
         "31m \xc2\xa0",
         "\\xc2\\x9b31m \xc2\xa0"},  // C1 CSI as UTF-8; no-break space
        {"\x9b"
         "31m \xff",
         "\\x9b31m \\xff"},  // bytes that are not UTF-8
        {"cut \xe2\x82", "cut \\xe2\\x82"},
    };
    for (const auto& [text, shown] : rows) EXPECT_EQ(escapedControls(text), shown) << shown;
}

TEST(Utf8, CharactersThatXmlForbids) {
    const std::pair<std::string, bool> rows[] = {
        {"\xed\xa0\x80", true},      {"\xed\xbf\xbf", true},  {"\xef\xbf\xbe", true},
        {"\xef\xbf\xbf", true},      {"\xe0\x80\xaf", true},  {"\xf0\x80\x80\xaf", true},
        {"\xf4\x90\x80\x80", true},  {"\xc3\xa9", false},     {"\xed\x9f\xbf", false},
        {"\xee\x80\x80", false},     {"\xef\xbf\xbd", false}, {"\xf4\x8f\xbf\xbf", false},
        {"\xf0\x90\x80\x80", false}, {"\xe0\xa0\x80", false},
    };
    for (const auto& [sequence, forbidden] : rows) {
        ASSERT_EQ(utf8Length(sequence, 0), sequence.size());
        EXPECT_EQ(forbiddenInXml(sequence), forbidden) << escapedControls(sequence);
    }
}

}  // namespace
}  // namespace quorlin

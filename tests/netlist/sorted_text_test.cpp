// The sorted copy writes short node lines from a scratch buffer and long ones piece by piece:
// both must read the same.
#include <gtest/gtest.h>

#include <string>

#include "netlist/sorter.h"

namespace quorlin {
namespace {

TEST(SortedText, ShortAndLongNodeLines) {
    const std::string longRef(70, 'R'), longPin(61, '7');
    Netlist nl;
    nl.nodes = {{"C1", "2"}, {longRef, "1"}, {"U1", longPin}, {"", ""}};
    nl.nets = {{"GND", 0, 4}, {"EMPTY", 4, 0}};
    EXPECT_EQ(sortedText(nl),
              "\r\nGND\r\nC1-2\r\n" + longRef + "-1\r\nU1-" + longPin + "\r\n-\r\n\r\nEMPTY\r\n");
}

}  // namespace
}  // namespace quorlin

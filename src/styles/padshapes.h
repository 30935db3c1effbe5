// Outlines of the polygonal ARES pads: rounded rectangle, ellipse and obround, as vertex lists
// relative to the pad centre in thousandths of an inch.
#pragma once

#include <string>
#include <vector>

namespace quorlin {

struct Vertex {
    double x;
    double y;
};

// a is the pad's first (X) size, b its second (Y) size.
std::vector<Vertex> roundedRectangle(double a, double b);  // 40 vertices
std::vector<Vertex> ellipse(double a, double b);           // 36 vertices
std::vector<Vertex> obround(double a, double b);           // 38 vertices

// One "+ X th, Y th" continuation line per vertex, in signed number text.
void appendVertexLines(std::string& out, const std::vector<Vertex>& vertices);

}  // namespace quorlin

// Reads an ARES style file as ARES and its users write it: the pad, via and trace styles by
// name, their sizes in thousandths of an inch, for a picture of a region file to draw with.
//
// The lines read (blanks around fields are dropped, keywords and units in any case):
//   ;PAD STYLES, ;TRACE STYLES   section headers (any ";... STYLES"); "*" ends a section; other
//                                lines that start with ";" are comments
//   name,KIND,A,B,hole,guard,relief[,x,y]
//                                a pad or via style; ARES adds two fields, read and not used
//   name,PSMPAD,count,0,0,guard  a polygon pad: count "+ x, y" lines follow, one per vertex,
//                                relative to the pad's centre
//   name,STACK,HOLE,hole,relief  a pad stack: "+ style" lines follow, one per layer from the top
//                                copper down, each naming the pad style of that layer ("+" alone:
//                                no pad there); it is drawn as the pad of the first layer
//                                that has one, with the stack's hole
//   name,width                   a trace style
// A size is a number and a unit: th (thousandths of an inch), in, mm, um or cm; a bare number
// is thousandths. A UTF-8 byte order mark at the start is skipped; lines end at CR LF, CR or LF.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "styles/padshapes.h"

namespace quorlin {

// The ARES keyword of each kind in a comment.
enum class AresPadKind {
    RoundThrough,    // CPAD: diameter A
    SquareThrough,   // SPAD: side A
    ObroundThrough,  // DPAD: A by B, ends rounded
    RoundSmd,        // CSMPAD: diameter A
    RectangleSmd,    // RSMPAD: A by B
    PolygonSmd,      // PSMPAD: the points; A by B their extent
    RoundVia,        // CVIA: diameter A
    SquareVia        // SVIA: side A
};

// A pad or via style, every length in thousandths of an inch.
struct AresPadStyle {
    AresPadKind kind = AresPadKind::RoundThrough;
    double a = 0, b = 0;
    double hole = 0;  // 0: none
    double guard = 0, relief = 0;
    std::vector<Vertex> points;  // a polygon's vertices around the pad's centre
    bool stack = false;          // a pad stack's first pad, with the stack's hole
};

struct AresStyles {
    std::map<std::string, AresPadStyle> pads;  // pad and via styles by name, as written
    std::map<std::string, double> traces;      // trace widths by name
    // Lines that are neither styles nor comments, or that a style cannot be made of: an unknown
    // kind or section, a size that is no length, a later style of a name already read, a
    // polygon whose points do not match its count, a stack whose first pad is no
    // pad style of the file.
    long long notUnderstood = 0;
};

AresStyles readAresStyles(std::string_view text);

// A size of a style file in thousandths of an inch; false when text is no length, or one of
// more than 10^9 thousandths either way.
bool aresLength(std::string_view text, double& thousandths);

}  // namespace quorlin

#pragma once
// Our own DXF writer: the whole drawing as ASCII DXF R12 (AC1009), the most widely read form.
// Kinds R12 lacks are written in R12 terms: LWPOLYLINE as POLYLINE/VERTEX/SEQEND (bulges
// kept), ELLIPSE, SPLINE and LEADER as polylines through their points, MTEXT as one TEXT per
// line, HATCH as its boundary polylines. Texts are written in ASCII: the degree, plus-minus and
// diameter signs as %%d, %%p and %%c, any other non-ASCII character as \U+XXXX.
#include <string>

#include "platform/dxf/Document.h"

namespace dxf {

std::string WriteDxfR12(const Document& doc);

}  // namespace dxf

#pragma once
// Merging one drawing into another, as MergeDrawingFile does: every point p of the merged
// top-level entities lands at S·(R·p + offset), with R the rotation by `rotation` degrees
// counter-clockwise, S = diag(sx, sy) and the offset in the merged file's own (unscaled) units,
// so that the file's origin lands at (sx·ox, sy·oy).
#include <string_view>

#include "platform/dxf/Document.h"
#include "platform/dxf/Geometry.h"

namespace dxf {

struct MergeTransform {
  double rotation = 0;  // degrees, counter-clockwise
  double sx = 1, sy = 1;
  double ox = 0, oy = 0;

  Affine ToAffine() const {
    return Affine::Scaling(sx, sy) * Affine::Translate(ox, oy) * Affine::Rotation(rotation);
  }
  bool IsIdentity() const { return rotation == 0 && sx == 1 && sy == 1 && ox == 0 && oy == 0; }
};

// Moves one entity's geometry under the transform: points, radii, heights, angles, insert
// scales, polyline bulges (negated under a mirroring scale). A circle or arc under unequal
// scales becomes an ELLIPSE.
void TransformEntity(Entity& e, const MergeTransform& t);

// Adds `from` to `into`:
// - entities on layer "0" go onto `currentLayer`, others keep their layer; layers `into` lacks
//   are appended (positions of the existing ones stay put), existing layers keep colour and
//   Frozen flag;
// - blocks whose names collide with blocks of `into` are renamed ("NAME$2", ...) and the merged
//   INSERTs and DIMENSIONs follow; dimension blocks take the transform into their geometry;
// - missing text styles and linetypes are added; the header of `into` is kept.
void MergeDocument(Document& into, Document from, const MergeTransform& t,
                   std::string_view currentLayer);

}  // namespace dxf

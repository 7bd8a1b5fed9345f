#pragma once
// Ties a parsed template shape to its template file's pictures and fonts: the picture shapes ("RPF", "TPF") get the
// handles of the images they name (0 when out of range or not loaded) and the text shapes the font they name (null
// when out of range or without a face).

#include "core/shape/shape_record.h"

class CEntityModelSet;

void ResolveShapeRefs(ShapeRecord& record, const CEntityModelSet& models);

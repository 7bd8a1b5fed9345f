#pragma once
// Drawing of one shape (see core/shape/shape_record.h) whose coordinates have been resolved to device coordinates
// (ResolveShapeRecord). A shape's rectangle covers the pixels left..right and top..bottom, both edges included.
// Pictures come from ShapePictures(); the text codes draw with the font their record points to.

#include "core/shape/shape_record.h"

class Dc;

// Nothing happens for a null record or context, a code outside 1..36, or a record without the coordinates its code
// needs. The context's selected objects and colours are left as they were.
void DrawShape(const ShapeRecord* record, Dc* dc);
void DrawShape(const ShapeRecord& record, Dc& dc);

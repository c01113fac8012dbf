#pragma once
// `DrawCircularDiagram`: paints the circular profile diagram onto a picture.

#include "geometry/diagram_geometry.h"
#include "profile/profile_record.h"

class QImage;
class QPainter;

namespace tavo {

// Clears the whole picture to white and draws the diagram of the profile's
// Ideal and Real totals at the picture's size. Drawn without anti-aliasing,
// so every vertex lands on the pixel the geometry gives; whatever falls
// outside the picture is cut off at its edge.
void DrawCircularDiagram(QImage &picture, const ProfileRecord &profile);

// The same drawing from a computed layout, onto any painter whose device is
// at least layout.width × layout.height.
void paintCircularDiagram(QPainter &painter, const CircularDiagramLayout &layout);

} // namespace tavo

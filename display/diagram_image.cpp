#include "display/diagram_image.h"

#include "display/circular_diagram.h"

#include <QPainter>

namespace tavo {

DiagramImage::DiagramImage(QWidget *parent) : QWidget(parent) { resize(kDefaultWidth, kDefaultHeight); }

void DiagramImage::drawProfile(const ProfileRecord &profile)
{
    if (picture_.isNull()) {
        if (size().isEmpty())
            return;
        picture_ = QImage(size(), QImage::Format_RGB32);
    }
    DrawCircularDiagram(picture_, profile);
    update();
}

QSize DiagramImage::sizeHint() const { return {kDefaultWidth, kDefaultHeight}; }

void DiagramImage::paintEvent(QPaintEvent *)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

} // namespace tavo

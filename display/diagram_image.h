#pragma once
// The image `imPlot` that shows the circular profile diagram.

#include <QWidget>

namespace tavo {

class DiagramImage : public QWidget {
public:
    explicit DiagramImage(QWidget *parent = nullptr) : QWidget(parent) {}
};

} // namespace tavo

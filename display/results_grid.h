#pragma once
// The results grid `sgResF`.

#include <QWidget>

namespace tavo {

class ResultsGrid : public QWidget {
public:
    explicit ResultsGrid(QWidget *parent = nullptr) : QWidget(parent) {}
};

} // namespace tavo

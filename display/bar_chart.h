#pragma once
// The profile bar chart `Chart`.

#include <QWidget>

namespace tavo {

class BarChart : public QWidget {
public:
    explicit BarChart(QWidget *parent = nullptr) : QWidget(parent) {}
};

} // namespace tavo

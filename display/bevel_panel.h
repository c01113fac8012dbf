#pragma once
// A panel with an optional outer and inner one-pixel bevel, filled with the
// window colour. Children are placed in the panel's own coordinates, bevels
// included, so a child at (1, 1) sits just inside a one-pixel bevel.

#include <QWidget>

namespace tavo {

enum class Bevel { None, Raised, Lowered };

class BevelPanel : public QWidget {
public:
    explicit BevelPanel(QWidget *parent = nullptr, Bevel outer = Bevel::Raised, Bevel inner = Bevel::None);

    Bevel outerBevel() const { return outer_; }
    Bevel innerBevel() const { return inner_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Bevel outer_;
    Bevel inner_;
};

} // namespace tavo

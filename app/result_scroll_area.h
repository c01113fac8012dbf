#pragma once
// The scroll area around the result panel: where the client area is smaller
// than the whole panel it scrolls, so every part stays reachable; where it is
// larger the panel fills it. While the panel is hidden (before the first
// load) there is nothing to scroll and no scroll bar shows.

#include <QScrollArea>

namespace tavo {

class ResultScrollArea : public QScrollArea {
public:
    // Empty, with no scroll bars, until it takes its panel.
    explicit ResultScrollArea(QWidget *parent = nullptr);
    // Takes the panel, hidden; its minimum size is all of its content.
    void setPanel(QWidget *panel, QSize contentSize);

    // No size of its own, empty or not: the panel hints none, its size being
    // fixed. (Qt's hint for an empty area is a size in lines of its font.)
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followPanelVisibility();
};

} // namespace tavo

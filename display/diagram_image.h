#pragma once
// The image `imPlot` that shows the circular profile diagram.

#include "profile/profile_record.h"

#include <QImage>
#include <QWidget>

namespace tavo {

// Keeps a picture of its own size (319 × 296 in the window) and shows it.
// The picture is created on the first drawing with the widget's size at that
// moment; before that nothing is shown.
class DiagramImage : public QWidget {
public:
    static constexpr int kDefaultWidth = 319;
    static constexpr int kDefaultHeight = 296;

    explicit DiagramImage(QWidget *parent = nullptr);

    // `DrawCircularDiagram` of the profile: clears the picture and draws the
    // whole diagram anew, then shows it.
    void drawProfile(const ProfileRecord &profile);

    // The picture as last drawn; null before the first drawing.
    const QImage &picture() const { return picture_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture_;
};

} // namespace tavo

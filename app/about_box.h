#pragma once
// The About box: product, version and contact points. Created hidden at
// start-up, shown without a modal loop by the About command, hidden by OK,
// Enter or its caption's close button; never destroyed while the program runs.

#include <QDialog>
#include <QLabel>

class QFrame;
class QPushButton;

namespace tavo {

class BevelPanel;

// A label whose text has a gray shadow one pixel to the lower right.
class ShadowLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QPushButton *OKButton;
    BevelPanel *Panel2;
    ShadowLabel *WebLabel;
    QLabel *AppIcon;
    QLabel *Label3;
    QLabel *Label1;
    QFrame *Bevel1;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;

public slots:
    // Makes the box visible, centred on the screen; while it is visible this
    // changes nothing, so there is only ever the one box.
    void showBox();
    void OKButtonClick();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    bool laidOut_ = false;
};

} // namespace tavo

#include "app/about_box.h"

#include "app/app_icons.h"
#include "app/application_setup.h"
#include "display/look.h"
#include "display/bevel_panel.h"
#include "app/contact_config.h"

#include <QFrame>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace tavo {

void ShadowLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    const QRect r = contentsRect();
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(r.translated(1, 1), flags, text());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(r, flags, text());
}

namespace {

QLabel *fixedLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(applicationIcon());
    setModal(false);
    applyFormLook(*this);
    setFixedSize(298, 225);

    // Created first, so it is first in the tab order.
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 196, 75, 25);
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);

    Panel2 = new BevelPanel(this, Bevel::Lowered, Bevel::Raised);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(8, 8, 281, 185);

    WebLabel = new ShadowLabel(QStringLiteral("TAVO-12Fmod"), Panel2);
    WebLabel->setObjectName(QStringLiteral("WebLabel"));
    WebLabel->setGeometry(56, 10, 185, 15);
    WebLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    WebLabel->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    WebLabel->setFont(bold);

    AppIcon = new QLabel(Panel2);
    AppIcon->setObjectName(QStringLiteral("AppIcon"));
    AppIcon->setGeometry(12, 8, 32, 32);
    // Its picture is drawn when the box is laid out, as the title is measured.

    Label3 = fixedLabel(Panel2, QStringLiteral("Label3"),
                        QStringLiteral("Построение мотивационного \nпрофиля Зелю-Карбона\n(Модификация Зовита Р.Е.)"),
                        QRect(69, 24, 151, 0), Qt::AlignHCenter | Qt::AlignTop);
    // Its height, that of its three lines, comes when the box is laid out.

    Label1 = fixedLabel(Panel2, QStringLiteral("Label1"), QStringLiteral(" Version 2.01"), QRect(13, 76, 62, 13));

    Bevel1 = new QFrame(Panel2);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(5, 120, 271, 2);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);

    Label4 = fixedLabel(Panel2, QStringLiteral("Label4"), QStringLiteral("Contact points are: "),
                        QRect(16, 128, 250, 13), Qt::AlignHCenter | Qt::AlignTop);
    Label5 = fixedLabel(Panel2, QStringLiteral("Label5"), QStringLiteral("WWW: ") + QStringLiteral(TAVO_CONTACT_WWW),
                        QRect(16, 147, 250, 13), Qt::AlignHCenter | Qt::AlignTop);
    Label6 =
        fixedLabel(Panel2, QStringLiteral("Label6"), QStringLiteral("E-Mail: ") + QStringLiteral(TAVO_CONTACT_EMAIL),
                   QRect(8, 164, 250, 13), Qt::AlignHCenter | Qt::AlignTop);
    Label6->setWordWrap(true);

    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::showBox()
{
    if (isVisible())
        return;
    if (const QScreen *screen = this->screen()) {
        // move() places the frame; its size is known once the box has been shown.
        QRect placed(QPoint(), frameGeometry().size());
        placed.moveCenter(screen->geometry().center());
        move(placed.topLeft());
    }
    show();
    // Active when shown, so Enter reaches its OK button even where no window
    // manager hands the focus to a new window.
    raise();
    activateWindow();
}

void TAboutBox::OKButtonClick() { hide(); }

void TAboutBox::resizeEvent(QResizeEvent *event)
{
    // The first resize comes when the box is first shown or drawn, not while
    // it waits hidden from start-up on, when measuring text would cost the
    // window's start a font and drawing the picture its time.
    if (!laidOut_) {
        laidOut_ = true;
        Label3->resize(151, Label3->sizeHint().height());
        AppIcon->setPixmap(profilePicture(32));
    }
    QDialog::resizeEvent(event);
}

} // namespace tavo

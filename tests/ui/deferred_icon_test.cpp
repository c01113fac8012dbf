// Deferred icons: answer every request as the icon they stand for does, and
// make that icon only when a request needs more than its exact picture.
#include "app/deferred_icon.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>

#include <gtest/gtest.h>

using namespace tavo;

namespace {

QIcon deferredStandardIcon(QStyle::StandardPixmap which, int *made = nullptr)
{
    return deferredIcon(
        [which, made] {
            if (made)
                ++*made;
            return QApplication::style()->standardIcon(which);
        },
        [which] { return QApplication::style()->standardPixmap(which); });
}

QImage painted(const QIcon &icon, QSize size, qreal ratio, QIcon::Mode mode, QIcon::State state)
{
    QImage image(QSize(40, 40) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(QPoint(2, 3), size), Qt::AlignCenter, mode, state);
    return image;
}

} // namespace

TEST(DeferredIcon, AnswersAsTheStyleIconItStandsFor)
{
    const QStyle::StandardPixmap icons[] = {QStyle::SP_DialogOpenButton, QStyle::SP_DialogSaveButton,
                                            QStyle::SP_DialogHelpButton, QStyle::SP_MessageBoxInformation};
    const QIcon::Mode modes[] = {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected};
    for (const QStyle::StandardPixmap which : icons) {
        const QIcon style = QApplication::style()->standardIcon(which);
        for (const int side : {8, 16, 22, 32, 48, 128})
            for (const qreal ratio : {1.0, 2.0})
                for (const QIcon::Mode mode : modes)
                    for (const QIcon::State state : {QIcon::Off, QIcon::On}) {
                        SCOPED_TRACE(::testing::Message() << "icon " << int(which) << ", " << side << " px at " << ratio
                                                          << ", mode " << int(mode) << ", state " << int(state));
                        const QSize size(side, side);
                        // A fresh icon answers its first request, then the
                        // same request once it has been made.
                        QIcon first = deferredStandardIcon(which);
                        EXPECT_EQ(painted(first, size, ratio, mode, state), painted(style, size, ratio, mode, state));
                        EXPECT_EQ(painted(first, size, ratio, mode, state), painted(style, size, ratio, mode, state));
                        QIcon second = deferredStandardIcon(which);
                        EXPECT_EQ(second.pixmap(size, ratio, mode, state).toImage(),
                                  style.pixmap(size, ratio, mode, state).toImage());
                        QIcon third = deferredStandardIcon(which);
                        EXPECT_EQ(third.actualSize(size, mode, state), style.actualSize(size, mode, state));
                    }
        const QIcon deferred = deferredStandardIcon(which);
        EXPECT_EQ(deferred.isNull(), style.isNull());
        EXPECT_EQ(deferred.availableSizes(), style.availableSizes());
        EXPECT_EQ(deferred.name(), style.name());
    }
}

TEST(DeferredIcon, ItsExactPictureIsDrawnWithoutMakingTheIcon)
{
    int made = 0;
    const QIcon icon = deferredStandardIcon(QStyle::SP_DialogOpenButton, &made);
    const QPixmap exact = QApplication::style()->standardPixmap(QStyle::SP_DialogOpenButton);
    ASSERT_FALSE(exact.isNull());
    EXPECT_FALSE(icon.isNull());
    painted(icon, exact.size(), 1.0, QIcon::Normal, QIcon::Off);
    EXPECT_EQ(icon.actualSize(exact.size()), exact.size());
    EXPECT_EQ(made, 0);

    // Any other request makes it, once for all the copies.
    const QIcon copy = icon;
    painted(copy, exact.size(), 1.0, QIcon::Disabled, QIcon::Off);
    EXPECT_EQ(made, 1);
    icon.pixmap(exact.size() * 2);
    copy.availableSizes();
    EXPECT_EQ(made, 1);
}

TEST(DeferredIcon, ADrawnIconIsNotNullBeforeItIsDrawn)
{
    int made = 0;
    const QIcon icon = deferredIcon([&made] {
        ++made;
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    });
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(made, 0);
    EXPECT_EQ(icon.pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
    EXPECT_EQ(made, 1);
}

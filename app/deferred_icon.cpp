#include "app/deferred_icon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>

#include <memory>
#include <optional>

namespace tavo {

namespace {

// What the copies of one deferred icon share: the icon once made, and the
// exact picture once read.
struct DeferredSource {
    std::function<QIcon()> make;
    std::function<QPixmap()> exact;
    std::optional<QIcon> icon;
    std::optional<QPixmap> exactPixmap;

    const QIcon &made()
    {
        if (!icon)
            icon = make();
        return *icon;
    }

    // The exact picture while the icon is not made yet, if there is one.
    const QPixmap *exactPicture()
    {
        if (icon || !exact)
            return nullptr;
        if (!exactPixmap)
            exactPixmap = exact();
        return exactPixmap->isNull() ? nullptr : &*exactPixmap;
    }

    // The exact picture, when it answers a request for `size` device pixels.
    const QPixmap *exactFor(const QSize &size, QIcon::Mode mode, QIcon::State state)
    {
        if (mode != QIcon::Normal || state != QIcon::Off)
            return nullptr;
        const QPixmap *picture = exactPicture();
        return picture && picture->size() == size ? picture : nullptr;
    }
};

// Every request goes to the made icon at one device pixel per pixel, as an
// icon engine's requests are meant, except those the exact picture answers.
class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(std::shared_ptr<DeferredSource> source) : source_(std::move(source)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const QPaintDevice *device = painter->device();
        const qreal ratio = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        if (const QPixmap *exact = source_->exactFor(rect.size() * ratio, mode, state)) {
            painter->drawPixmap(rect, *exact);
            return;
        }
        source_->made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        if (source_->exactFor(size, mode, state))
            return size;
        return source_->made().pixmap(size, 1.0, mode, state).size();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        if (const QPixmap *exact = source_->exactFor(size, mode, state))
            return *exact;
        return source_->made().pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return source_->made().pixmap(size / scale, scale, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return source_->made().availableSizes(mode, state);
    }

    QString iconName() override { return source_->made().name(); }

    // Without an exact picture the icon is one the program draws, never null;
    // with one, the made icon holds that picture, so it is not null either.
    bool isNull() override
    {
        if (!source_->icon && (!source_->exact || source_->exactPicture()))
            return false;
        return source_->made().isNull();
    }

    QIconEngine *clone() const override { return new DeferredIconEngine(source_); }

private:
    std::shared_ptr<DeferredSource> source_;
};

} // namespace

QIcon deferredIcon(std::function<QIcon()> make, std::function<QPixmap()> exact)
{
    auto source = std::make_shared<DeferredSource>();
    source->make = std::move(make);
    source->exact = std::move(exact);
    return QIcon(new DeferredIconEngine(std::move(source)));
}

} // namespace tavo

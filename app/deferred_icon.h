#pragma once
// Icons made when they are first drawn or asked about rather than when they
// are set. A style's standard icon decodes its picture at every size it has
// (16, 32 and 128 pixels) as soon as it is made, and a drawn icon paints its
// pixmaps; most of that is never shown, and none of it is needed before the
// window is first painted unless the icon is painted then.

#include <QIcon>
#include <QPixmap>

#include <functional>

namespace tavo {

// The icon `make` returns, made on first use. Until then, a request in the
// normal mode and off state for exactly the size of the picture `exact`
// returns (a request for that many device pixels) is answered with that
// picture alone; `exact` must be the very picture the made icon holds at its
// size, which then is what the made icon would answer too. Without `exact`,
// `make` must not return a null icon: the icon is not null before it is made.
QIcon deferredIcon(std::function<QIcon()> make, std::function<QPixmap()> exact = {});

} // namespace tavo

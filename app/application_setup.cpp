#include "app/application_setup.h"

#include "display/look.h"

#include <QCoreApplication>

namespace tavo {

void setUpApplication()
{
    // Not the display name: Qt appends that to every window caption on X11.
    QCoreApplication::setApplicationName(kApplicationTitle);
    installFontSubstitutions();
}

} // namespace tavo

#include "export/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tavo {

namespace {
constexpr const char *kCodePage = "windows-1251";
}

QString fromCp1251(std::string_view bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string toCp1251(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(text);
    return bytes.toStdString();
}

} // namespace tavo

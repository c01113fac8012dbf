#include "export/report_file.h"

#include "text/cp1251_codec.h"

namespace tavo {

namespace {

bool endsLine(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

QByteArray reportFileBytes(const QString &reportText)
{
    QByteArray bytes;
    if (reportText.isEmpty())
        return bytes;
    bytes.reserve(reportText.size() + reportText.size() / 16 + 2);
    qsizetype lineStart = 0;
    for (qsizetype i = 0;; ++i) {
        if (i == reportText.size() || endsLine(reportText.at(i))) {
            const std::string line = utf8ToCp1251(reportText.mid(lineStart, i - lineStart).toStdString());
            bytes.append(line.data(), qsizetype(line.size()));
            bytes.append("\r\n", 2);
            if (i == reportText.size())
                break;
            if (reportText.at(i) == u'\r' && i + 1 < reportText.size() && reportText.at(i + 1) == u'\n')
                ++i;
            lineStart = i + 1;
        }
    }
    return bytes;
}

std::optional<SaveError> saveReportFile(const QString &fileName, const QString &reportText)
{
    const QByteArray bytes = reportFileBytes(reportText);
    return saveFileBytes(fileName, std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace tavo

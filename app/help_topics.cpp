#include "app/help_topics.h"

#include "display/cp1251_qstring.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace tavo {

namespace {

QString unescapeHtml(QString text)
{
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace

std::vector<HelpTopic> readHelpSitemap(const QByteArray &cp1251Html)
{
    const QString html = fromCp1251(std::string_view(cp1251Html.constData(), std::size_t(cp1251Html.size())));
    static const QRegularExpression object(QStringLiteral("<object[^>]*>(.*?)</object>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression param(
        QStringLiteral("<param\\s+name\\s*=\\s*\"([^\"]*)\"\\s+value\\s*=\\s*\"([^\"]*)\"\\s*/?>"),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<HelpTopic> topics;
    for (auto objects = object.globalMatch(html); objects.hasNext();) {
        const QString body = objects.next().captured(1);
        HelpTopic topic;
        for (auto params = param.globalMatch(body); params.hasNext();) {
            const auto match = params.next();
            const QString key = match.captured(1).toLower();
            if (key == QLatin1String("name") && topic.name.isEmpty())
                topic.name = unescapeHtml(match.captured(2));
            else if (key == QLatin1String("local") && topic.page.isEmpty())
                topic.page = unescapeHtml(match.captured(2));
        }
        if (!topic.name.isEmpty() && !topic.page.isEmpty())
            topics.push_back(topic);
    }
    return topics;
}

std::vector<HelpTopic> readHelpSitemapFile(const QString &folder, const QString &fileName)
{
    QFile file(QDir(folder).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readHelpSitemap(file.readAll());
}

} // namespace tavo

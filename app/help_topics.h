#pragma once
// The help's contents and keyword index, read from the same sitemap files
// (TAVO.12F.hhc, TAVO.12F.hhk) that the compiled help is made from, so the
// help window and the compiled help list the same topics.

#include <QByteArray>
#include <QString>

#include <vector>

namespace tavo {

struct HelpTopic {
    QString name;
    QString page; // relative to the help pages' folder, perhaps with "#anchor"
    bool operator==(const HelpTopic &) const = default;
};

inline const QString kHelpContentsFile = QStringLiteral("TAVO.12F.hhc");
inline const QString kHelpIndexFile = QStringLiteral("TAVO.12F.hhk");

// The entries of a sitemap in cp1251, in file order: each object's "Name"
// and "Local" parameters. Entries that lack either are skipped.
std::vector<HelpTopic> readHelpSitemap(const QByteArray &cp1251Html);

// The sitemap file `fileName` in `folder`; empty when it cannot be read.
std::vector<HelpTopic> readHelpSitemapFile(const QString &folder, const QString &fileName);

} // namespace tavo

#include "support/NLS.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

namespace {

std::set<quint32> TextIds(const QString& file)
{
    std::set<quint32> ids;
    ForEachNLSLine(file, [&](const TNLSLine& line) {
        if (const std::optional<quint32> id = ParseTextId(line.Key))
            ids.insert(*id);
        return true;
    });
    return ids;
}

std::string Describe(const std::set<quint32>& ids)
{
    std::string text;
    for (const quint32 id : ids)
        text += QString::number(id, 16).toUpper().rightJustified(8, u'0').toStdString() + ' ';
    return text;
}

std::set<quint32> Without(const std::set<quint32>& ids, const std::set<quint32>& removed)
{
    std::set<quint32> rest;
    std::set_difference(ids.begin(), ids.end(), removed.begin(), removed.end(),
                        std::inserter(rest, rest.begin()));
    return rest;
}

QDir ShippedLanguageDirectory()
{
    return QDir(QStringLiteral(VEMORA_SOURCE_DIR "/lang"));
}

// Every id the program's code asks for, as "LanguageText(0x...".
std::set<quint32> IdsUsedBySource()
{
    std::set<quint32> ids;
    const QRegularExpression call(QStringLiteral("LanguageText\\(\\s*0x([0-9A-Fa-f]{1,8})"));
    QDirIterator files(QStringLiteral(VEMORA_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : call.globalMatch(text))
            ids.insert(match.captured(1).toUInt(nullptr, 16));
    }
    return ids;
}

// A text missing from one language would show as "String ... not found" there.
TEST(NLSShippedFilesTest, LanguagesDefineTheSameTextIds)
{
    const QDir lang = ShippedLanguageDirectory();
    const QString german = lang.filePath(QStringLiteral("Vemora_DE.nls"));
    const QString english = lang.filePath(QStringLiteral("Vemora_EN.nls"));
    ASSERT_TRUE(QFileInfo::exists(german) && QFileInfo::exists(english)) << "the shipped language files are missing";

    const std::set<quint32> germanIds = TextIds(german);
    const std::set<quint32> englishIds = TextIds(english);
    EXPECT_FALSE(germanIds.empty());
    EXPECT_EQ(Describe(Without(germanIds, englishIds)), "") << "only in Vemora_DE.nls";
    EXPECT_EQ(Describe(Without(englishIds, germanIds)), "") << "only in Vemora_EN.nls";
}

TEST(NLSShippedFilesTest, EveryTextTheCodeAsksForIsShipped)
{
    const std::set<quint32> used = IdsUsedBySource();
    EXPECT_FALSE(used.empty());
    for (const char* file : {"Vemora_DE.nls", "Vemora_EN.nls"}) {
        const std::set<quint32> shipped = TextIds(ShippedLanguageDirectory().filePath(QString::fromLatin1(file)));
        EXPECT_EQ(Describe(Without(used, shipped)), "") << "missing from " << file;
    }
}

} // namespace

#include "support/NLS.h"
#include "TestSupport.h"

#include "support/DateFormat.h"
#include "support/DayNumbers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <set>
#include <string>
#include <tuple>

namespace {

constexpr const char* Missing = "<missing>";

class NLSTest : public testing::Test {
protected:
    void SetUp() override { SetMemoryLoadProvider([] { return 10; }); }
    void TearDown() override
    {
        SetMemoryLoadProvider(nullptr);
        LoadLanguage(QString(), QString());
    }
    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(Directory.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return file.fileName();
    }

    QString Text(quint32 id) { return LanguageText(id, QString::fromLatin1(Missing)); }

    QTemporaryDir Directory;
};

// The first text line of the built-in language file, or nothing when it is not built in.
std::optional<std::pair<quint32, QString>> FirstBuiltInText()
{
    std::optional<std::pair<quint32, QString>> first;
    ForEachNLSLine(BuiltInLanguageFile(), [&](const TNLSLine& line) {
        if (const std::optional<quint32> id = ParseTextId(line.Key))
            first.emplace(*id, DecodeNLSValue(line.Value));
        return !first;
    });
    return first;
}

// Each row is a language file of one line; the text of the id is looked up.
TEST_F(NLSTest, LineSyntax)
{
    const struct {
        const char* Name;
        QByteArray Line;
        quint32 Id;
        const char* Expected;
    } rows[] = {
        {"quoted value with entity and comment", "6D2D93EE = \"Gr&auml;n\" # colour", 0x6D2D93EE, "Gr\u00E4n"},
        {"hash inside double quotes is text", "10 = \"a # b\"", 0x10, "a # b"},
        {"hash inside single quotes ends the line", "10 = 'a # b'", 0x10, "'a"},
        {"single quotes removed, blanks inside kept", "10=' x '", 0x10, " x "},
        {"mismatched quotes kept", "10=\"x'", 0x10, "\"x'"},
        {"lone quote kept", "10=\"", 0x10, "\""},
        {"blanks and tabs trimmed, first equals sign splits", "\t 10 \t=\t a=b \t", 0x10, "a=b"},
        {"equals sign at position one", "=10=x", 0x10, Missing},
        {"named, unknown and final lone escapes", "10=\\a\\b\\f\\n\\r\\t\\v\\e\\\\\\q\\", 0x10,
         "\a\b\f\n\r\t\v\\\\\\q\\"},
        {"hex codes need two hex digits", "10=\\x41\\xe4\\x80\\xg1\\x4", 0x10, "A\u00E4\u20AC\\xg1\\x4"},
        {"entities: case sensitive, ampersand last, after escapes",
         "10=&auml;&Auml;&uuml;&Uuml;&ouml;&Ouml;&szlig;&amp;auml;&AUML;\\x26auml;", 0x10,
         "\u00E4\u00C4\u00FC\u00DC\u00F6\u00D6\u00DF&auml;&AUML;\u00E4"},
        {"last eight hex digits count, any case", "1234abcDEF=x", 0x34ABCDEF, "x"},
        {"UTF-8 byte order mark, CR LF line end", "\xEF\xBB\xBF" "10=value\r", 0x10, "value"},
        {"Windows-1252 bytes", "10=Gr\xE4n \x80", 0x10, "Gr\u00E4n \u20AC"},
        {"UTF-8 bytes", "10=Gr\xC3\xA4n", 0x10, "Gr\u00E4n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        ASSERT_EQ(LoadLanguage(QString(), WriteFile("Vemora_XX.nls", row.Line + '\n')), ioSuccess);
        EXPECT_EQ(Text(row.Id), QString::fromUtf8(row.Expected));
    }
}

TEST_F(NLSTest, CountryKeywordsSetDateConventions)
{
    const QString country = WriteFile("State_XX.nls",
        "shortdateformat = dd.mm.yyyy\n"
        "SHORTTIMEFORMAT = hh.nn\n"
        "SHORTDAYNAMES = So, Mo, Di\n"
        "LONGMONTHNAMES = M1,M2,M3,M4,M5,M6,M7,M8,M9,M10,M11,M12,M13\n"
        "DECIMALSEPARATOR = ;\n"
        "THOUSANDSEPARATOR = ..\n");
    const QChar systemThousands = FormatSettings().ThousandSeparator;
    LoadLanguage(country, WriteFile("Vemora_XX.nls", ""));
    EXPECT_EQ(DateToStr(DayFromCivil(2024, 12, 6)) + FormatDateTime(" ddd mmmm", DayFromCivil(2024, 12, 3)),
              "06.12.2024 Di M12");
    EXPECT_EQ(std::tuple(FormatSettings().TimeSeparator, FormatSettings().DecimalSeparator,
                         FormatSettings().ThousandSeparator), std::tuple(u'.', u';', systemThousands));
    // A short list ends in the system's names.
    EXPECT_EQ(GetNameListItem(0, 3), FormatDateTime("ddd", DayFromCivil(2024, 12, 4)));
    EXPECT_EQ(GetNameListItem(3, 12) + GetNameListItem(4, 0) + GetNameListItem(0, -1), "");
    // Without a country file the system's names serve again.
    LoadLanguage(QString(), QString());
    EXPECT_EQ(GetNameListItem(1, 0), QLocale::system().dayName(7, QLocale::LongFormat));
    EXPECT_EQ(GetNameListItem(2, 11), QLocale::system().monthName(12, QLocale::ShortFormat));
}

// A chosen file that lacks some texts still never shows "not found" for a shipped text.
TEST_F(NLSTest, BuiltInTextsServeWithoutALanguageFileAndFillTheGapsOfAChosenOne)
{
    const auto builtIn = FirstBuiltInText();
    ASSERT_TRUE(builtIn) << "the built-in language file is missing";
    EXPECT_EQ(LoadLanguage(QString(), QString()), ioSuccess);
    EXPECT_EQ(Text(builtIn->first), builtIn->second);
    const QString country = WriteFile("State_XX.nls", "10=country\n");
    LoadLanguage(country, WriteFile("Vemora_XX.nls", "10=mine\n11=first\n11=second\n"));
    // The country file wins; the first of two lines of one id counts.
    EXPECT_EQ(QStringList({Text(0x10), Text(0x11), LanguageText(builtIn->first),
                           LanguageText(builtIn->first, QStringLiteral("Default")), LanguageText(0x0BADF00D)}),
              QStringList({"country", "first", builtIn->second, "Default", "String 0BADF00D not found"}));
}

TEST_F(NLSTest, UnreadableLanguageFileReportsTheErrorAndTheBuiltInTextsServe)
{
    const QString country = WriteFile("State_XX.nls", "10=country\n");
    QDir(Directory.path()).mkdir("Directory.nls");
    const auto builtIn = FirstBuiltInText();
    // Reading the start of a process's own memory fails.
    for (const auto& [file, result] : {std::pair{"Vemora_ZZ.nls", ioFileNotFound}, {"Directory.nls", ioAccessDenied},
                                       {"/proc/self/mem", ioReadError}}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(LoadLanguage(country, QDir(Directory.path()).filePath(QString::fromLatin1(file))), result);
        EXPECT_TRUE(IsLanguageLoaded());
        EXPECT_EQ(Text(0x10), "country");
        if (builtIn && builtIn->first != 0x10) {
            EXPECT_EQ(Text(builtIn->first), builtIn->second);
        }
    }
}

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

// The ids of from that are missing in in, as hex text.
std::string MissingIds(const std::set<quint32>& from, const std::set<quint32>& in)
{
    std::string text;
    for (const quint32 id : from)
        if (!in.contains(id))
            text += QString::number(id, 16).toUpper().rightJustified(8, u'0').toStdString() + ' ';
    return text;
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
        if (file.open(QIODevice::ReadOnly))
            for (const QRegularExpressionMatch& match : call.globalMatch(QString::fromUtf8(file.readAll())))
                ids.insert(match.captured(1).toUInt(nullptr, 16));
    }
    return ids;
}

// A text missing from one language would show as "String ... not found" there.
TEST(NLSShippedFilesTest, BothLanguagesDefineEveryTextTheCodeAsksFor)
{
    const QDir lang(QStringLiteral(VEMORA_SOURCE_DIR "/lang"));
    const std::set<quint32> german = TextIds(lang.filePath(QStringLiteral("Vemora_DE.nls")));
    const std::set<quint32> english = TextIds(lang.filePath(QStringLiteral("Vemora_EN.nls")));
    const std::set<quint32> used = IdsUsedBySource();
    ASSERT_FALSE(german.empty()) << "the shipped language files are missing";
    ASSERT_FALSE(used.empty());
    EXPECT_EQ(MissingIds(german, english), "") << "only in Vemora_DE.nls";
    EXPECT_EQ(MissingIds(english, german), "") << "only in Vemora_EN.nls";
    EXPECT_EQ(MissingIds(used, german), "") << "missing from Vemora_DE.nls";
    EXPECT_EQ(MissingIds(used, english), "") << "missing from Vemora_EN.nls";
}

} // namespace

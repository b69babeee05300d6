#include "support/NLS.h"
#include "TestSupport.h"

#include "support/DateFormat.h"
#include "support/DayNumbers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <ostream>
#include <random>

namespace {

constexpr const char* Missing = "<missing>";

class NLSTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Directory.isValid());
        SetMemoryLoadProvider([] { return 10; });
    }

    void TearDown() override
    {
        SetMemoryLoadProvider(nullptr);
        LoadLanguage(QString(), QString());
    }

    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = Directory.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
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

struct TLineCase {
    const char* Name;
    friend void PrintTo(const TLineCase& row, std::ostream* out) { *out << row.Name; }
    QByteArray Line;
    quint32 Id;
    const char* Expected;
};

class NLSLineTest : public NLSTest, public testing::WithParamInterface<TLineCase> {};

TEST_P(NLSLineTest, ReadsText)
{
    const TLineCase& row = GetParam();
    ASSERT_EQ(LoadLanguage(QString(), WriteFile("Vemora_XX.nls", row.Line + '\n')), ioSuccess);
    EXPECT_EQ(Text(row.Id), QString::fromUtf8(row.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, NLSLineTest,
    testing::Values(
        TLineCase{"QuotedValueWithEntityAndComment", "6D2D93EE = \"Gr&auml;n\" # colour",
                  0x6D2D93EE, "Gr\u00E4n"},
        TLineCase{"WholeLineComment", "# 10 = x", 0x10, Missing},
        TLineCase{"CommentAfterBlanks", " \t # 10 = x", 0x10, Missing},
        TLineCase{"HashInsideDoubleQuotesIsText", "10 = \"a # b\"", 0x10, "a # b"},
        TLineCase{"HashInsideSingleQuotesEndsTheLine", "10 = 'a # b'", 0x10, "'a"},
        TLineCase{"SingleQuotesRemoved", "10='x y'", 0x10, "x y"},
        TLineCase{"MismatchedQuotesKept", "10=\"x'", 0x10, "\"x'"},
        TLineCase{"LoneQuoteKept", "10=\"", 0x10, "\""},
        TLineCase{"QuotesKeepBlanks", "10=\" x \"", 0x10, " x "},
        TLineCase{"BlanksAndTabsTrimmed", "\t 10 \t=\t value \t", 0x10, "value"},
        TLineCase{"FirstEqualsSignSplits", "10=a=b", 0x10, "a=b"},
        TLineCase{"EqualsSignAtPositionOne", "=10=x", 0x10, Missing},
        TLineCase{"NoEqualsSign", "10 x", 0x10, Missing},
        TLineCase{"EmptyValue", "10=", 0x10, ""},
        TLineCase{"TabEscape", "10=a\\tb", 0x10, "a\tb"},
        TLineCase{"DoubleBackslash", "10=C:\\\\x", 0x10, "C:\\x"},
        TLineCase{"NamedEscapes", "10=\\a\\b\\f\\n\\r\\t\\v\\e", 0x10, "\a\b\f\n\r\t\v\\"},
        TLineCase{"UnknownEscapeKept", "10=\\q\\n", 0x10, "\\q\n"},
        TLineCase{"FinalLoneBackslashKept", "10=ab\\", 0x10, "ab\\"},
        TLineCase{"HexCodes", "10=\\x41\\xe4\\x80", 0x10, "A\u00E4\u20AC"},
        TLineCase{"HexCodeNeedsTwoDigits", "10=\\x4", 0x10, "\\x4"},
        TLineCase{"Umlauts", "10=&auml;&Auml;&uuml;&Uuml;&ouml;&Ouml;&szlig;", 0x10,
                  "\u00E4\u00C4\u00FC\u00DC\u00F6\u00D6\u00DF"},
        TLineCase{"AmpersandDecodedLast", "10=&amp;auml; &amp;", 0x10, "&auml; &"},
        TLineCase{"EntitiesAreCaseSensitive", "10=&AUML;", 0x10, "&AUML;"},
        TLineCase{"EscapeDecodedBeforeEntity", "10=\\x26auml;", 0x10, "\u00E4"},
        TLineCase{"LastEightHexDigitsCount", "123456789=x", 0x23456789, "x"},
        TLineCase{"LowerCaseHexKey", "abcd=x", 0xABCD, "x"},
        TLineCase{"CrLfLineEnd", "10=value\r", 0x10, "value"},
        TLineCase{"Utf8ByteOrderMark", "\xEF\xBB\xBF" "10=x", 0x10, "x"},
        TLineCase{"Windows1252Byte", "10=Gr\xE4n \x80", 0x10, "Gr\u00E4n \u20AC"},
        TLineCase{"Utf8Bytes", "10=Gr\xC3\xA4n", 0x10, "Gr\u00E4n"}),
    [](const testing::TestParamInfo<TLineCase>& info) { return info.param.Name; });

TEST_F(NLSTest, FirstTextOfAnIdWins)
{
    LoadLanguage(QString(), WriteFile("Vemora_XX.nls", "10=first\n10=second\n"));
    EXPECT_EQ(Text(0x10), "first");
}

TEST_F(NLSTest, CountryFileTakesPrecedence)
{
    const QString country = WriteFile("State_XX.nls", "10=country\n");
    const QString language = WriteFile("Vemora_XX.nls", "10=language\n11=language only\n");
    ASSERT_EQ(LoadLanguage(country, language), ioSuccess);
    EXPECT_TRUE(IsLanguageLoaded());
    EXPECT_EQ(Text(0x10), "country");
    EXPECT_EQ(Text(0x11), "language only");
}

TEST_F(NLSTest, UnknownIdGivesDefaultOrNotFoundText)
{
    LoadLanguage(QString(), WriteFile("Vemora_XX.nls", "10=x\n"));
    EXPECT_EQ(LanguageText(43981), "String 0000ABCD not found");
    EXPECT_EQ(LanguageText(0xFFFFFFFF), "String FFFFFFFF not found");
    EXPECT_EQ(LanguageText(43981, "Default"), "Default");
    EXPECT_EQ(LanguageText(0x10, "Default"), "x");
}

// Repeated and alternating lookups go through the ring of recent ids; more ids than slots
// make slots be reused.
TEST_F(NLSTest, RecentLookupsGiveTheRightTexts)
{
    QByteArray file;
    for (int id = 1; id <= 8; ++id)
        file += QByteArray::number(id, 16) + "=text " + QByteArray::number(id) + '\n';
    LoadLanguage(QString(), WriteFile("Vemora_XX.nls", file));
    const int sequence[] = {1, 1, 1, 2, 1, 2, 1, 3, 4, 5, 6, 7, 8, 1, 8, 2, 7, 3, 6, 6, 5, 9, 5};
    for (const int id : sequence) {
        const QString expected =
            id <= 8 ? QStringLiteral("text %1").arg(id) : QString::fromLatin1(Missing);
        EXPECT_EQ(Text(static_cast<quint32>(id)), expected) << "id " << id;
    }
}

TEST_F(NLSTest, UnderMemoryPressureEachLookupReadsTheLanguageFile)
{
    SetMemoryLoadProvider([] { return 100; });
    const QString country = WriteFile("State_XX.nls", "10=country\nSHORTDATEFORMAT=dd.mm.yyyy\n");
    const QString language = WriteFile("Vemora_XX.nls", "10 = \"a\\tb &auml;\"\n");
    ASSERT_EQ(LoadLanguage(country, language), ioSuccess);
    EXPECT_EQ(Text(0x10), "a\\tb \u00E4");
    EXPECT_EQ(FormatSettings().ShortDateFormat, "dd.mm.yyyy");

    WriteFile("Vemora_XX.nls", "10=changed\n");
    EXPECT_EQ(Text(0x10), "changed");
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

    EXPECT_EQ(DateToStr(DayFromCivil(2024, 12, 6)), "06.12.2024");
    EXPECT_EQ(FormatSettings().DateSeparator, u'.');
    EXPECT_EQ(FormatSettings().TimeSeparator, u'.');
    EXPECT_EQ(FormatDateTime("ddd mmmm", DayFromCivil(2024, 12, 3)), "Di M12");
    EXPECT_EQ(GetNameListItem(0, 2), "Di");
    EXPECT_EQ(GetNameListItem(0, 3), FormatDateTime("ddd", DayFromCivil(2024, 12, 4))) << "a short list ends in the system's names";
    EXPECT_FALSE(GetNameListItem(0, 3).isEmpty());
    EXPECT_EQ(GetNameListItem(3, 11), "M12");
    EXPECT_EQ(GetNameListItem(3, 12), "");
    EXPECT_EQ(GetNameListItem(4, 0), "");
    EXPECT_EQ(GetNameListItem(0, -1), "");
    EXPECT_EQ(FormatSettings().DecimalSeparator, u';');
    EXPECT_EQ(FormatSettings().ThousandSeparator, systemThousands);
}

TEST_F(NLSTest, WithoutCountryFileTheSystemNamesServe)
{
    LoadLanguage(WriteFile("State_XX.nls", "LONGDAYNAMES=A,B,C,D,E,F,G\n"), QString());
    ASSERT_EQ(GetNameListItem(1, 0), "A");
    LoadLanguage(QString(), QString());
    EXPECT_EQ(GetNameListItem(1, 0), QLocale::system().dayName(7, QLocale::LongFormat));
    EXPECT_EQ(GetNameListItem(2, 11), QLocale::system().monthName(12, QLocale::ShortFormat));
}

TEST_F(NLSTest, WithoutLanguageFileTheBuiltInTextsServe)
{
    const auto builtIn = FirstBuiltInText();
    ASSERT_TRUE(builtIn) << "the built-in language file is missing";
    EXPECT_EQ(LoadLanguage(QString(), QString()), ioSuccess);
    EXPECT_EQ(Text(builtIn->first), builtIn->second);
}

// A chosen file that lacks some texts still never shows "not found" for a shipped text.
TEST_F(NLSTest, BuiltInTextsFillTheGapsOfAChosenFile)
{
    const auto builtIn = FirstBuiltInText();
    ASSERT_TRUE(builtIn);
    LoadLanguage(QString(), WriteFile("Vemora_XX.nls", "10=mine\n"));
    EXPECT_EQ(Text(0x10), "mine");
    EXPECT_EQ(LanguageText(builtIn->first), builtIn->second);
    EXPECT_EQ(LanguageText(builtIn->first, QStringLiteral("Default")), QStringLiteral("Default"));
    EXPECT_EQ(LanguageText(0x0BADF00D), QStringLiteral("String 0BADF00D not found"));
}

struct TUnreadableCase {
    const char* Name;
    friend void PrintTo(const TUnreadableCase& row, std::ostream* out) { *out << row.Name; }
    const char* File; // below the temporary directory, or absolute
    int Result;
};

class NLSUnreadableTest : public NLSTest, public testing::WithParamInterface<TUnreadableCase> {};

TEST_P(NLSUnreadableTest, ReportsTheErrorAndUsesTheBuiltInTexts)
{
    const TUnreadableCase& row = GetParam();
    const QString country = WriteFile("State_XX.nls", "10=country\n");
    QDir(Directory.path()).mkdir("Directory.nls");
    const QString file = QDir(Directory.path()).filePath(QString::fromLatin1(row.File));
    if (row.Result == ioReadError && !QFile::exists(file))
        GTEST_SKIP() << "no " << row.File;

    EXPECT_EQ(LoadLanguage(country, file), row.Result);
    EXPECT_TRUE(IsLanguageLoaded());
    EXPECT_EQ(Text(0x10), "country");
    if (const auto builtIn = FirstBuiltInText(); builtIn && builtIn->first != 0x10) {
        EXPECT_EQ(Text(builtIn->first), builtIn->second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, NLSUnreadableTest,
    testing::Values(TUnreadableCase{"MissingFile", "Vemora_ZZ.nls", ioFileNotFound},
                    TUnreadableCase{"Directory", "Directory.nls", ioAccessDenied},
                    TUnreadableCase{"Device", "/dev/zero", ioAccessDenied},
                    // Reading the start of a process's own memory fails.
                    TUnreadableCase{"ReadError", "/proc/self/mem", ioReadError}),
    [](const testing::TestParamInfo<TUnreadableCase>& info) { return info.param.Name; });

TEST_F(NLSTest, RelativeNameIsFoundBesideTheProgram)
{
    const QString name = QStringLiteral("NLSTest_%1.nls").arg(QCoreApplication::applicationPid());
    const QString path = QDir(ProgramDirectory()).filePath(name);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("10=beside the program\n");
    }
    const int result = LoadLanguage(QString(), name);
    QFile::remove(path);
    EXPECT_EQ(result, ioSuccess);
    EXPECT_EQ(Text(0x10), "beside the program");
}

TEST_F(NLSTest, HugeLinesAndBinaryGarbageAreSkipped)
{
    std::mt19937 random(2024);
    QByteArray garbage(1 << 20, '\0');
    for (char& byte : garbage)
        byte = static_cast<char>(random() & 0xFF);
    const QByteArray hugeLine = "11=" + QByteArray(1 << 20, 'x');
    const QString file = WriteFile("Vemora_XX.nls", garbage + '\n' + hugeLine + "\n10=after\n");
    EXPECT_EQ(LoadLanguage(QString(), file), ioSuccess);
    EXPECT_EQ(Text(0x10), "after");
    EXPECT_EQ(Text(0x11), Missing);
}

TEST_F(NLSTest, ReadKeyFromFileIgnoresLetterCase)
{
    const QString file =
        WriteFile("Vemora_XX.nls", "Language = Deutsch &amp; mehr\nCOUNTRIES=DE,AT\n");
    QString value;
    EXPECT_TRUE(ReadKeyFromFile(file, "LANGUAGE", value));
    EXPECT_EQ(value, "Deutsch & mehr");
    EXPECT_TRUE(ReadKeyFromFile(file, "countries", value));
    EXPECT_EQ(value, "DE,AT");
    EXPECT_FALSE(ReadKeyFromFile(file, "COUNTRY", value));
    EXPECT_FALSE(ReadKeyFromFile(Directory.filePath("none.nls"), "LANGUAGE", value));
}

struct TShapeCase {
    const char* Name;
    friend void PrintTo(const TShapeCase& row, std::ostream* out) { *out << row.Name; }
    const char* Text;
    const char* Suffix;
    const char* FirstUpper;
    const char* Ellipsis;
};

class TextShapeTest : public testing::TestWithParam<TShapeCase> {};

TEST_P(TextShapeTest, Shapes)
{
    const TShapeCase& row = GetParam();
    const QString text = QString::fromUtf8(row.Text);
    EXPECT_EQ(FirstCharUpper(text, QString::fromUtf8(row.Suffix)),
              QString::fromUtf8(row.FirstUpper));
    EXPECT_EQ(EnsureEllipsis(text), QString::fromUtf8(row.Ellipsis));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextShapeTest,
    testing::Values(TShapeCase{"Empty", "", ":", "", ""},
                    TShapeCase{"TwoCharacters", "ab", "", "Ab", "ab"},
                    TShapeCase{"ThreeCharacters", "abc", ":", "Abc:", "abc..."},
                    TShapeCase{"Umlaut", "\u00F6ffnen", "?", "\u00D6ffnen?", "\u00F6ffnen..."},
                    TShapeCase{"AlreadyEllipsis", "Open...", "", "Open...", "Open..."},
                    TShapeCase{"OnlyAnEllipsis", "...", "", "...", "..."}),
    [](const testing::TestParamInfo<TShapeCase>& info) { return info.param.Name; });

} // namespace

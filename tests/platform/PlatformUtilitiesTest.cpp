#include "platform/CommandLine.h"
#include "platform/MessageService.h"
#include "platform/TextCodec.h"
#include "platform/VersionRecord.h"
#include "settings/Version.h"

#include "TestSupport.h"

#include <cstring>

namespace {

TEST(TextCodecTest, ReadsUtf8AndWindows1252AndWritesWindows1252WhenEveryCharacterFits)
{
    EXPECT_EQ(QStringList({DecodeAnsiText("Gr\xc3\xbc\xc3\x9f" "e"), DecodeAnsiText("Gr\xfc\xdf" "e \x80 \x93x\x94")}),
              QStringList({"Grüße", "Grüße € “x”"}));
    EXPECT_EQ(QList({EncodeAnsiText("Grüße €"), EncodeAnsiText("Łódź")}),
              QList({QByteArray("Gr\xfc\xdf" "e \x80"), QStringLiteral("Łódź").toUtf8()}));
    // "Ã¤" in Windows-1252 is the UTF-8 form of "ä": it must not come back as "ä".
    for (const QString text : {"Ã¤", "日本", "a\u0081b", ""})
        EXPECT_EQ(DecodeAnsiText(EncodeAnsiText(text)), text) << text.toStdString();
    for (int byte = 0x80; byte < 256; ++byte) {
        const QByteArray single(1, static_cast<char>(byte));
        EXPECT_EQ(EncodeAnsiText(DecodeAnsiText(single)), single) << byte;
    }
}

TEST(MessageBoxRequestTest, StyleFlagsChooseIconAndButtons)
{
    using TLook = std::pair<TMessageIcon, TMessageButtons>;
    using I = TMessageIcon; using B = TMessageButtons;
    const std::pair<quint32, TLook> cases[] = {
        {0x00, {I::None, B::Ok}}, {0x10, {I::Error, B::Ok}}, {0x24, {I::Question, B::YesNo}},
        {0x31, {I::Warning, B::OkCancel}}, {0x43, {I::Information, B::YesNoCancel}}, {0x5f, {I::None, B::Ok}},
        {0x45, {I::Information, B::RetryCancel}}, {0x42, {I::Information, B::AbortRetryIgnore}}};
    for (const auto& [style, look] : cases) {
        const TMessageRequest request = MessageBoxRequest("t", "c", style);
        EXPECT_EQ(TLook(request.Icon, request.Buttons), look) << style;
        EXPECT_EQ(request.Text + request.Caption, QStringLiteral("tc"));
    }
}

TEST(ExtractParamTest, SplitsTheNextToken)
{
    // NextPos -1: unchanged.
    const struct { const char* Text; int Start; const char* Token; int NextPos; } cases[] = {
        {"prog /r file", 6, "/r", 9}, {"\"C:\\My Files\\a.vkd\" next", 1, "C:\\My Files\\a.vkd", 20},
        {" \t\n\v\f\rword", 1, "word", 12}, // blanks of every kind; the last word runs to the end
        // An unclosed quote runs to the blank; a quote inside a word is kept.
        {"\"abc def", 1, "\"abc", 6}, {"ab\"c d", 1, "ab\"c", 6},
        {"abc   ", 4, "", -1}, {"abc", 4, "", -1}, {"abc", 0, "", -1},
    };
    for (const auto& c : cases) {
        int next = -1;
        QString token = QStringLiteral("stale");
        ExtractParam(QString::fromUtf8(c.Text), c.Start, &next, token);
        EXPECT_EQ(std::pair(token, next), std::pair(QString::fromUtf8(c.Token), c.NextPos))
            << c.Text << " @" << c.Start;
    }
    QString token;
    ExtractParam("one two", 4, nullptr, token);
    EXPECT_EQ(token, QStringLiteral("two")) << "the next position is optional";
}

TEST(BuildRawCommandLineTest, QuotesWhereNeededAndSplitsBackIntoTheSameArguments)
{
    const QStringList arguments{"/opt/My Apps/vemora", "/r", QString(), "a\tb", "/home/u/My Dates.vkd"};
    const QString line = BuildRawCommandLine(arguments);
    EXPECT_EQ(line, QStringLiteral("\"/opt/My Apps/vemora\" /r \"\" \"a\tb\" \"/home/u/My Dates.vkd\""));
    QStringList split;
    for (int position = 1; split.size() < arguments.size();) {
        QString token;
        ExtractParam(line, position, &position, token);
        split.append(token);
    }
    EXPECT_EQ(split, arguments);
}

TEST(VersionRecordTest, TheFirstRecordWithARightCheckIsFoundAnywhereAndInTheProgramOnly)
{
    static_assert(sizeof(TVersionRecord) == VersionRecordSize);
    std::vector<std::byte> bytes(4096, std::byte{0x7f});
    TVersionRecord damaged = MakeVersionRecord(9, 9, 9, 9);
    damaged.Check ^= 1;
    const TVersionRecord good = MakeVersionRecord(2, 1, 0, 17);
    std::memcpy(bytes.data() + 10, &damaged, sizeof damaged);
    std::memcpy(bytes.data() + 1001, &good, sizeof good);
    EXPECT_EQ(FindVersionRecord(bytes), (std::array<std::uint16_t, 4>{2, 1, 0, 17}));
    // A record cut off at the end is none.
    EXPECT_TRUE(FindVersionRecord(std::span(bytes).subspan(1001, VersionRecordSize)));
    EXPECT_FALSE(FindVersionRecord(std::span(bytes).subspan(1001, VersionRecordSize - 1)));

    const TVersion version(TVersion::RunningExecutablePath());
    ASSERT_TRUE(version.IsValid());
    EXPECT_EQ(version.Text(vpMajor | vpBuild), QStringLiteral("2.%1").arg(version.Number()[3]));

    TTemporaryHome home;
    const QString plain = home.WriteFile("plain.bin", QByteArray(5000, 'a'));
    for (const QString& name : {plain, home.FilePath("missing"), home.Path()}) {
        const TVersion none(name);
        EXPECT_EQ(std::pair(none.IsValid(), none.Text(vpMajor | vpMinor)), std::pair(false, QStringLiteral("?.?.?.?")))
            << name.toStdString();
    }
}

} // namespace

#include "platform/FormatText.h"
#include "TestSupport.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatTextTest, FillsPlaceholdersInOrder)
{
    EXPECT_EQ(FormatText(QStringLiteral("Key %s, value %d"), {QStringLiteral("A"), QStringLiteral("7")}),
              QStringLiteral("Key A, value 7"));
}

TEST(FormatTextTest, ToleratesFormatsThatDoNotMatchTheArguments)
{
    EXPECT_EQ(FormatText(QStringLiteral("%s and %s"), {QStringLiteral("one")}), QStringLiteral("one and "));
    EXPECT_EQ(FormatText(QStringLiteral("no placeholder"), {QStringLiteral("x")}), QStringLiteral("no placeholder"));
    EXPECT_EQ(FormatText(QStringLiteral("100%% of %x %"), {}), QStringLiteral("100% of %x %"));
}

TEST(TextCodecTest, DecodesUtf8AndWindows1252)
{
    EXPECT_EQ(DecodeAnsiText(QByteArray("Gr\xc3\xbc\xc3\x9f" "e")), QStringLiteral("Grüße"));
    EXPECT_EQ(DecodeAnsiText(QByteArray("Gr\xfc\xdf" "e \x80 \x93x\x94")), QStringLiteral("Grüße € “x”"));
}

TEST(TextCodecTest, EncodesWindows1252WhenEveryCharacterFits)
{
    EXPECT_EQ(EncodeAnsiText(QStringLiteral("Grüße €")), QByteArray("Gr\xfc\xdf" "e \x80"));
    EXPECT_EQ(EncodeAnsiText(QStringLiteral("Łódź")), QStringLiteral("Łódź").toUtf8());
}

TEST(TextCodecTest, EveryTextSurvivesARoundTrip)
{
    // "Ã¤" in Windows-1252 is the UTF-8 form of "ä": it must not come back as "ä".
    const QStringList texts{QStringLiteral("plain"), QStringLiteral("Ã¤"), QStringLiteral("Ã¼ber"),
                            QStringLiteral("日本"), QStringLiteral("a\u0081b"), QString()};
    for (const QString& text : texts)
        EXPECT_EQ(DecodeAnsiText(EncodeAnsiText(text)), text) << text.toStdString();
}

TEST(TextCodecTest, EveryByteOfWindows1252Decodes)
{
    for (int byte = 1; byte < 256; ++byte) {
        const QByteArray single(1, static_cast<char>(byte));
        if (byte >= 0x80) {
            const QString decoded = DecodeAnsiText(single);
            ASSERT_EQ(decoded.size(), 1) << byte;
            EXPECT_EQ(EncodeAnsiText(decoded), single) << byte;
        }
    }
}

} // namespace

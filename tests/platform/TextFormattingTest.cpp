#include "platform/FormatText.h"
#include "platform/MessageService.h"
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

TEST(MessageBoxRequestTest, StyleFlagsChooseIconAndButtons)
{
    const struct {
        quint32 Style;
        TMessageIcon Icon;
        TMessageButtons Buttons;
    } cases[] = {{0x00, TMessageIcon::None, TMessageButtons::Ok},
                 {0x10, TMessageIcon::Error, TMessageButtons::Ok},
                 {0x24, TMessageIcon::Question, TMessageButtons::YesNo},
                 {0x31, TMessageIcon::Warning, TMessageButtons::OkCancel},
                 {0x43, TMessageIcon::Information, TMessageButtons::YesNoCancel},
                 {0x45, TMessageIcon::Information, TMessageButtons::RetryCancel},
                 {0x42, TMessageIcon::Information, TMessageButtons::AbortRetryIgnore},
                 {0x5f, TMessageIcon::None, TMessageButtons::Ok}};
    for (const auto& c : cases) {
        const TMessageRequest request = MessageBoxRequest(QStringLiteral("t"), QStringLiteral("c"), c.Style);
        EXPECT_EQ(request.Icon, c.Icon) << c.Style;
        EXPECT_EQ(request.Buttons, c.Buttons) << c.Style;
        EXPECT_EQ(request.Text, QStringLiteral("t"));
        EXPECT_EQ(request.Caption, QStringLiteral("c"));
    }
}

} // namespace

#include "platform/FormatText.h"
#include "platform/MessageService.h"
#include "TestSupport.h"
#include "platform/TextCodec.h"


namespace {

TEST(FormatTextTest, FillsPlaceholdersInOrderAndToleratesMismatches)
{
    EXPECT_EQ(FormatText("Key %s, value %d", {"A", "7"}), QStringLiteral("Key A, value 7"));
    EXPECT_EQ(FormatText("%s and %s", {"one"}), QStringLiteral("one and "));
    EXPECT_EQ(FormatText("no placeholder", {"x"}), QStringLiteral("no placeholder"));
    EXPECT_EQ(FormatText("100%% of %x %", {}), QStringLiteral("100% of %x %"));
}

TEST(TextCodecTest, ReadsUtf8AndWindows1252AndWritesWindows1252WhenEveryCharacterFits)
{
    EXPECT_EQ(DecodeAnsiText("Gr\xc3\xbc\xc3\x9f" "e"), QStringLiteral("Grüße"));
    EXPECT_EQ(DecodeAnsiText("Gr\xfc\xdf" "e \x80 \x93x\x94"), QStringLiteral("Grüße € “x”"));
    EXPECT_EQ(EncodeAnsiText("Grüße €"), QByteArray("Gr\xfc\xdf" "e \x80"));
    EXPECT_EQ(EncodeAnsiText("Łódź"), QStringLiteral("Łódź").toUtf8());
    // "Ã¤" in Windows-1252 is the UTF-8 form of "ä": it must not come back as "ä".
    for (const QString text : {"plain", "Ã¤", "Ã¼ber", "日本", "a\u0081b", ""})
        EXPECT_EQ(DecodeAnsiText(EncodeAnsiText(text)), text) << text.toStdString();
    for (int byte = 0x80; byte < 256; ++byte) {
        const QByteArray single(1, static_cast<char>(byte));
        const QString decoded = DecodeAnsiText(single);
        ASSERT_EQ(decoded.size(), 1) << byte;
        EXPECT_EQ(EncodeAnsiText(decoded), single) << byte;
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
        const TMessageRequest request = MessageBoxRequest("t", "c", c.Style);
        EXPECT_EQ(request.Icon, c.Icon) << c.Style;
        EXPECT_EQ(request.Buttons, c.Buttons) << c.Style;
        EXPECT_EQ(request.Text + request.Caption, QStringLiteral("tc"));
    }
}

} // namespace

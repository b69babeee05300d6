#include "app/EntryFileCheck.h"
#include "app/ErrorMessage.h"

#include "support/NLS.h"

#include "TestSupport.h"

namespace {

QByteArray Header(char version)
{
    return QByteArray("Vemora configure file\x1a", 22) + QByteArray(1, version);
}

class EntryFileCheckTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TScriptedMessages Messages;

    void ExpectRejected(const QString& fileName, quint32 textId)
    {
        EXPECT_FALSE(CheckEntryFile(fileName));
        ASSERT_EQ(Messages.Shown().size(), 1u);
        EXPECT_EQ(Messages.Shown()[0].Text, fileName + LanguageText(textId));
        EXPECT_EQ(Messages.Shown()[0].Icon, TMessageIcon::Error);
        EXPECT_TRUE(Messages.Shown()[0].EventSound);
    }
};

TEST_F(EntryFileCheckTest, AcceptsVersionsUpToTwo)
{
    for (char version : {0, 1, 2})
        EXPECT_TRUE(CheckEntryFile(Home.WriteFile(QStringLiteral("v.vkd"), Header(version) + "body")));
    EXPECT_TRUE(CheckEntryFile(Home.WriteFile(QStringLiteral("bare.vkd"), Header(2))));
    EXPECT_TRUE(Messages.Shown().empty());
    EXPECT_TRUE(IsLanguageLoaded());
}

TEST_F(EntryFileCheckTest, NamesAMissingFile)
{
    ExpectRejected(Home.FilePath(QStringLiteral("missing.vkd")), 0x406361C5);
}

TEST_F(EntryFileCheckTest, NamesAShortFile)
{
    ExpectRejected(Home.WriteFile(QStringLiteral("short.vkd"), Header(2).left(22)), 0x406361C5);
}

TEST_F(EntryFileCheckTest, NamesAFileWithAnotherMagic)
{
    ExpectRejected(Home.WriteFile(QStringLiteral("other.vkd"), QByteArray(40, 'x')), 0x406361C5);
}

TEST_F(EntryFileCheckTest, NamesAFolder)
{
    ExpectRejected(Home.Path(), 0x406361C5);
}

TEST_F(EntryFileCheckTest, NamesAFileOfANewerVersion)
{
    ExpectRejected(Home.WriteFile(QStringLiteral("new.vkd"), Header(3)), 0x4696F896);
}

TEST_F(EntryFileCheckTest, TheMessagesAreWorded)
{
    CheckEntryFile(Home.FilePath(QStringLiteral("missing.vkd")));
    ASSERT_EQ(Messages.Shown().size(), 1u);
    EXPECT_FALSE(Messages.Shown()[0].Text.contains(QStringLiteral("not found")));
    EXPECT_GT(Messages.Shown()[0].Text.size(), Home.FilePath(QStringLiteral("missing.vkd")).size() + 5);
}

TEST(MessageCaptionTest, BoxesWithoutCaptionSpeakTheLanguageLoaded)
{
    LoadLanguage(QStringLiteral(":/lang/State_DE.nls"), QStringLiteral(":/lang/Vemora_DE.nls"));
    SetDefaultCaptions(LanguageCaption);
    const std::pair<TMessageIcon, const char*> cases[] = {
        {TMessageIcon::Error, "Fehler"}, {TMessageIcon::Warning, "Warnung"},
        {TMessageIcon::Information, "Information"}, {TMessageIcon::Question, "Bestätigen"},
        {TMessageIcon::None, "Vemora"}};
    for (const auto& [icon, caption] : cases)
        EXPECT_EQ(DefaultMessageCaption(icon), QString::fromUtf8(caption));
    SetDefaultCaptions(nullptr);
    LoadLanguage(QString(), QString());
    EXPECT_EQ(DefaultMessageCaption(TMessageIcon::Error), QStringLiteral("Error"));
}

} // namespace

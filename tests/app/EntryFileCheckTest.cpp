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
};

TEST_F(EntryFileCheckTest, AcceptsVersionsUpToTwo)
{
    for (char version : {0, 1, 2})
        EXPECT_TRUE(CheckEntryFile(Home.WriteFile(QStringLiteral("v.vkd"), Header(version) + "body")));
    EXPECT_TRUE(CheckEntryFile(Home.WriteFile(QStringLiteral("bare.vkd"), Header(2))));
    EXPECT_TRUE(Messages.Shown().empty());
    EXPECT_TRUE(IsLanguageLoaded());
}

TEST_F(EntryFileCheckTest, NamesTheRejectedFileInAWordedError)
{
    const struct {
        const char* Name;
        QString File;
        quint32 TextId;
    } rows[] = {{"missing", Home.FilePath(QStringLiteral("missing.vkd")), 0x406361C5},
                {"short", Home.WriteFile(QStringLiteral("short.vkd"), Header(2).left(22)), 0x406361C5},
                {"other_magic", Home.WriteFile(QStringLiteral("other.vkd"), QByteArray(40, 'x')), 0x406361C5},
                {"folder", Home.Path(), 0x406361C5},
                {"newer_version", Home.WriteFile(QStringLiteral("new.vkd"), Header(3)), 0x4696F896}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::size_t before = Messages.Shown().size();
        EXPECT_FALSE(CheckEntryFile(row.File));
        ASSERT_EQ(Messages.Shown().size(), before + 1);
        const TMessageRequest& shown = Messages.Shown().back();
        EXPECT_EQ(shown.Text, row.File + LanguageText(row.TextId));
        EXPECT_EQ(shown.Icon, TMessageIcon::Error);
        EXPECT_TRUE(shown.EventSound);
        EXPECT_FALSE(shown.Text.contains(QStringLiteral("not found")));
        EXPECT_GT(shown.Text.size(), row.File.size() + 5) << "worded";
    }
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

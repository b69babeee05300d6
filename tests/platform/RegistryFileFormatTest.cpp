#include "platform/RegistryFileFormat.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const QString Root = QStringLiteral("HKEY_CURRENT_USER");

TRegistryTree SampleTree()
{
    TRegistryTree tree;
    const QString key = QStringLiteral("Software\\Orvalin\\Vemora\\2\\1");
    tree.AddKey(key);
    tree.AddKey(QStringLiteral("Software\\Empty Key"));
    tree.SetValue(key, QStringLiteral("Text"), TRegistryValue::String(QStringLiteral("say \"hi\" C:\\x ä €")));
    tree.SetValue(key, QString(), TRegistryValue::String(QStringLiteral("8")));
    tree.SetValue(key, QStringLiteral("Two Lines"), TRegistryValue::String(QStringLiteral("a\nb\tc")));
    tree.SetValue(key, QStringLiteral("Flag"), TRegistryValue::Dword(0xfffffffe));
    tree.SetValue(key, QStringLiteral("Moment"), TRegistryValue::Binary(QByteArray("\x00\x01\xff", 3)));
    tree.SetValue(key, QStringLiteral("Nothing"), TRegistryValue::Binary(QByteArray()));
    tree.SetValue(key, QStringLiteral("Expand"), TRegistryValue::String(QStringLiteral("%HOME%"), REG_EXPAND_SZ));
    tree.SetValue(key, QStringLiteral("Odd"), TRegistryValue{REG_SZ, QByteArray("x", 1)});
    return tree;
}

TEST(RegistryFileFormatTest, EveryValueSurvivesARoundTrip)
{
    const TRegistryTree tree = SampleTree();
    const TRegistryParseResult parsed = ParseRegistryFile(FormatRegistryFile(tree, Root), Root);
    ASSERT_TRUE(parsed.Tree) << parsed.Error.toStdString();
    ASSERT_EQ(parsed.Tree->Keys().size(), tree.Keys().size());
    for (const TRegistryTree::TKey* key : tree.Keys()) {
        const TRegistryTree::TKey* read = parsed.Tree->FindKey(key->Path);
        ASSERT_NE(read, nullptr) << key->Path.toStdString();
        EXPECT_EQ(read->Values, key->Values) << key->Path.toStdString();
    }
}

TEST(RegistryFileFormatTest, WritesReadableText)
{
    const QString text = QString::fromUtf8(FormatRegistryFile(SampleTree(), Root));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Windows Registry Editor Version 5.00\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[HKEY_CURRENT_USER\\Software\\Orvalin\\Vemora\\2\\1]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Text\"=\"say \\\"hi\\\" C:\\\\x ä €\"\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("@=\"8\"\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Flag\"=dword:fffffffe\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Moment\"=hex:00,01,ff\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Expand\"=hex(2):25,00,48,00")));
    // A line break in a string must never start a line of its own.
    EXPECT_FALSE(text.contains(QStringLiteral("\nb\tc")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Two Lines\"=hex(1):61,00,0a,00,62,00,09,00,63,00,00,00\n")));
}

TEST(RegistryFileFormatTest, ReadsExportsWithContinuedHexLinesAndComments)
{
    const QByteArray content = "Windows Registry Editor Version 5.00\r\n\r\n"
                               "; written by hand\r\n"
                               "[HKEY_CURRENT_USER\\A\\B]\r\n"
                               "\"Order\"=hex:00,00,00,00,01,00,\\\r\n"
                               "  00,00\r\n"
                               "\"Count\"=dword:7\r\n";
    const TRegistryParseResult parsed = ParseRegistryFile(content, Root);
    ASSERT_TRUE(parsed.Tree) << parsed.Error.toStdString();
    EXPECT_TRUE(parsed.Tree->HasKey(QStringLiteral("A")));
    const TRegistryValue* order = parsed.Tree->FindValue(QStringLiteral("a\\b"), QStringLiteral("ORDER"));
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->Data, QByteArray("\x00\x00\x00\x00\x01\x00\x00\x00", 8));
    EXPECT_EQ(parsed.Tree->FindValue(QStringLiteral("A\\B"), QStringLiteral("Count"))->ToDword(), 7u);
}

struct TDamagedCase {
    const char* Name;
    const char* Content;
};

class DamagedRegistryFileTest : public testing::TestWithParam<TDamagedCase> {};

TEST_P(DamagedRegistryFileTest, IsRejectedWithAReason)
{
    const TRegistryParseResult parsed = ParseRegistryFile(QByteArray(GetParam().Content), Root);
    EXPECT_FALSE(parsed.Tree);
    EXPECT_FALSE(parsed.Error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedRegistryFileTest,
    testing::Values(TDamagedCase{"empty", ""}, TDamagedCase{"no_header", "[HKEY_CURRENT_USER\\A]\n"},
                    TDamagedCase{"value_before_key", "Windows Registry Editor Version 5.00\n\"a\"=\"b\"\n"},
                    TDamagedCase{"foreign_root", "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]\n"},
                    TDamagedCase{"unclosed_key", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A\n"},
                    TDamagedCase{"unclosed_string",
                                 "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\n"},
                    TDamagedCase{"bad_hex", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:0g\n"},
                    TDamagedCase{"long_dword",
                                 "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:123456789\n"},
                    TDamagedCase{"garbage_line", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\nhello\n"},
                    TDamagedCase{"invalid_utf8", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\\xff]\n"}),
    [](const testing::TestParamInfo<TDamagedCase>& info) { return std::string(info.param.Name); });

TEST(RegistryTreeTest, KeysAndValuesIgnoreLetterCase)
{
    TRegistryTree tree;
    tree.AddKey(QStringLiteral("Software\\Orvalin"));
    tree.SetValue(QStringLiteral("SOFTWARE\\orvalin"), QStringLiteral("Name"), TRegistryValue::Dword(1));
    tree.SetValue(QStringLiteral("Software\\Orvalin"), QStringLiteral("NAME"), TRegistryValue::Dword(2));
    EXPECT_EQ(tree.FindKey(QStringLiteral("software\\ORVALIN"))->Values.size(), 1);
    EXPECT_EQ(tree.FindValue(QStringLiteral("Software\\Orvalin"), QStringLiteral("name"))->ToDword(), 2u);
    EXPECT_EQ(tree.SubKeyNames(QStringLiteral("software")), QStringList{QStringLiteral("Orvalin")});
}

TEST(RegistryTreeTest, RemovesOnlyKeysWithoutSubkeys)
{
    TRegistryTree tree;
    tree.AddKey(QStringLiteral("A\\B\\C"));
    tree.AddKey(QStringLiteral("A B"));
    EXPECT_FALSE(tree.RemoveKey(QStringLiteral("A\\B")));
    EXPECT_TRUE(tree.RemoveKey(QStringLiteral("A\\B\\C")));
    EXPECT_TRUE(tree.RemoveKey(QStringLiteral("A\\B")));
    EXPECT_EQ(tree.SubKeyNames(QString()), (QStringList{QStringLiteral("A"), QStringLiteral("A B")}));
    EXPECT_FALSE(tree.RemoveKey(QStringLiteral("Missing")));
}

} // namespace

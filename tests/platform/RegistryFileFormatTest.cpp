#include "platform/RegistryFileFormat.h"
#include "TestSupport.h"


namespace {

const QString Root = QStringLiteral("HKEY_CURRENT_USER");

TRegistryTree SampleTree()
{
    TRegistryTree tree;
    const QString key = QStringLiteral("Software\\Orvalin\\Vemora\\2\\1");
    tree.AddKey(key);
    tree.AddKey("Software\\Empty Key");
    tree.SetValue(key, "Text", TRegistryValue::String("say \"hi\" C:\\x ä €"));
    tree.SetValue(key, QString(), TRegistryValue::String("8"));
    tree.SetValue(key, "Two Lines", TRegistryValue::String("a\nb\tc"));
    tree.SetValue(key, "Flag", TRegistryValue::Dword(0xfffffffe));
    tree.SetValue(key, "Moment", TRegistryValue::Binary(QByteArray("\x00\x01\xff", 3)));
    tree.SetValue(key, "Nothing", TRegistryValue::Binary(QByteArray()));
    tree.SetValue(key, "Expand", TRegistryValue::String("%HOME%", REG_EXPAND_SZ));
    tree.SetValue(key, "Odd", TRegistryValue{REG_SZ, QByteArray("x", 1)});
    return tree;
}

TEST(RegistryFileFormatTest, WritesReadableTextThatReadsBackExactly)
{
    const TRegistryTree tree = SampleTree();
    const QByteArray bytes = FormatRegistryFile(tree, Root);
    const QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00\n"));
    for (const char* line : {"[HKEY_CURRENT_USER\\Software\\Orvalin\\Vemora\\2\\1]\n",
                             "\"Text\"=\"say \\\"hi\\\" C:\\\\x ä €\"\n", "@=\"8\"\n", "\"Flag\"=dword:fffffffe\n",
                             "\"Moment\"=hex:00,01,ff\n", "\"Expand\"=hex(2):25,00,48,00",
                             "\"Two Lines\"=hex(1):61,00,0a,00,62,00,09,00,63,00,00,00\n"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;
    // A line break in a string must never start a line of its own.
    EXPECT_FALSE(text.contains("\nb\tc"));

    const TRegistryParseResult parsed = ParseRegistryFile(bytes, Root);
    ASSERT_TRUE(parsed.Tree) << parsed.Error.toStdString();
    ASSERT_EQ(parsed.Tree->Keys().size(), tree.Keys().size());
    for (const TRegistryTree::TKey* key : tree.Keys()) {
        const TRegistryTree::TKey* read = parsed.Tree->FindKey(key->Path);
        ASSERT_NE(read, nullptr) << key->Path.toStdString();
        EXPECT_EQ(read->Values, key->Values) << key->Path.toStdString();
    }
}

TEST(RegistryFileFormatTest, ReadsExportsWithContinuedHexLinesAndComments)
{
    const TRegistryParseResult parsed = ParseRegistryFile("Windows Registry Editor Version 5.00\r\n\r\n"
                                                          "; written by hand\r\n"
                                                          "[HKEY_CURRENT_USER\\A\\B]\r\n"
                                                          "\"Order\"=hex:00,00,00,00,01,00,\\\r\n"
                                                          "  00,00\r\n"
                                                          "\"Count\"=dword:7\r\n",
                                                          Root);
    ASSERT_TRUE(parsed.Tree) << parsed.Error.toStdString();
    EXPECT_TRUE(parsed.Tree->HasKey("A"));
    const TRegistryValue* order = parsed.Tree->FindValue("a\\b", "ORDER");
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->Data, QByteArray("\x00\x00\x00\x00\x01\x00\x00\x00", 8));
    EXPECT_EQ(parsed.Tree->FindValue("A\\B", "Count")->ToDword(), 7u);
}

TEST(RegistryFileFormatTest, DamagedFilesAreRejectedWithAReason)
{
    const QByteArray header = "Windows Registry Editor Version 5.00\n";
    const QByteArray key = header + "[HKEY_CURRENT_USER\\A]\n";
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", ""},
        {"no header", "[HKEY_CURRENT_USER\\A]\n"},
        {"value before key", header + "\"a\"=\"b\"\n"},
        {"foreign root", header + "[HKEY_LOCAL_MACHINE\\A]\n"},
        {"unclosed key", header + "[HKEY_CURRENT_USER\\A\n"},
        {"unclosed string", key + "\"a\"=\"b\n"},
        {"bad hex", key + "\"a\"=hex:0g\n"},
        {"long dword", key + "\"a\"=dword:123456789\n"},
        {"garbage line", key + "hello\n"},
        {"invalid utf-8", header + "[HKEY_CURRENT_USER\\\xff]\n"},
    };
    for (const auto& [name, content] : cases) {
        const TRegistryParseResult parsed = ParseRegistryFile(content, Root);
        EXPECT_FALSE(parsed.Tree) << name;
        EXPECT_FALSE(parsed.Error.isEmpty()) << name;
    }
}

TEST(RegistryTreeTest, NamesIgnoreLetterCaseAndOnlyKeysWithoutSubkeysGo)
{
    TRegistryTree tree;
    tree.AddKey("Software\\Orvalin\\C");
    tree.AddKey("Software\\Orvalin B");
    tree.SetValue("SOFTWARE\\orvalin", "Name", TRegistryValue::Dword(1));
    tree.SetValue("Software\\Orvalin", "NAME", TRegistryValue::Dword(2));
    EXPECT_EQ(tree.FindKey("software\\ORVALIN")->Values.size(), 1);
    EXPECT_EQ(tree.FindValue("Software\\Orvalin", "name")->ToDword(), 2u);
    EXPECT_FALSE(tree.RemoveKey("Software\\Orvalin"));
    EXPECT_TRUE(tree.RemoveKey("software\\orvalin\\c"));
    EXPECT_TRUE(tree.RemoveKey("Software\\Orvalin"));
    EXPECT_EQ(tree.SubKeyNames("software"), QStringList{"Orvalin B"});
    EXPECT_FALSE(tree.RemoveKey("Missing"));
}

} // namespace

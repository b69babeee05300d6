#include "settings/FormEx.h"

#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <optional>

namespace {

// A form as the program's dialogs build it, counting font changes.
class TProbeForm : public TFormEx {
public:
    explicit TProbeForm(const QString& name = QStringLiteral("FormProbe"))
    {
        setObjectName(name);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(First);
        layout->addWidget(Second);
    }

    void PersistFontChanged() override { ++FontChanges; }

    QLineEdit* First = new QLineEdit(this);
    QLineEdit* Second = new QLineEdit(this);
    int FontChanges = 0;
};

class FormExTest : public testing::Test {
protected:
    TTemporaryHome Home;

    // The keys below the store's application key, as the settings file holds them.
    static QStringList KeysOf(TFormExCore& form, const QString& key)
    {
        TApplicationReg& store = form.GetRegistry();
        if (!store.OpenAppKey(AppRootCurrentUser, key, false))
            return {};
        const QStringList names = store.GetKeyNames();
        store.CloseKey();
        return names;
    }
};

TEST_F(FormExTest, PlacementReturnsUnderTheFormsNameAndTheFontOnlyWithAFontKey)
{
    {
        TProbeForm saved;
        saved.SetFontKey("Font");
        saved.setGeometry(40, 50, 300, 200);
        saved.SetPersistFont(QFont("DejaVu Serif", 15));
        saved.SaveState();
        TProbeForm other("FormOther");
        other.setGeometry(10, 10, 200, 100);
        other.SaveState();
        EXPECT_EQ(KeysOf(saved, "FormProbe"), QStringList{"Font"});
        EXPECT_TRUE(KeysOf(other, "FormOther").isEmpty());
    }
    TProbeForm restored;
    restored.SetFontKey("Font");
    restored.LoadState();
    EXPECT_EQ(restored.geometry(), QRect(40, 50, 300, 200));
    EXPECT_EQ(restored.font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(restored.font().pointSize(), 15);
    EXPECT_EQ(restored.FontChanges, 1);

    TProbeForm withoutFontKey;
    const QFont before = withoutFontKey.font();
    withoutFontKey.LoadState();
    EXPECT_EQ(withoutFontKey.font(), before);
    EXPECT_EQ(withoutFontKey.FontChanges, 0);

    TProbeForm other("FormOther");
    other.LoadState();
    EXPECT_EQ(other.geometry(), QRect(10, 10, 200, 100)) << "another name, another key";
}

TEST_F(FormExTest, ADamagedStoreLeavesTheDesignValues)
{
    Home.WriteFile(QDir(Home.Path()).relativeFilePath(Home.RegistryFile()), "\xff\xfe not a registry file [[[");
    TProbeForm form;
    form.setGeometry(15, 25, 250, 150);
    form.LoadState();
    form.SaveState();
    EXPECT_EQ(form.geometry(), QRect(15, 25, 250, 150));
}

TEST_F(FormExTest, FormsUseTheMainFormsStore)
{
    TProbeForm main("FormMain");
    TProbeForm dialog("FormDialog");
    EXPECT_NE(&dialog.GetRegistry(), &main.GetRegistry()) << "no main form: each its own";
    SetApplicationMainForm(&main);
    EXPECT_EQ(&dialog.GetRegistry(), &main.GetRegistry());
    EXPECT_EQ(ApplicationMainForm(), &main);
    SetApplicationMainForm(nullptr);
}

// A -1 in a size stands for the screen's size; no size: the form keeps Qt's default limit.
TEST(FormExTrackSizeTest, LimitsTheForm)
{
    const struct {
        const char* Name;
        std::vector<std::pair<int, int>> Calls; // which, value
        std::optional<QSize> Minimum;
        std::optional<QSize> Maximum;
    } cases[] = {
        {"main window minimum", {{0, 132}, {1, 136}}, QSize(132, 136), std::nullopt},
        {"only a maximum width", {{2, 500}}, std::nullopt, QSize(500, -1)},
        {"only a minimum height", {{1, 171}}, QSize(-1, 171), std::nullopt},
        {"fixed height, minimum width", {{1, 171}, {3, 171}, {0, 246}}, QSize(246, 171), QSize(-1, 171)},
        {"an unchanged zero sets nothing", {{0, 0}}, std::nullopt, std::nullopt},
        {"an index out of range is ignored", {{4, 10}, {-1, 10}}, std::nullopt, std::nullopt},
    };
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const auto expected = [&](const std::optional<QSize>& size, QSize unset) {
        if (!size)
            return unset;
        return QSize(size->width() == -1 ? screen.width() : size->width(),
                     size->height() == -1 ? screen.height() : size->height());
    };
    for (const auto& c : cases) {
        TProbeForm form;
        const QSize defaultMinimum = form.minimumSize();
        const QSize defaultMaximum = form.maximumSize();
        for (const auto& [which, value] : c.Calls)
            form.SetTrackSize(which, value);
        EXPECT_EQ(form.minimumSize(), expected(c.Minimum, defaultMinimum)) << c.Name;
        EXPECT_EQ(form.maximumSize(), expected(c.Maximum, defaultMaximum)) << c.Name;
    }
}

TEST(FormExFocusTest, TheFocusControlTakesTheFocusWhenShownIfEnabled)
{
    for (const bool enabled : {true, false}) {
        TProbeForm form;
        form.Second->setEnabled(enabled);
        form.SetFocusOnShow(form.Second);
        form.show();
        QApplication::processEvents();
        EXPECT_EQ(form.focusWidget() == form.Second, enabled);
    }
}

TEST(FormExWaitTest, TheWaitCursorIsRestoredAlsoWhenTheFormGoesAway)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        TProbeForm form;
        form.BeginWait();
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        form.EndWait();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        form.EndWait(); // one too many changes nothing
        form.BeginWait();
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace

#include "settings/FormEx.h"

#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
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
        First = new QLineEdit(this);
        Second = new QLineEdit(this);
        layout->addWidget(First);
        layout->addWidget(Second);
    }

    void PersistFontChanged() override { ++FontChanges; }

    QLineEdit* First;
    QLineEdit* Second;
    int FontChanges = 0;
};

class FormExTest : public testing::Test {
protected:
    TTemporaryHome Home;

    // The keys below the store's application key, as the settings file holds them.
    QStringList KeysOf(TFormExCore& form, const QString& key)
    {
        TApplicationReg& store = form.GetRegistry();
        if (!store.OpenAppKey(AppRootCurrentUser, key, false))
            return {};
        const QStringList names = store.GetKeyNames();
        store.CloseKey();
        return names;
    }
};

TEST_F(FormExTest, PlacementAndFontReturnUnderTheFormsName)
{
    QFont font(QStringLiteral("DejaVu Serif"), 15);
    {
        TProbeForm saved;
        saved.SetFontKey(QStringLiteral("Font"));
        saved.setGeometry(40, 50, 300, 200);
        saved.SetPersistFont(font);
        saved.SaveState();
        EXPECT_EQ(KeysOf(saved, QString()), QStringList{QStringLiteral("FormProbe")});
        EXPECT_EQ(KeysOf(saved, QStringLiteral("FormProbe")), QStringList{QStringLiteral("Font")});
    }
    TProbeForm restored;
    restored.SetFontKey(QStringLiteral("Font"));
    restored.LoadState();
    EXPECT_EQ(restored.geometry(), QRect(40, 50, 300, 200));
    EXPECT_EQ(restored.font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(restored.font().pointSize(), 15);
    EXPECT_EQ(restored.FontChanges, 1);

    TProbeForm other(QStringLiteral("FormOther"));
    other.LoadState();
    EXPECT_NE(other.geometry(), QRect(40, 50, 300, 200)) << "another name, another key";
}

TEST_F(FormExTest, WithoutAFontKeyNoFontIsReadOrWritten)
{
    TProbeForm form;
    form.setGeometry(10, 10, 200, 100);
    form.SaveState();
    EXPECT_TRUE(KeysOf(form, QStringLiteral("FormProbe")).isEmpty());

    TApplicationReg& store = form.GetRegistry();
    ASSERT_TRUE(store.OpenAppKey(AppRootCurrentUser, QStringLiteral("FormProbe\\Font"), true));
    const QFont stored(QStringLiteral("DejaVu Serif"), 21);
    ASSERT_TRUE(store.WriteFont(&stored));
    store.CloseKey();
    const QFont before = form.font();
    form.LoadState();
    EXPECT_EQ(form.font(), before);
    EXPECT_EQ(form.FontChanges, 0);
}

TEST_F(FormExTest, AMaximisedFormReopensMaximisedWithItsNormalRectangle)
{
    {
        TProbeForm saved;
        saved.setGeometry(30, 40, 320, 210);
        saved.showMaximized();
        QApplication::processEvents();
        saved.SaveState();
    }
    TProbeForm restored;
    restored.LoadState();
    EXPECT_TRUE(restored.windowState() & Qt::WindowMaximized);
    restored.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(restored.geometry(), QRect(30, 40, 320, 210));
}

// A newer design size of a fixed dialog wins over a rectangle stored by an older one.
TEST_F(FormExTest, AFixedSizeFormIgnoresAStoredRectangleOfAnotherSize)
{
    {
        TProbeForm saved;
        saved.setFixedSize(349, 210);
        saved.move(20, 20);
        saved.SaveState();
    }
    TProbeForm redesigned;
    redesigned.setFixedSize(380, 230);
    redesigned.move(60, 70);
    redesigned.LoadState();
    EXPECT_EQ(redesigned.geometry(), QRect(60, 70, 380, 230));

    TProbeForm unchanged;
    unchanged.setFixedSize(349, 210);
    unchanged.LoadState();
    EXPECT_EQ(unchanged.geometry(), QRect(20, 20, 349, 210));
}

TEST_F(FormExTest, ADamagedStoreLeavesTheDesignValues)
{
    QDir().mkpath(QFileInfo(Home.RegistryFile()).path());
    QFile damaged(Home.RegistryFile());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\xff\xfe not a registry file [[[");
    damaged.close();
    TProbeForm form;
    form.setGeometry(15, 25, 250, 150);
    form.LoadState();
    form.SaveState();
    EXPECT_EQ(form.geometry(), QRect(15, 25, 250, 150));
}

// A -1 in a size stands for the screen's size; no size: the form keeps Qt's default limit.
struct TTrackCase {
    const char* Name;
    std::vector<std::pair<int, int>> Calls; // which, value
    std::optional<QSize> Minimum;
    std::optional<QSize> Maximum;
};

class TrackSizeTest : public testing::TestWithParam<TTrackCase> {};

TEST_P(TrackSizeTest, LimitsTheForm)
{
    TProbeForm form;
    const QSize defaultMinimum = form.minimumSize();
    const QSize defaultMaximum = form.maximumSize();
    for (const auto& [which, value] : GetParam().Calls)
        form.SetTrackSize(which, value);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const auto expected = [&](const std::optional<QSize>& size, QSize unset) {
        if (!size)
            return unset;
        return QSize(size->width() == -1 ? screen.width() : size->width(),
                     size->height() == -1 ? screen.height() : size->height());
    };
    EXPECT_EQ(form.minimumSize(), expected(GetParam().Minimum, defaultMinimum));
    EXPECT_EQ(form.maximumSize(), expected(GetParam().Maximum, defaultMaximum));
}

INSTANTIATE_TEST_SUITE_P(
    Calls, TrackSizeTest,
    testing::Values(TTrackCase{"main_window_minimum", {{0, 132}, {1, 136}}, QSize(132, 136), std::nullopt},
                    TTrackCase{"only_a_maximum_width", {{2, 500}}, std::nullopt, QSize(500, -1)},
                    TTrackCase{"only_a_minimum_height", {{1, 171}}, QSize(-1, 171), std::nullopt},
                    TTrackCase{"fixed_height_minimum_width", {{1, 171}, {3, 171}, {0, 246}}, QSize(246, 171),
                               QSize(-1, 171)},
                    TTrackCase{"an_unchanged_zero_sets_nothing", {{0, 0}}, std::nullopt, std::nullopt},
                    TTrackCase{"an_index_out_of_range_is_ignored", {{4, 10}, {-1, 10}}, std::nullopt, std::nullopt}),
    [](const testing::TestParamInfo<TTrackCase>& info) { return std::string(info.param.Name); });

TEST(FormExFocusTest, TheFocusControlTakesTheFocusWhenShownIfEnabled)
{
    TProbeForm form;
    form.SetFocusOnShow(form.Second);
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.focusWidget(), form.Second);
    form.hide();

    TProbeForm disabled;
    disabled.Second->setEnabled(false);
    disabled.SetFocusOnShow(disabled.Second);
    disabled.show();
    QApplication::processEvents();
    EXPECT_NE(disabled.focusWidget(), disabled.Second);
}

TEST_F(FormExTest, FormsUseTheMainFormsStore)
{
    TProbeForm main(QStringLiteral("FormMain"));
    TProbeForm dialog(QStringLiteral("FormDialog"));
    EXPECT_NE(&dialog.GetRegistry(), &main.GetRegistry()) << "no main form: each its own";
    SetApplicationMainForm(&main);
    EXPECT_EQ(&dialog.GetRegistry(), &main.GetRegistry());
    EXPECT_EQ(ApplicationMainForm(), &main);
    SetApplicationMainForm(nullptr);
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

#include "settings/FormEx.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

TFormExCore* MainForm = nullptr;

QSize ScreenSize(const QWidget& form)
{
    const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

} // namespace

TFormExCore* ApplicationMainForm()
{
    return MainForm;
}

void SetApplicationMainForm(TFormExCore* form)
{
    MainForm = form;
}

TFormExCore::TFormExCore(QWidget& form)
    : m_Form(form)
{
}

TFormExCore::~TFormExCore()
{
    if (MainForm == this)
        MainForm = nullptr;
    while (m_Waiting > 0)
        EndWait();
}

TApplicationReg& TFormExCore::GetRegistry()
{
    if (MainForm && MainForm != this)
        return MainForm->GetRegistry();
    if (!m_OwnStore)
        m_OwnStore = std::make_unique<TApplicationReg>();
    return *m_OwnStore;
}

QFont TFormExCore::GetPersistFont() const
{
    return m_Form.font();
}

void TFormExCore::SetPersistFont(const QFont& font)
{
    if (font == m_Form.font())
        return;
    m_Form.setFont(font);
    PersistFontChanged();
}

// A key that cannot be opened, or a damaged store, leaves the design values.
void TFormExCore::LoadState()
{
    TApplicationReg& store = GetRegistry();
    const QString name = m_Form.objectName();
    try {
        if (store.OpenAppKey(AppRootCurrentUser, name, false)) {
            store.RestorePlacement(&m_Form);
            store.CloseKey();
        }
        if (!m_FontKey.isEmpty() && store.OpenAppKey(AppRootCurrentUser, CombineKeyPath(name, m_FontKey), false)) {
            QFont font = GetPersistFont();
            if (store.ReadFont(&font))
                SetPersistFont(font);
            store.CloseKey();
        }
    } catch (const ERegistryException&) {
        store.CloseKey();
    }
}

void TFormExCore::SaveState()
{
    TApplicationReg& store = GetRegistry();
    const QString name = m_Form.objectName();
    try {
        if (store.OpenAppKey(AppRootCurrentUser, name, true)) {
            store.SavePlacement(&m_Form);
            store.CloseKey();
        }
        if (!m_FontKey.isEmpty() && store.OpenAppKey(AppRootCurrentUser, CombineKeyPath(name, m_FontKey), true)) {
            const QFont font = GetPersistFont();
            store.WriteFont(&font);
            store.CloseKey();
        }
    } catch (const ERegistryException&) {
        store.CloseKey();
    }
}

void TFormExCore::BeginWait()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_Waiting;
}

void TFormExCore::EndWait()
{
    if (m_Waiting == 0)
        return;
    --m_Waiting;
    QGuiApplication::restoreOverrideCursor();
}

void TFormExCore::SetTrackSize(int which, int value)
{
    if (which < 0 || which > 3 || m_TrackSizes[static_cast<std::size_t>(which)] == value)
        return;
    m_TrackSizes[static_cast<std::size_t>(which)] = value;
    const int partner = which ^ 1;
    const bool width = which % 2 == 0;
    int& partnerValue = m_TrackSizes[static_cast<std::size_t>(partner)];
    if (partnerValue == 0) {
        const QSize screen = ScreenSize(m_Form);
        partnerValue = width ? screen.height() : screen.width();
    }
    (which < 2 ? m_MinimumSet : m_MaximumSet) = true;
    ApplyTrackSizes();
}

void TFormExCore::ApplyTrackSizes()
{
    if (m_MinimumSet)
        m_Form.setMinimumSize(m_TrackSizes[0], m_TrackSizes[1]);
    if (m_MaximumSet)
        m_Form.setMaximumSize(m_TrackSizes[2], m_TrackSizes[3]);
}

void TFormExCore::KeepOnScreen()
{
    const QScreen* screen = m_Form.screen();
    if (!screen || m_Form.isMaximized() || m_Form.isFullScreen())
        return;
    const QRect area = screen->availableGeometry();
    // Before its first show the window manager's frame is unknown: room for a title bar.
    QMargins frame(m_Form.geometry().left() - m_Form.frameGeometry().left(), m_Form.geometry().top() - m_Form.frameGeometry().top(),
                   m_Form.frameGeometry().right() - m_Form.geometry().right(), m_Form.frameGeometry().bottom() - m_Form.geometry().bottom());
    if (frame.isNull())
        frame = QMargins(4, 30, 4, 4);
    const QSize room = area.size().shrunkBy(frame).expandedTo(m_Form.minimumSize());
    if (!room.isValid())
        return;
    const QSize size = m_Form.size().boundedTo(room);
    if (size != m_Form.size())
        m_Form.resize(size);
    const QRect outer(m_Form.pos(), size.grownBy(frame)); // a window's pos() is that of its frame
    const int left = std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() - outer.width() + 1));
    const int top = std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() - outer.height() + 1));
    if (left != outer.left() || top != outer.top())
        m_Form.move(left, top);
}

void TFormExCore::GiveFocusOnShow()
{
    if (m_FocusOnShow && m_FocusOnShow->isEnabled())
        m_FocusOnShow->setFocus();
}

#pragma once

#include "settings/RegFunc.h"

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <QShowEvent>

#include <array>
#include <memory>

class QShowEvent;

// What the program's own windows share, whatever Qt window class they are: access to the
// settings store, placement and font kept under the window's object name, size limits, the
// control that takes the focus when the window is shown, and the wait cursor.
class TFormExCore {
public:
    explicit TFormExCore(QWidget& form);
    virtual ~TFormExCore();
    TFormExCore(const TFormExCore&) = delete;
    TFormExCore& operator=(const TFormExCore&) = delete;

    // The main form's store; the form's own (created on first use) when it is the main form or
    // there is none.
    virtual TApplicationReg& GetRegistry();
    virtual QFont GetPersistFont() const;
    virtual void SetPersistFont(const QFont& font);
    virtual void PersistFontChanged() {}
    virtual void LoadState();
    virtual void SaveState();
    virtual void BeginWait();
    virtual void EndWait();

    // which: 0 minimum width, 1 minimum height, 2 maximum width, 3 maximum height.
    void SetTrackSize(int which, int value);
    int TrackSize(int which) const { return m_TrackSizes.at(static_cast<std::size_t>(which)); }

    QWidget* FocusOnShow() const { return m_FocusOnShow; }
    void SetFocusOnShow(QWidget* control) { m_FocusOnShow = control; }
    // The subkey below the form's key that holds its font; empty: the font is not kept.
    const QString& FontKey() const { return m_FontKey; }
    void SetFontKey(const QString& key) { m_FontKey = key; }

    QWidget& Form() const { return m_Form; }

protected:
    // Called by the window before Qt's own show handling.
    void GiveFocusOnShow();
    // A stored or design size larger than the screen's free area is cut to it, and the window
    // moved wholly onto the screen, so that nothing of it (the status bar) lies past an edge.
    void KeepOnScreen();

private:
    void ApplyTrackSizes();

    QWidget& m_Form;
    std::array<int, 4> m_TrackSizes{};
    bool m_MinimumSet = false;
    bool m_MaximumSet = false;
    QPointer<QWidget> m_FocusOnShow;
    QString m_FontKey;
    std::unique_ptr<TApplicationReg> m_OwnStore;
    int m_Waiting = 0;
};

// The form whose store the others use; the main window registers itself.
TFormExCore* ApplicationMainForm();
void SetApplicationMainForm(TFormExCore* form);

// The one kept instance of a dialog, made on first use as a child of the main form when there
// is one, so that it goes with the main window.
template <typename TDialog>
TDialog& KeptForm(QPointer<TDialog>& instance)
{
    if (!instance) {
        TFormExCore* main = ApplicationMainForm();
        instance = new TDialog(main ? &main->Form() : nullptr);
    }
    return *instance;
}

template <typename TBase>
class TFormExOf : public TBase, public TFormExCore {
public:
    explicit TFormExOf(QWidget* parent = nullptr)
        : TBase(parent)
        , TFormExCore(static_cast<QWidget&>(*this))
    {
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        if (!event->spontaneous())
            KeepOnScreen();
        GiveFocusOnShow();
        TBase::showEvent(event);
    }
};

// The dialogs of the program; the main window uses TFormExOf<QMainWindow>.
using TFormEx = TFormExOf<QDialog>;

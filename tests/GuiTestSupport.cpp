#include "GuiTestSupport.h"

#include "support/NLS.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>

void Click(QAbstractButton* button)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
    // Check boxes and radio buttons react to their indicator and text, which a layout may leave
    // far left of the middle of a stretched button.
    const bool indicator = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint point = indicator ? QPoint(std::min(8, button->width() / 2), button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, point);
}

void TypeInto(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void WhenModalOpens(std::function<void(QWidget& modal)> action, int timeLimitMs)
{
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    constexpr int step = 10;
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before.data() && modal->isVisible()) {
            timer->deleteLater();
            timer->stop();
            action(*modal);
            return;
        }
        *waited += step;
        if (*waited > timeLimitMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window opened within " << timeLimitMs << " ms";
        }
    });
    timer->start(step);
}

void PickFileInNextDialog(const QString& path)
{
    WhenModalOpens([path](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        if (!dialog) {
            ADD_FAILURE() << "the modal window is no file dialog: " << modal.objectName().toStdString();
            return;
        }
        // As a user types it: selectFile leaves a focused name field alone.
        auto* name = Child<QLineEdit>(*dialog, QStringLiteral("fileNameEdit"));
        if (!name)
            return;
        name->setText(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept is protected
    });
}

void CloseNextModal(const QString& buttonName)
{
    WhenModalOpens([buttonName](QWidget& modal) {
        if (!buttonName.isEmpty()) {
            if (auto* button = Child<QAbstractButton>(modal, buttonName))
                button->click();
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(&modal))
            dialog->reject();
        else
            modal.close();
    });
}

QString GrabToPng(QWidget& window, const QString& name)
{
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    const QString directory = QStringLiteral(VEMORA_SCREENSHOT_DIR);
    if (!QDir().mkpath(directory))
        return QString();
    const QString path = QDir(directory).filePath(name + QStringLiteral(".png"));
    return window.grab().save(path) ? path : QString();
}

void UseLanguage(const QString& code)
{
    const QString country = code == QLatin1String("DE") ? QStringLiteral("DE") : QStringLiteral("GB");
    LoadLanguage(QStringLiteral(":/lang/State_%1.nls").arg(country), QStringLiteral(":/lang/Vemora_%1.nls").arg(code));
}

bool ActivateAgain(QWidget& window)
{
    int stayed = 0;
    for (int tries = 0; tries < 100 && stayed < 3; ++tries) {
        QTest::qWait(20);
        if (QApplication::activeWindow() == &window) {
            ++stayed;
        } else {
            stayed = 0;
            window.activateWindow();
        }
    }
    return stayed >= 3;
}

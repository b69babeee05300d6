#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

class QAbstractButton;
class QLineEdit;

// The child of root with the object name and type; a missing child fails the test.
template <typename T>
T* Child(const QObject& root, const QString& name)
{
    T* child = root.findChild<T*>(name);
    if (!child)
        ADD_FAILURE() << "no child " << name.toStdString() << " of the expected type in "
                      << root.objectName().toStdString();
    return child;
}

// A left click in the middle of the button, as a user gives it.
void Click(QAbstractButton* button);
// Replaces the text of the edit by typing.
void TypeInto(QLineEdit* edit, const QString& text);

// Runs action on the next modal window that opens after this call (while the code under test
// waits in its exec), once. A window that does not open within the time limit fails the test.
void WhenModalOpens(std::function<void(QWidget& modal)> action, int timeLimitMs = 5000);
// Picks path in the next file dialog that opens and accepts it.
void PickFileInNextDialog(const QString& path);
// Closes the next modal window with the button of that object name or, without one, rejects it.
void CloseNextModal(const QString& buttonName = QString());
// Makes window the active one again after a dialog closed, and waits until it stays so: on a
// busy machine the closed dialog's own activation can still arrive, offscreen, and would take
// the keys that follow.
bool ActivateAgain(QWidget& window);

// Shows the window, lets it lay out, and writes it to <build>/screenshots/<name>.png; returns
// the file's path, empty when it could not be written.
QString GrabToPng(QWidget& window, const QString& name);

// Loads a shipped language ("EN", "DE") with its first country, as a user's choice would.
void UseLanguage(const QString& code);

#pragma once

#include <QList>

class QAction;
class QMenu;
class QWidget;

// Accelerator letters for the captions of labels, buttons (push buttons, check boxes, radio
// buttons) and group boxes, in the given order; other widgets and null pointers are skipped.
void AssignHotKeys(const QList<QWidget*>& controls);

// The same for menu items: separators are skipped, and only the text before a tab (the
// shortcut shown at the right) takes part.
void AssignHotKeys(const QList<QAction*>& actions);
void AssignHotKeys(QMenu* menu);

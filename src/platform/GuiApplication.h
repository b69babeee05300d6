#pragma once

class QApplication;

// The program starts the GUI toolkit only when it shows something: a logon check with
// nothing due ends without it.
void SetGuiArguments(int& argc, char** argv);
// The application object, created on first use from the arguments given before.
QApplication& EnsureGuiApplication();
// Destroys an application object made here; windows must be gone by then.
void ReleaseGuiApplication();

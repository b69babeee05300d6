#pragma once

#include <QIcon>

// The program's own icon, built in at every size the hicolor theme holds.
QIcon ApplicationIcon();

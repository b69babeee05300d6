#pragma once

#include "settings/RegFunc.h"

#include <QString>

#include <memory>

// Process-wide state shared by every run of the program.

// The one settings object of the process; set between InitializeVemoraLib and
// FinalizeVemoraLib.
extern std::unique_ptr<TApplicationReg> ApplicationReg;
extern bool BatchMode;
extern QString CommandLineFile;
extern int CommandLinePos;

inline const QString ApplicationName = QStringLiteral("Vemora");

// Creates ApplicationReg and reads the chosen language and country files.
void InitializeVemoraLib();
// Writes the chosen language and country files back and frees ApplicationReg.
void FinalizeVemoraLib();

// The moment of the last batch check (0 = never). Only these two touch it.
void SetLastBatchRun(double value);
double GetLastBatchRun();
// Adopts the stored moment at start; a stored value of the wrong kind counts as never.
void AdoptStoredLastBatchRun();

// Whether the logon check first shows what was due since the last one (default false). The
// value is stored at once.
bool GetShowMissedAlerts();
void SetShowMissedAlerts(bool show);
// Alerts as desktop notifications instead of message boxes; off unless stored on.
bool GetAlertsAsNotifications();
void SetAlertsAsNotifications(bool asNotifications);

#pragma once

#include <QString>

// The logon start of the batch check: one value of the current user's Run key, holding the
// quoted program path, "/r" and the quoted entry file.

// "Vemora, file version 2": the value's name.
QString RunValueName();
// The Run key with the value name, as messages name it.
QString RunValueKeyPath();

// Writes the value for a file, or removes it when fileName is empty. A program or file name
// that could not be read back as written (a double quote, a control character) is refused.
bool SetAutoStart(const QString& fileName, const QString& programPath);
// The file of this program's logon start, or empty when there is none for this program.
QString GetAutoStartFile();
// SetAutoStart for the running program, reporting a failure.
void ApplyAutoStart(const QString& fileName);
void ShowRegistryError(bool deleting, const QString& keyPath);

// The daily timer runs the same check while the session runs; its run shows nothing when a
// check (a moment, 0 = never) already ran on the day, so no day alerts twice.
bool CheckedOnDay(double lastCheck, int day);
// At the logon check: the timer's runs show their alerts on this session's display.
void ShareSessionWithDailyCheck();

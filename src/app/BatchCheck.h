#pragma once

#include <QString>

class TVemoraEntryBasic;

// The logon check: shows every entry of the file that is due today as an alert, one after
// the other, and never writes the file. With the missed-dates option on, a summary of what
// occurred on the days since the check before (lastCheck, 0 = never) comes first.
void RunBatchCheck(const QString& fileName, double lastCheck = 0);

// The alert of an entry for a day: its sound (when the entry has one and a display is there)
// plays while the message box is open. A sound that cannot be opened is reported and the
// alert shows without it. With the option on, alerts go to the desktop's notification service
// where there is one, a check waiting until they are closed.
void ShowAlert(TVemoraEntryBasic& entry, qint32 day);
// Stops what the notifications of ShowAlert still play; before the toolkit goes.
void EndAlertNotifications();

class TMCI;
// The sound of the alert being shown, for observers such as tests; null when there is none.
const TMCI* ActiveAlertSound();

// The caption of the alerts: the program's name, the word for it and the day's short date.
QString AlertCaption(qint32 day);

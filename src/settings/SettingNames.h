#pragma once

#include <QString>

// The names of the values in the application key; each is spelled here only.
inline const QString SettingLastBatchRun = QStringLiteral("LastBatchRun");
inline const QString SettingLanguageFilename = QStringLiteral("LanguageFilename");
inline const QString SettingCountryFilename = QStringLiteral("CountryFilename");
inline const QString SettingShowAutoRun = QStringLiteral("ShowAutoRunVemora");
inline const QString SettingShowMissedAlerts = QStringLiteral("ShowMissedAlerts");
inline const QString SettingAlertsAsNotifications = QStringLiteral("AlertsAsNotifications");
inline const QString SettingStatusbar = QStringLiteral("Statusbar");
inline const QString SettingSymbolbar = QStringLiteral("Symbolbar");
inline const QString SettingGridLines = QStringLiteral("GridLines");
// The main window's docks and bars as QMainWindow::saveState gives them.
inline const QString SettingWindowLayout = QStringLiteral("WindowLayout");

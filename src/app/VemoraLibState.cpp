#include "app/VemoraLibState.h"

#include "settings/SettingNames.h"
#include "support/NLS.h"

#include <cmath>

std::unique_ptr<TApplicationReg> ApplicationReg;
bool BatchMode = false;
QString CommandLineFile;
int CommandLinePos = 1;

namespace {

double LastBatchRun = 0;
constexpr double LastRepresentableDay = 2958465; // 9999-12-31

} // namespace

void InitializeVemoraLib()
{
    ApplicationReg = std::make_unique<TApplicationReg>(ApplicationName);
    if (!ApplicationReg->OpenAppKey(AppRootCurrentUser, QString(), false))
        return;
    QVariant language;
    QVariant country;
    if (ApplicationReg->ReadValue(SettingLanguageFilename, language, vtString))
        LanguageFilename() = language.toString();
    if (ApplicationReg->ReadValue(SettingCountryFilename, country, vtString))
        CountryFilename() = country.toString();
    ApplicationReg->CloseKey();
}

void FinalizeVemoraLib()
{
    if (!ApplicationReg)
        return;
    if (ApplicationReg->OpenAppKey(AppRootCurrentUser, QString(), true)) {
        try {
            ApplicationReg->WriteString(SettingLanguageFilename, LanguageFilename());
            ApplicationReg->WriteString(SettingCountryFilename, CountryFilename());
        } catch (const ERegistryException&) {
            // the choice is kept for the next start that can write it
        }
        ApplicationReg->CloseKey();
    }
    ApplicationReg.reset();
}

void SetLastBatchRun(double value)
{
    if (value == LastBatchRun || !ApplicationReg)
        return;
    if (!ApplicationReg->OpenAppKey(AppRootCurrentUser, QString(), true))
        return;
    try {
        ApplicationReg->WriteDateTime(SettingLastBatchRun, value);
        LastBatchRun = value;
    } catch (const ERegistryException&) {
        // neither the stored nor the remembered moment changes
    }
    ApplicationReg->CloseKey();
}

double GetLastBatchRun()
{
    return LastBatchRun;
}

namespace {

bool ReadOption(const QString& name)
{
    if (!ApplicationReg || !ApplicationReg->OpenAppKey(AppRootCurrentUser, QString(), false))
        return false;
    QVariant value;
    const bool found = ApplicationReg->ReadValue(name, value, vtBoolean);
    ApplicationReg->CloseKey();
    return found && value.toBool();
}

void WriteOption(const QString& name, bool value)
{
    if (!ApplicationReg || ReadOption(name) == value || !ApplicationReg->OpenAppKey(AppRootCurrentUser, QString(), true))
        return;
    try {
        ApplicationReg->WriteBool(name, value);
    } catch (const ERegistryException&) {
        // the option stays as it was stored
    }
    ApplicationReg->CloseKey();
}

} // namespace

bool GetShowMissedAlerts()
{
    return ReadOption(SettingShowMissedAlerts);
}

void SetShowMissedAlerts(bool show)
{
    WriteOption(SettingShowMissedAlerts, show);
}

bool GetAlertsAsNotifications()
{
    return ReadOption(SettingAlertsAsNotifications);
}

void SetAlertsAsNotifications(bool asNotifications)
{
    WriteOption(SettingAlertsAsNotifications, asNotifications);
}

void AdoptStoredLastBatchRun()
{
    if (!ApplicationReg || !ApplicationReg->OpenAppKey(AppRootCurrentUser, QString(), false))
        return;
    double stored = 0;
    bool found = false;
    try {
        if (ApplicationReg->ValueExists(SettingLastBatchRun)) {
            stored = ApplicationReg->ReadDateTime(SettingLastBatchRun);
            found = true;
        }
    } catch (const ERegistryException&) {
        found = false;
    }
    ApplicationReg->CloseKey();
    // A moment that is no date (damaged or foreign value) counts as never.
    if (found && std::isfinite(stored) && stored >= 0 && stored <= LastRepresentableDay)
        SetLastBatchRun(stored);
}

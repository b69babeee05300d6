#include "app/AutoStart.h"

#include "app/ErrorMessage.h"
#include "model/EntryFileHeader.h"
#include "platform/CommandLine.h"
#include "platform/FormatText.h"
#include "platform/AutostartRunKey.h"
#include "platform/Registry.h"
#include "platform/SystemdUserUnits.h"
#include "platform/TextCodec.h"
#include "support/NLS.h"

#include <cmath>

namespace {

const QString RunKey = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");

// The command holds each name between double quotes, so a name must hold none itself.
bool CanBeQuoted(const QString& name)
{
    return !name.contains(u'"') && !HasControlCharacter(name);
}

QString NextToken(const QString& text, int& position)
{
    QString token;
    ExtractParam(text, position, &position, token);
    return token;
}

} // namespace

QString RunValueName()
{
    return QStringLiteral("Vemora, file version ") + QString::number(EntryFileVersion);
}

QString RunValueKeyPath()
{
    return RunKey + u'\\' + RunValueName();
}

bool SetAutoStart(const QString& fileName, const QString& programPath)
{
    TRegistry registry(HKEY_CURRENT_USER);
    if (!registry.OpenKey(RunKey, true))
        return false;
    // A start the desktop switched off reads as none, and is still ours to remove.
    if (fileName.isEmpty())
        return registry.DeleteValue(RunValueName()) || !registry.ValueExists(RunValueName());
    if (!CanBeQuoted(fileName) || !CanBeQuoted(programPath))
        return false;
    try {
        registry.WriteString(RunValueName(), u'"' + programPath + QStringLiteral("\" /r \"") + fileName + u'"');
    } catch (const ERegistryException&) {
        return false;
    }
    return true;
}

QString GetAutoStartFile()
{
    TRegistry registry(HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly(RunKey) || !registry.ValueExists(RunValueName()))
        return QString();
    QString command;
    try {
        command = registry.ReadString(RunValueName());
    } catch (const ERegistryException&) {
        return QString();
    }
    int position = 1;
    if (NextToken(command, position) != ProgramFilePath() || NextToken(command, position) != u"/r")
        return QString();
    return NextToken(command, position);
}

void ApplyAutoStart(const QString& fileName)
{
    if (!CanBeQuoted(fileName)) {
        ShowErrorMessage(FormatText(LanguageText(0x4D20B7E2), {fileName}));
        return;
    }
    if (!SetAutoStart(fileName, ProgramFilePath()))
        ShowRegistryError(fileName.isEmpty(), RunValueKeyPath());
}

void ShowRegistryError(bool deleting, const QString& keyPath)
{
    const QString format = LanguageText(deleting ? 0x6A028AA0 : 0x6A028AA1);
    ShowErrorMessage(FormatText(format, {QStringLiteral("HKCU") + keyPath}));
}

bool CheckedOnDay(double lastCheck, int day)
{
    return lastCheck != 0 && std::floor(lastCheck) == day;
}

void ShareSessionWithDailyCheck()
{
    TSystemdUserUnits(TSystemdUserUnits::DefaultDirectory())
        .ShareSessionEnvironment(TAutostartRunKey::EntryBaseName(RunValueName()));
}

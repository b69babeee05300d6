#include "app/ProgramEntry.h"

#include "app/AutoStart.h"
#include "app/BatchCheck.h"
#include "app/EntryFileCheck.h"
#include "app/ErrorMessage.h"
#include "app/RunSelection.h"
#include "app/VemoraLibState.h"
#include "platform/CommandLine.h"
#include "platform/GuiApplication.h"
#include "platform/MessageService.h"
#include "platform/QtMessageService.h"
#include "platform/SystemdUserUnits.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "ui/FormMain.h"

#include <QApplication>


namespace {

void RunRemoval()
{
    if (!SetAutoStart(QString(), QString())) {
        EnsureLanguageLoaded();
        ShowRegistryError(true, RunValueKeyPath());
    }
    TApplicationReg(ApplicationName).DeleteAppKey();
}

void RunEditor()
{
    // Without a display Qt would abort; the logon check and vemora-cli work there.
    if (!HasDisplay()) {
        EnsureLanguageLoaded();
        ShowErrorMessage(LanguageText(0x2E5C71A9));
        return;
    }
    QApplication& application = EnsureGuiApplication();
    TFormMain form;
    SetApplicationMainForm(&form);
    if (!CommandLineFile.isEmpty()) {
        try {
            form.OpenFile(CommandLineFile);
        } catch (const std::exception& error) {
            ShowErrorMessage(QString::fromUtf8(error.what()));
        }
    }
    form.show();
    application.exec();
}

void ChooseAndRun(int argc)
{
    const QString& commandLine = GetCommandLine();
    if (argc > 1) {
        CommandLinePos = 1;
        QString programPath;
        ExtractParam(commandLine, 1, &CommandLinePos, programPath);
        ExtractParam(commandLine, CommandLinePos, &CommandLinePos, CommandLineFile);
        const TRunKind kind = RunKindOf(CommandLineFile);
        if (kind == TRunKind::Removal) {
            RunRemoval();
            return;
        }
        if (kind == TRunKind::BatchCheck) {
            // The check before this one decides which days were missed: read it before it goes.
            const double lastCheck = GetLastBatchRun();
            if (!TSystemdUserUnits::StartedByTimer())
                ShareSessionWithDailyCheck();
            else if (CheckedOnDay(lastCheck, Today()))
                return;
            SetLastBatchRun(Now());
            QString fileName;
            ExtractParam(commandLine, CommandLinePos, &CommandLinePos, fileName);
            RunBatchCheck(fileName, lastCheck);
            return;
        }
    }
    if (!CommandLineFile.isEmpty() && !CheckEntryFile(CommandLineFile))
        return;
    RunEditor();
}

} // namespace

int RunProgram(int argc, char** argv)
{
    static int applicationArgc = argc;
    SetRawCommandLine(BuildRawCommandLine(argc, argv));
    SetGuiArguments(applicationArgc, argv);
    if (HasDisplay())
        SetMessageService(std::make_unique<TQtMessageService>());
    SetDefaultCaptions(LanguageCaption);
    InitializeVemoraLib();
    CommandLineFile.clear();
    AdoptStoredLastBatchRun();
    ChooseAndRun(argc);
    EndAlertNotifications();
    SetMessageService(nullptr);
    SetDefaultCaptions(nullptr);
    ReleaseGuiApplication();
    FinalizeVemoraLib();
    return 0;
}

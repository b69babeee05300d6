#include "app/ProgramEntry.h"

#include "app/AutoStart.h"
#include "app/EntryFileCheck.h"
#include "app/ErrorMessage.h"
#include "app/RunSelection.h"
#include "app/VemoraLibState.h"
#include "platform/CommandLine.h"
#include "platform/MessageService.h"
#include "platform/QtMessageService.h"
#include "support/DayNumbers.h"

#include <QApplication>

namespace {

// Windows are made only when a message or window is really shown, so a run that shows
// nothing never starts the GUI toolkit.
class TLazyGuiMessageService final : public TMessageService {
public:
    TLazyGuiMessageService(int& argc, char** argv)
        : m_Argc(argc)
        , m_Argv(argv)
    {
    }

    TMessageResult Show(const TMessageRequest& request) override
    {
        if (!QApplication::instance())
            m_Application = std::make_unique<QApplication>(m_Argc, m_Argv);
        return m_Qt.Show(request);
    }

private:
    int& m_Argc;
    char** m_Argv;
    std::unique_ptr<QApplication> m_Application;
    TQtMessageService m_Qt;
};

void RunRemoval()
{
    if (!SetAutoStart(QString(), QString())) {
        EnsureLanguageLoaded();
        ShowRegistryError(true, RunValueKeyPath());
    }
    TApplicationReg(ApplicationName).DeleteAppKey();
}

// FIXME: the batch check and the editor are not built yet; until then they say so plainly.
void ReportRunNotAvailable(const QString& what)
{
    ShowErrorMessage(what + QStringLiteral(" is not available in this version of Vemora yet."));
}

void RunBatchCheck(const QString& fileName)
{
    Q_UNUSED(fileName);
    ReportRunNotAvailable(QStringLiteral("The batch check"));
}

void RunEditor()
{
    ReportRunNotAvailable(QStringLiteral("The editor"));
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
            SetLastBatchRun(Now());
            QString fileName;
            ExtractParam(commandLine, CommandLinePos, &CommandLinePos, fileName);
            RunBatchCheck(fileName);
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
    if (HasDisplay())
        SetMessageService(std::make_unique<TLazyGuiMessageService>(applicationArgc, argv));
    InitializeVemoraLib();
    CommandLineFile.clear();
    AdoptStoredLastBatchRun();
    ChooseAndRun(argc);
    SetMessageService(nullptr);
    FinalizeVemoraLib();
    return 0;
}

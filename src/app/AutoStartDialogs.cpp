#include "app/AutoStartDialogs.h"

#include "app/AutoStartQuestion.h"
#include "app/FormAskForAutoStart.h"
#include "app/FormStartup.h"

#include <QPointer>

namespace {

template <typename TDialog>
TDialog& KeptDialog(QPointer<TDialog>& dialog, QWidget* parent)
{
    if (!dialog)
        dialog = new TDialog(parent);
    return *dialog;
}

QPointer<TFormStartup> Startup;
QPointer<TFormAskForAutoStart> Question;

} // namespace

TFormStartup& StartupDialog(QWidget* parent)
{
    return KeptDialog(Startup, parent);
}

TFormAskForAutoStart& AskForAutoStartDialog(QWidget* parent)
{
    return KeptDialog(Question, parent);
}

void RunAutoStartCommand(QWidget* parent, const QString& currentFile, bool agreed)
{
    AutoStartCommand(currentFile, [parent, agreed](const QString& current, const QString& registered) -> std::optional<QString> {
        TFormStartup& dialog = StartupDialog(parent);
        if (!dialog.Execute(current, registered, agreed))
            return std::nullopt;
        return dialog.GetFileName();
    });
}

bool QueryCloseForAutoStart(QWidget* parent, bool& showAutoRun, int entryCount, const QString& fileName)
{
    const TCloseAction action = AutoStartQuestionAtClose(showAutoRun, entryCount, fileName,
                                                         [parent] { return AskForAutoStartDialog(parent).Ask(); });
    if (action == TCloseAction::Close)
        return true;
    RunAutoStartCommand(parent, fileName, true);
    return false;
}

#include "app/AutoStartQuestion.h"

#include "app/AutoStart.h"

bool ShouldAskForAutoStart(const QString& registeredFile, bool showAutoRun, int entryCount, const QString& fileName)
{
    return registeredFile.isEmpty() && showAutoRun && entryCount > 0 && !fileName.isEmpty();
}

TCloseAction AutoStartQuestionAtClose(bool& showAutoRun, int entryCount, const QString& fileName,
                                      const std::function<TAutoStartReply()>& ask)
{
    if (!ShouldAskForAutoStart(GetAutoStartFile(), showAutoRun, entryCount, fileName))
        return TCloseAction::Close;
    const TAutoStartReply reply = ask();
    showAutoRun = !reply.DoNotAskAgain;
    return reply.Yes ? TCloseAction::Configure : TCloseAction::Close;
}

void AutoStartCommand(const QString& currentFile, const TChooseAutoStartFile& choose)
{
    if (const std::optional<QString> chosen = choose(currentFile, GetAutoStartFile()))
        ApplyAutoStart(*chosen);
}

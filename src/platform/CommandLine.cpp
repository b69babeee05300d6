#include "platform/CommandLine.h"

#include <QFileInfo>

namespace {

bool IsBlank(QChar ch)
{
    const char16_t c = ch.unicode();
    return c == u' ' || (c >= 9 && c <= 13);
}

bool NeedsQuotes(const QString& argument)
{
    if (argument.isEmpty())
        return true;
    for (QChar ch : argument)
        if (IsBlank(ch))
            return true;
    return false;
}

} // namespace

QString BuildRawCommandLine(const QStringList& arguments)
{
    QStringList parts;
    parts.reserve(arguments.size());
    for (const QString& argument : arguments)
        parts.append(NeedsQuotes(argument) ? u'"' + argument + u'"' : argument);
    return parts.join(u' ');
}

QString BuildRawCommandLine(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return BuildRawCommandLine(arguments);
}

void ExtractParam(const QString& text, int start, int* nextPos, QString& token)
{
    token.clear();
    const qsizetype length = text.size();
    if (start < 1 || start > length)
        return;
    qsizetype i = start - 1; // 0-based from here on
    while (i < length && IsBlank(text[i]))
        ++i;
    if (i >= length)
        return;
    if (text[i] == u'"') {
        const qsizetype closing = text.indexOf(u'"', i + 1);
        if (closing >= 0) {
            token = text.mid(i + 1, closing - i - 1);
            if (nextPos)
                *nextPos = static_cast<int>(closing + 2);
            return;
        }
    }
    qsizetype j = i + 1;
    while (j < length && !IsBlank(text[j]))
        ++j;
    token = text.mid(i, j - i);
    if (nextPos)
        *nextPos = static_cast<int>(j + 2);
}

QString ProgramFilePath()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

namespace {

QString& RawCommandLine()
{
    static QString commandLine;
    return commandLine;
}

} // namespace

void SetRawCommandLine(const QString& commandLine)
{
    RawCommandLine() = commandLine;
}

const QString& GetCommandLine()
{
    return RawCommandLine();
}

QStringList SplitCommandLine(const QString& commandLine)
{
    QStringList arguments;
    int position = 1;
    for (;;) {
        int next = position;
        QString token;
        ExtractParam(commandLine, position, &next, token);
        if (next == position)
            return arguments;
        arguments.append(token);
        position = next;
    }
}

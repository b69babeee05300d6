// Writes the same realistic reminders as two entry files and a remind script:
//   generate_reminders N OUT_PREFIX [--seed S] [--today YYYY-MM-DD] [--keep-due K]
// OUT_PREFIX-cold.vkd has empty occurrence caches, OUT_PREFIX-warm.vkd the caches computed up
// to the day before today, OUT_PREFIX.rem the remind script. Exit status 2 for wrong usage.

#include "ReminderSet.h"

#include "support/DayNumbers.h"

#include <QDate>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

int Usage()
{
    std::fputs("usage: generate_reminders N OUT_PREFIX [--seed S] [--today YYYY-MM-DD] [--keep-due K]\n", stderr);
    return 2;
}

bool ParseNumber(const char* text, long long& value)
{
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0';
}

} // namespace

int main(int argc, char** argv)
{
    long long count = -1;
    long long seed = 1;
    long long keepDue = -1;
    QString prefix;
    qint32 today = Today();
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seed" && i + 1 < argc) {
            if (!ParseNumber(argv[++i], seed))
                return Usage();
        } else if (argument == "--keep-due" && i + 1 < argc) {
            if (!ParseNumber(argv[++i], keepDue) || keepDue < 0)
                return Usage();
        } else if (argument == "--today" && i + 1 < argc) {
            const QDate date = QDate::fromString(QString::fromUtf8(argv[++i]), Qt::ISODate);
            if (!date.isValid())
                return Usage();
            today = QDateToDay(date);
        } else if (positional == 0 && ParseNumber(argv[i], count) && count >= 0 && count <= 10'000'000) {
            ++positional;
        } else if (positional == 1) {
            prefix = QString::fromLocal8Bit(argv[i]);
            ++positional;
        } else {
            return Usage();
        }
    }
    if (positional != 2)
        return Usage();
    try {
        const TReminderFiles files =
            WriteReminderFiles(static_cast<int>(count), static_cast<std::uint64_t>(seed), today, prefix,
                               static_cast<int>(keepDue));
        std::printf("%s\n%s\n%s\n", qPrintable(files.Cold), qPrintable(files.Warm), qPrintable(files.Remind));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generate_reminders: %s\n", error.what());
        return 1;
    }
    return 0;
}

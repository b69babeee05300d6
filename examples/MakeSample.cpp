// Writes the sample entry file that `make run` checks, and checks that the committed copy is
// still what this program writes:
//   make_sample OUT                 writes the sample to OUT
//   make_sample OUT --compare FILE  also requires FILE to load, to hold the same bytes, and to
//                                   have something due today
#include "model/EntryFactory.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

constexpr quint8 CategoryFamily = 1;
constexpr quint8 CategoryHousehold = 2;
constexpr quint8 IconWarning = 0x30;

// An entry without stop day or limit, every matching day.
std::unique_ptr<TVemoraEntryBasic> NewEntry(TEntryKind kind, qint32 start, const QString& text, quint8 category)
{
    std::unique_ptr<TVemoraEntryBasic> entry = CreateEntry(kind);
    entry->SetDateStart(start);
    entry->SetDateStop(NoDateStop);
    entry->SetMaxCount(NoMaxCount);
    entry->SetRepetition(1);
    entry->SetDisplayText(text);
    entry->SetCategory(category);
    return entry;
}

std::unique_ptr<TVemoraEntryBasic> Birthday(int year, unsigned month, unsigned day, const QString& text)
{
    auto entry = NewEntry(ekYearly, DayFromCivil(year, month, day), text, CategoryFamily);
    auto& yearly = static_cast<TVemoraEntryYearly&>(*entry);
    yearly.SetMonth(static_cast<quint8>(month));
    yearly.SetDay(static_cast<quint8>(day));
    entry->SetAdvanceWarn(3);
    return entry;
}

// Fixed start days and no computed caches, so that every run writes the same bytes.
void FillSample(TVemoraEntries& list)
{
    list.Categories().AddCategory(QStringLiteral("Family"), CategoryFamily);
    list.Categories().AddCategory(QStringLiteral("Household"), CategoryHousehold);

    list.AddEntry(Birthday(1990, 4, 12, QStringLiteral("Anna turns $(COUNT) today")));
    auto ben = Birthday(1985, 11, 30, QStringLiteral("Ben turns $(COUNT) today"));
    ben->SetAdvanceWarn(7);
    ben->SetComment(QStringLiteral("Order the cake a week ahead"));
    list.AddEntry(std::move(ben));

    auto rent = NewEntry(ekMonthly, DayFromCivil(2024, 1, 1), QStringLiteral("Pay the rent"), CategoryHousehold);
    auto& monthly = static_cast<TVemoraEntryMonthly&>(*rent);
    monthly.SetDayCycle(dcLast);
    monthly.SetDayKind(dkWorkingDay);
    rent->SetAdvanceWarn(2);
    rent->SetIcon(IconWarning);
    rent->SetComment(QStringLiteral("The last working day of every month"));
    list.AddEntry(std::move(rent));

    auto bins = NewEntry(ekWeekly, DayFromCivil(2024, 1, 1), QStringLiteral("Put the bins out"), CategoryHousehold);
    static_cast<TVemoraEntryWeekly&>(*bins).SetWeekdays(1 << dkTuesday);
    list.AddEntry(std::move(bins));

    // Due every day, so that a logon check of the sample always has something to show.
    auto vitamins = NewEntry(ekDaily, DayFromCivil(2024, 1, 1), QStringLiteral("Take your vitamins"), 0);
    static_cast<TVemoraEntryDaily&>(*vitamins).SetDayKind(dkAnyDay);
    list.AddEntry(std::move(vitamins));

    auto dentist = NewEntry(ekOnce, DayFromCivil(2030, 9, 17), QStringLiteral("Dentist at 10:30"), 0);
    dentist->SetAdvanceWarn(5);
    dentist->SetComment(QStringLiteral("Bring the insurance card"));
    list.AddEntry(std::move(dentist));
}

QByteArray ReadFile(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The reason why the committed sample is out of date, empty when it is fine.
QString CompareWithCommitted(const QString& written, const QString& committed)
{
    TVemoraEntries list;
    try {
        if (!list.LoadFromFile(committed))
            return QStringLiteral("it is no entry file of a supported version");
        if (list.GetDueEntries(Today()).empty())
            return QStringLiteral("nothing in it is due today");
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    if (ReadFile(committed) != ReadFile(written))
        return QStringLiteral("it differs from what make_sample writes now");
    return QString();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream err(stderr);
    const bool compare = arguments.size() == 4 && arguments[2] == QLatin1String("--compare");
    if (arguments.size() != 2 && !compare) {
        err << "usage: make_sample OUT [--compare COMMITTED]" << Qt::endl;
        return 2;
    }
    TVemoraEntries sample;
    FillSample(sample);
    try {
        sample.SaveToFile(arguments[1]);
    } catch (const EEntryFileError& error) {
        err << error.Message() << Qt::endl;
        return 1;
    }
    if (!compare)
        return 0;
    const QString problem = CompareWithCommitted(arguments[1], arguments[3]);
    if (problem.isEmpty())
        return 0;
    err << arguments[3] << ": " << problem << "; regenerate it with: make_sample " << arguments[3] << Qt::endl;
    return 1;
}

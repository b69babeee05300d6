#include "ReminderSet.h"

#include "model/EntryFactory.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"

#include <QFile>

#include <array>
#include <bit>
#include <random>
#include <stdexcept>

namespace {

constexpr int DaysIn30Years = 10957;
constexpr std::array<const char*, 8> WeekdayNames = {"", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 13> MonthNames = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

enum TCategoryId : quint8 { caNone, caFamily, caFriends, caWork, caHealth, caFinance, caHome };
constexpr std::array<const char*, 7> CategoryNames = {"", "Family", "Friends", "Work", "Health", "Finance", "Home"};

// Mostly plain ASCII; a few need Windows-1252 and one needs UTF-8 in the entry file.
constexpr std::array FirstNames = {"Anna",  "Ben",   "Clara", "David",  "Emma",   "Felix", "Greta",  "Hannah",
                                   "Jonas", "Karl",  "Lena",  "Maria",  "Noah",   "Olivia", "Paul",  "Sophie",
                                   "Tom",   "Ute",   "Jürgen", "Zoë",   "Renée",  "Łukasz"};
constexpr std::array LastNames = {"Baker",  "Fischer", "Garcia", "Keller",  "Meyer",  "Miller", "Novak",
                                  "Schmidt", "Smith",  "Weber",  "Wagner",  "Müller", "Brandt", "Okafor"};
constexpr std::array Cities = {"Berlin", "Lisbon", "Vienna", "Oslo", "Madrid", "Zürich", "Boston", "Kraków"};
constexpr std::array Comments = {"Bring the documents", "Gift idea: a book", "Phone ahead", "Room 2.14",
                                 "Cash only",           "Ask about the invoice", "Take the train"};

// std::uniform_int_distribution differs between standard libraries; this does not.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : m_Engine(seed) {}
    int Between(int low, int high) // inclusive
    {
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<int>(m_Engine() % span);
    }
    bool Percent(int chance) { return Between(0, 99) < chance; }
    template <typename Array>
    auto Pick(const Array& items)
    {
        return items[static_cast<std::size_t>(Between(0, static_cast<int>(items.size()) - 1))];
    }

private:
    std::mt19937_64 m_Engine;
};

QString Name(TRandom& random)
{
    // Two statements: the operands of + are evaluated in no fixed order.
    const QString first = QString::fromUtf8(random.Pick(FirstNames));
    return first + u' ' + QString::fromUtf8(random.Pick(LastNames));
}

// Mostly 0 to 3 days, a few up to two weeks.
quint8 AdvanceWarning(TRandom& random)
{
    const int r = random.Between(0, 99);
    if (r < 35)
        return 0;
    if (r < 50)
        return 1;
    if (r < 62)
        return 2;
    if (r < 85)
        return 3;
    return static_cast<quint8>(random.Pick(std::array{4, 5, 7, 7, 10, 14, 14}));
}

// Daily and weekly reminders rarely warn ahead.
quint8 SmallAdvanceWarning(TRandom& random)
{
    return random.Percent(80) ? 0 : static_cast<quint8>(random.Between(1, 2));
}

qint32 StartInLast30Years(TRandom& random, qint32 today)
{
    return today - random.Between(1, DaysIn30Years);
}

void MaybeStop(TRandom& random, TReminder& reminder, qint32 today)
{
    if (random.Percent(15))
        reminder.DateStop = random.Between(reminder.DateStart, today + 3 * 365);
}

quint8 CategoryOf(TRandom& random, std::initializer_list<TCategoryId> choices)
{
    if (random.Percent(30))
        return caNone;
    return static_cast<quint8>(*(choices.begin() + random.Between(0, static_cast<int>(choices.size()) - 1)));
}

quint8 MonthDaySpec(TDayCycle cycle, int dayOrKind)
{
    return static_cast<quint8>(cycle << 5 | dayOrKind);
}

void MakeYearly(TRandom& random, TReminder& r, qint32 today)
{
    r.Kind = ekYearly;
    r.Month = static_cast<quint8>(random.Between(1, 12));
    // 29 February is left out, so that every yearly reminder occurs every year.
    const int day = random.Between(1, static_cast<int>(DaysInMonth(2001, r.Month)));
    r.DaySpec = MonthDaySpec(dcNone, day);
    const int year = CivilFromDay(today).Year - random.Between(1, 30);
    r.DateStart = DayFromCivil(year, r.Month, static_cast<unsigned>(day));
    r.AdvanceWarn = AdvanceWarning(random);
    MaybeStop(random, r, today);
    r.Category = CategoryOf(random, {caFamily, caFriends, caFinance});
    const QString name = Name(random);
    const QString first = name.section(u' ', 0, 0);
    r.DisplayText = random.Pick(std::array{QStringLiteral("Birthday: %1").arg(name),
                                           QStringLiteral("Birthday: %1").arg(name),
                                           QStringLiteral("Wedding anniversary: %1").arg(name),
                                           QStringLiteral("Name day of %1").arg(first),
                                           QStringLiteral("Renew the car insurance"),
                                           QStringLiteral("Passport of %1 expires soon").arg(first)});
}

void MakeMonthlyFixed(TRandom& random, TReminder& r, qint32 today)
{
    r.Kind = ekMonthly;
    r.DaySpec = MonthDaySpec(dcNone, random.Between(1, 28));
    r.DateStart = StartInLast30Years(random, today);
    r.AdvanceWarn = AdvanceWarning(random);
    MaybeStop(random, r, today);
    r.Category = CategoryOf(random, {caFinance, caHome});
    r.DisplayText = random.Pick(std::array{QStringLiteral("Pay the rent"), QStringLiteral("Credit card statement"),
                                           QStringLiteral("Transfer to savings"), QStringLiteral("Read the meters"),
                                           QStringLiteral("Pocket money for %1").arg(Name(random))});
}

// The first to fourth or last of a weekday in every month or in one month of the year, or
// the first or last working day or the last day of every month.
void MakeNthDay(TRandom& random, TReminder& r, qint32 today)
{
    const int shape = random.Between(0, 9);
    r.Kind = shape < 8 ? ekMonthly : ekYearly;
    if (shape == 7) {
        r.DaySpec = random.Pick(std::array{MonthDaySpec(dcFirst, dkWorkingDay), MonthDaySpec(dcLast, dkWorkingDay),
                                           MonthDaySpec(dcLast, dkAnyDay)});
    } else {
        const auto cycle = static_cast<TDayCycle>(random.Between(dcFirst, dcLast));
        r.DaySpec = MonthDaySpec(cycle, random.Between(dkSunday, dkSaturday));
    }
    r.Month = static_cast<quint8>(random.Between(1, 12));
    r.DateStart = StartInLast30Years(random, today);
    r.AdvanceWarn = AdvanceWarning(random);
    MaybeStop(random, r, today);
    r.Category = CategoryOf(random, {caWork, caFriends, caHome});
    r.DisplayText = random.Pick(std::array{QStringLiteral("Book club with %1").arg(Name(random)),
                                           QStringLiteral("Team retrospective"), QStringLiteral("Choir rehearsal"),
                                           QStringLiteral("Board meeting"), QStringLiteral("Paper recycling collection"),
                                           QStringLiteral("Salary day")});
}

void MakeWeekly(TRandom& random, TReminder& r, qint32 today)
{
    r.Kind = ekWeekly;
    const int dayCount = random.Pick(std::array{1, 1, 1, 1, 1, 2, 2, 2, 3, 3});
    while (std::popcount(static_cast<unsigned>(r.Weekdays)) < dayCount)
        r.Weekdays = static_cast<quint8>(r.Weekdays | 1u << random.Between(1, 7));
    // Every second week: Repetition counts matching days, so only with one weekday.
    if (dayCount == 1 && random.Percent(25))
        r.Repetition = 2;
    r.DateStart = StartInLast30Years(random, today);
    r.AdvanceWarn = SmallAdvanceWarning(random);
    MaybeStop(random, r, today);
    r.Category = CategoryOf(random, {caHealth, caHome, caWork});
    r.DisplayText = random.Pick(std::array{QStringLiteral("Gym"), QStringLiteral("Piano lesson for %1").arg(Name(random)),
                                           QStringLiteral("Football training"), QStringLiteral("Call %1").arg(Name(random)),
                                           QStringLiteral("Put out the bins"), QStringLiteral("Yoga class"),
                                           QStringLiteral("Weekly report")});
}

void MakeDaily(TRandom& random, TReminder& r, qint32 today)
{
    r.Kind = ekDaily;
    const int shape = random.Between(0, 9);
    if (shape < 4) {
        r.DayKind = dkWorkingDay;
    } else if (shape < 5) {
        r.DayKind = dkWeekend;
    } else {
        r.DayKind = dkAnyDay;
        r.Repetition = shape < 7 ? 1 : random.Pick(std::array{2, 3, 7, 10, 14, 28, 30});
    }
    r.DateStart = StartInLast30Years(random, today);
    r.AdvanceWarn = SmallAdvanceWarning(random);
    MaybeStop(random, r, today);
    r.Category = CategoryOf(random, {caHealth, caHome, caWork});
    r.DisplayText = random.Pick(std::array{QStringLiteral("Take the vitamins"), QStringLiteral("Walk the dog"),
                                           QStringLiteral("Check the backups"), QStringLiteral("Stand-up meeting"),
                                           QStringLiteral("Water the plants"), QStringLiteral("Change the filter")});
}

// One-off appointments lie mostly in the recent past, some ahead.
void MakeOnce(TRandom& random, TReminder& r, qint32 today)
{
    r.Kind = ekOnce;
    r.DateStart = today + random.Between(-5 * 365, 365);
    r.AdvanceWarn = AdvanceWarning(random);
    r.Category = CategoryOf(random, {caHealth, caWork, caFriends, caHome});
    r.DisplayText = random.Pick(std::array{QStringLiteral("Dentist appointment"), QStringLiteral("Car service at the garage"),
                                           QStringLiteral("Flight to %1").arg(QString::fromUtf8(random.Pick(Cities))),
                                           QStringLiteral("Doctor: Dr. %1").arg(Name(random)),
                                           QStringLiteral("Lunch with %1").arg(Name(random)),
                                           QStringLiteral("Pick up the parcel")});
}

std::unique_ptr<TVemoraEntryBasic> MakeEntry(const TReminder& r)
{
    std::unique_ptr<TVemoraEntryBasic> entry = CreateEntry(r.Kind);
    switch (r.Kind) {
    case ekOnce:
        break;
    case ekDaily:
        static_cast<TVemoraEntryDaily&>(*entry).SetDayKind(r.DayKind);
        break;
    case ekWeekly:
        static_cast<TVemoraEntryWeekly&>(*entry).SetWeekdays(r.Weekdays);
        break;
    case ekYearly:
        static_cast<TVemoraEntryYearly&>(*entry).SetMonth(r.Month);
        [[fallthrough]];
    case ekMonthly:
        static_cast<TVemoraEntryMonthRelated&>(*entry).SetDaySpec(r.DaySpec);
        break;
    }
    entry->SetDateStart(r.DateStart);
    entry->SetDateStop(r.Kind == ekOnce ? NoDateStop : r.DateStop);
    entry->SetMaxCount(NoMaxCount);
    entry->SetRepetition(r.Repetition);
    entry->SetAdvanceWarn(r.AdvanceWarn);
    entry->SetActive(r.Active);
    entry->SetCategory(r.Category);
    entry->SetDisplayText(r.DisplayText);
    entry->SetComment(r.Comment);
    entry->SetMediafile(r.Mediafile);
    return entry;
}

// remind still warns ahead of an occurrence after UNTIL on days up to UNTIL, the entry model
// does not: a stop day on the last occurrence it allows keeps the two programs in step.
void MoveStopToOccurrence(TReminder& r)
{
    if (r.Kind == ekOnce || r.DateStop < 0)
        return;
    qint32 last = 0;
    if (MakeEntry(r)->FindOccurrence(r.DateStop, last, FindOnOrBefore))
        r.DateStop = last;
    else
        r.DateStop = NoDateStop;
}

std::string WeekdayList(quint8 weekdays)
{
    std::string text;
    for (int weekday = 1; weekday <= 7; ++weekday) {
        if (weekdays >> weekday & 1) {
            text += WeekdayNames[static_cast<std::size_t>(weekday)];
            text += ' ';
        }
    }
    return text;
}

// The date part of a REM line for a monthly or yearly pattern; month is 0 for every month.
// remind's "Wd N" is the first such weekday on or after day N, and "Wd 1 <next month> --7"
// the last one of a month. "--" moves back over every day, "-" only over days not omitted.
std::string MonthPattern(quint8 daySpec, int month)
{
    const int cycle = daySpec >> 5;
    const int low = daySpec & 0x1f;
    const std::string monthName = month ? std::string(" ") + MonthNames[static_cast<std::size_t>(month)] : "";
    const std::string nextMonthName =
        month ? std::string(" ") + MonthNames[static_cast<std::size_t>(month % 12 + 1)] : "";
    if (cycle == dcNone)
        return std::to_string(low) + monthName;
    if (low == dkWorkingDay && cycle == dcFirst)
        return "Mon Tue Wed Thu Fri 1" + monthName;
    if (low == dkWorkingDay && cycle == dcLast)
        return "1" + nextMonthName + " -1 OMIT Sat Sun";
    if (low == dkAnyDay && cycle == dcLast)
        return "1" + nextMonthName + " --1";
    const std::string weekday = WeekdayNames[static_cast<std::size_t>(low)];
    if (cycle == dcLast)
        return weekday + " 1" + nextMonthName + " --7";
    return weekday + " " + std::to_string(1 + 7 * (cycle - 1)) + monthName;
}

std::string RemindLine(const TReminder& r)
{
    std::string line = r.Active ? "REM " : "# inactive: REM ";
    const std::string start = IsoDate(r.DateStart);
    switch (r.Kind) {
    case ekOnce:
        line += start;
        break;
    case ekDaily:
        if (r.DayKind == dkWorkingDay)
            line += "Mon Tue Wed Thu Fri FROM " + start;
        else if (r.DayKind == dkWeekend)
            line += "Sat Sun FROM " + start;
        else
            line += start + " *" + std::to_string(r.Repetition);
        break;
    case ekWeekly:
        if (r.Repetition > 1) // one weekday: the first on or after the start, then every n weeks
            line += WeekdayList(r.Weekdays) + start + " *" + std::to_string(7 * r.Repetition);
        else
            line += WeekdayList(r.Weekdays) + "FROM " + start;
        break;
    case ekMonthly:
        line += MonthPattern(r.DaySpec, 0) + " FROM " + start;
        break;
    case ekYearly:
        line += MonthPattern(r.DaySpec, r.Month) + " FROM " + start;
        break;
    }
    // "++" counts every day before the occurrence, also days a local OMIT names.
    if (r.AdvanceWarn > 0)
        line += " ++" + std::to_string(r.AdvanceWarn);
    if (r.Kind != ekOnce && r.DateStop >= 0)
        line += " UNTIL " + IsoDate(r.DateStop);
    line += " MSG " + r.DisplayText.toStdString() + "\n";
    return line;
}

} // namespace

std::string IsoDate(qint32 day)
{
    return DayToQDate(day).toString(Qt::ISODate).toStdString();
}

std::vector<TReminder> GenerateReminders(int count, std::uint64_t seed, qint32 today)
{
    TRandom random(seed);
    std::vector<TReminder> reminders(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        TReminder& r = reminders[static_cast<std::size_t>(index)];
        const int share = random.Between(0, 99);
        if (share < 40)
            MakeYearly(random, r, today);
        else if (share < 55)
            MakeMonthlyFixed(random, r, today);
        else if (share < 65)
            MakeNthDay(random, r, today);
        else if (share < 80)
            MakeWeekly(random, r, today);
        else if (share < 90)
            MakeDaily(random, r, today);
        else
            MakeOnce(random, r, today);
        r.Active = !random.Percent(2);
        if (random.Percent(25))
            r.Comment = QString::fromUtf8(random.Pick(Comments));
        if (random.Percent(3))
            r.Mediafile = QStringLiteral("/usr/share/sounds/alsa/Front_Center.wav");
        r.DisplayText += QStringLiteral(" #%1").arg(index);
        MoveStopToOccurrence(r);
    }
    return reminders;
}

void FillEntries(const std::vector<TReminder>& reminders, TVemoraEntries& entries)
{
    for (std::size_t id = caFamily; id < CategoryNames.size(); ++id)
        entries.Categories().AddCategory(QString::fromUtf8(CategoryNames[id]), static_cast<quint8>(id));
    for (const TReminder& r : reminders)
        entries.AddEntry(MakeEntry(r));
}

std::string RemindScript(const std::vector<TReminder>& reminders)
{
    std::string script;
    script.reserve(reminders.size() * 64);
    for (const TReminder& r : reminders)
        script += RemindLine(r);
    return script;
}

void KeepDueActive(std::vector<TReminder>& reminders, qint32 today, int keep)
{
    TVemoraEntries entries;
    FillEntries(reminders, entries);
    int kept = 0;
    for (TVemoraEntryBasic* entry : entries.GetDueEntries(today))
        if (kept++ >= keep)
            reminders[static_cast<std::size_t>(entry->IndexInOwner())].Active = false;
}

TReminderFiles WriteReminderFiles(int count, std::uint64_t seed, qint32 today, const QString& prefix, int keepDue)
{
    const TReminderFiles files{prefix + QStringLiteral("-cold.vkd"), prefix + QStringLiteral("-warm.vkd"),
                               prefix + QStringLiteral(".rem")};
    std::vector<TReminder> reminders = GenerateReminders(count, seed, today);
    if (keepDue >= 0)
        KeepDueActive(reminders, today, keepDue);
    TVemoraEntries entries;
    FillEntries(reminders, entries);
    entries.SaveToFile(files.Cold);
    for (int i = 0; i < entries.Count(); ++i)
        entries.Items(i)->EnsureMatches(today - 1);
    entries.SaveToFile(files.Warm);

    QFile script(files.Remind);
    const std::string text = "# " + std::to_string(count) + " reminders, seed " + std::to_string(seed) +
                             ", generated for " + IsoDate(today) + "\n" + RemindScript(reminders);
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        script.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        throw std::runtime_error("cannot write " + files.Remind.toStdString());
    return files;
}

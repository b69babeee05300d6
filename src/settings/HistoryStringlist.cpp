#include "settings/HistoryStringlist.h"

#include "settings/RegFunc.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>
#include <vector>

namespace {

char16_t AsciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// File names differ when any non-ASCII letter differs in case: only A-Z fold.
bool SameTextIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i].unicode()) != AsciiLower(b[i].unicode()))
            return false;
    return true;
}

// The value of a text made of decimal digits only; nothing for any other text, or for a number
// beyond int (the settings file may hold anything).
std::optional<int> DecimalNumber(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > INT_MAX)
            return std::nullopt;
    }
    return static_cast<int>(value);
}

// A value of another type than a string counts as unreadable.
std::optional<QString> ReadStoredString(TApplicationReg& store, const QString& name)
{
    try {
        return store.ReadString(name);
    } catch (const ERegistryException&) {
        return std::nullopt;
    }
}

// The strings of the open key's numbered values, ordered by number.
std::vector<QString> ReadNumberedStrings(TApplicationReg& store)
{
    std::vector<std::pair<int, QString>> numbered;
    for (const QString& name : store.GetValueNames())
        if (const auto number = DecimalNumber(name))
            numbered.emplace_back(*number, name);
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QString> strings;
    for (const auto& [number, name] : numbered)
        if (const auto text = ReadStoredString(store, name))
            strings.push_back(*text);
    return strings;
}

} // namespace

QString THistoryStringlist::Get(int index) const
{
    return index >= 0 && index < Count() ? m_Strings[index] : QString();
}

int THistoryStringlist::IndexOf(const QString& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameTextIgnoringAsciiCase(m_Strings[i], text))
            return i;
    return -1;
}

int THistoryStringlist::AddHistory(const QString& text)
{
    return Insert(0, text) ? 0 : -1;
}

bool THistoryStringlist::Insert(int index, const QString& text)
{
    // One update, so that moving a string to the front is reported as one change.
    BeginUpdate();
    const bool admitted = Admit(text);
    if (admitted) {
        m_Strings.insert(std::clamp(index, 0, Count()), text);
        Changed();
        Trim();
    }
    EndUpdate();
    return admitted;
}

bool THistoryStringlist::Admit(const QString& text)
{
    bool reject = false;
    if (OnAdding)
        OnAdding(*this, text, reject);
    if (reject || text.isEmpty())
        return false;
    if (const int older = IndexOf(text); older >= 0)
        Delete(older);
    return true;
}

void THistoryStringlist::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_Strings.removeAt(index);
    Changed();
}

void THistoryStringlist::Clear()
{
    if (m_Strings.isEmpty())
        return;
    m_Strings.clear();
    Changed();
}

void THistoryStringlist::SetMaxCount(int maxCount)
{
    if (maxCount < 0 || maxCount == m_MaxCount)
        return;
    // The maximum is saved with the strings, so a new one is a change even when no string
    // goes: otherwise a raised maximum would never reach the store.
    BeginUpdate();
    m_MaxCount = maxCount;
    Changed();
    Trim();
    EndUpdate();
}

void THistoryStringlist::Trim()
{
    if (Count() <= m_MaxCount)
        return;
    BeginUpdate();
    while (Count() > m_MaxCount)
        Delete(Count() - 1);
    EndUpdate();
}

void THistoryStringlist::BeginUpdate()
{
    ++m_UpdateCount;
}

void THistoryStringlist::EndUpdate()
{
    if (m_UpdateCount == 0)
        return;
    if (--m_UpdateCount > 0 || !m_ChangedInUpdate)
        return;
    m_ChangedInUpdate = false;
    Changed();
}

void THistoryStringlist::Changed()
{
    m_Modified = true;
    if (m_UpdateCount > 0) {
        m_ChangedInUpdate = true;
        return;
    }
    if (!m_ChangeEventsSuppressed && OnChange)
        OnChange(*this);
}

bool THistoryStringlist::SaveToRegistry(TApplicationReg& store, const QString& key)
{
    // The old key goes first, so that no stale numbered value outlives a shorter list. A key
    // naming the application key itself would take every other setting with it.
    const QString path = CombineKeyPath(store.RootPath(), key);
    if (SameKeyPath(path, store.RootPath()))
        return false;
    if (store.OpenAppKey(AppRootCurrentUser, QString(), true)) {
        if (store.KeyExists(path))
            store.DeleteKey(path);
        store.CloseKey();
    }
    if (!store.OpenAppKey(AppRootCurrentUser, key, true))
        return false;
    bool written = true;
    try {
        store.WriteString(QString(), QString::number(m_MaxCount));
        for (int i = 0; i < Count(); ++i)
            store.WriteString(QString::number(i), m_Strings[i]);
    } catch (const ERegistryException&) {
        written = false;
    }
    store.CloseKey();
    return written;
}

void THistoryStringlist::LoadFromRegistry(TApplicationReg& store, const QString& key)
{
    Clear();
    if (store.OpenAppKey(AppRootCurrentUser, key, false)) {
        std::optional<int> storedMaxCount;
        if (const auto text = ReadStoredString(store, QString()))
            storedMaxCount = DecimalNumber(*text);
        // Everything is read before the events run, so that a handler may use the store too.
        const std::vector<QString> strings = ReadNumberedStrings(store);
        store.CloseKey();

        const bool wasSuppressed = m_ChangeEventsSuppressed;
        m_ChangeEventsSuppressed = true;
        // The stored maximum is no change of its own: loading reports one change at most.
        if (storedMaxCount && *storedMaxCount != 0)
            SetMaxCount(*storedMaxCount);
        // From the oldest to the newest, each to the front: the stored order comes back with
        // duplicates collapsed and the surplus trimmed from the end.
        for (auto text = strings.rbegin(); text != strings.rend(); ++text)
            AddHistory(*text);
        m_ChangeEventsSuppressed = wasSuppressed;
        if (!strings.empty())
            Changed();
    }
    m_Modified = false;
}

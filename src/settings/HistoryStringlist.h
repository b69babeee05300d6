#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TApplicationReg;

// Keys below the application key that hold the two history lists.
inline const QString HistoryOpenfilesKey = QStringLiteral("History Openfiles");
inline const QString HistoryMediafilesKey = QStringLiteral("History Mediafiles");

// A most-recently-used list of strings, index 0 the most recent. Strings are compared ignoring
// ASCII letter case; a string used again moves to the front with its latest spelling, and the
// list never holds more than MaxCount strings.
//
// Like any string list it has an update counter and a change notification: every change sets
// the modified flag and, outside an update and unless change events are suppressed, fires
// OnChange. An update that changed something ends with one such notification.
class THistoryStringlist {
public:
    using TAddingEvent = std::function<void(THistoryStringlist& list, const QString& text, bool& reject)>;
    using TChangeEvent = std::function<void(THistoryStringlist& list)>;

    static constexpr int DefaultMaxCount = 8;

    THistoryStringlist() = default;
    virtual ~THistoryStringlist() = default;
    THistoryStringlist(const THistoryStringlist&) = delete;
    THistoryStringlist& operator=(const THistoryStringlist&) = delete;

    TAddingEvent OnAdding; // may reject a string before it enters the list
    TChangeEvent OnChange;

    const QStringList& Strings() const { return m_Strings; }
    int Count() const { return static_cast<int>(m_Strings.size()); }
    // The string at index; empty outside 0..Count-1.
    QString Get(int index) const;
    // Index of the string equal to text ignoring ASCII letter case; -1 when there is none.
    int IndexOf(const QString& text) const;

    // Puts text at the front: 0, or -1 when text is empty or rejected.
    int AddHistory(const QString& text);
    // Inserts an admitted text at index (clamped to 0..Count after an older copy is removed),
    // then trims to MaxCount. False when the text was not admitted.
    bool Insert(int index, const QString& text);
    // An index outside 0..Count-1 deletes nothing.
    void Delete(int index);
    void Clear();

    int MaxCount() const { return m_MaxCount; }
    // A negative value is ignored; a different one is a change of the list (it is saved with
    // it), and a smaller one drops the oldest strings.
    void SetMaxCount(int maxCount);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return m_UpdateCount; }
    bool Modified() const { return m_Modified; }
    void SetModified(bool modified) { m_Modified = modified; }
    bool ChangeEventsSuppressed() const { return m_ChangeEventsSuppressed; }
    void SetChangeEventsSuppressed(bool suppressed) { m_ChangeEventsSuppressed = suppressed; }

    // key is a subkey of the store's application key; it is written anew each time. False when
    // it could not be written completely.
    bool SaveToRegistry(TApplicationReg& store, const QString& key);
    // Replaces the list with the stored one; a missing key leaves it empty. Either way the list
    // is unmodified afterwards.
    void LoadFromRegistry(TApplicationReg& store, const QString& key);

protected:
    // Runs after every change of the strings.
    virtual void Changed();

private:
    bool Admit(const QString& text);
    void Trim();

    QStringList m_Strings;
    int m_MaxCount = DefaultMaxCount;
    int m_UpdateCount = 0;
    bool m_ChangedInUpdate = false;
    bool m_Modified = false;
    bool m_ChangeEventsSuppressed = false;
};

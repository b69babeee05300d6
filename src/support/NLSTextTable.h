#pragma once

#include <QString>

#include <array>
#include <vector>

// The texts of the loaded files, sorted by id, with a small ring of the ids looked up last:
// forms ask for the same few ids many times in a row.
class TNLSTextTable {
public:
    // The first text added for an id stays.
    void Add(quint32 id, const QString& text);
    // Null when the id has no text.
    const QString* Find(quint32 id);
    void Clear();
    qsizetype Size() const { return static_cast<qsizetype>(Entries.size()); }

private:
    struct TEntry {
        quint32 Id;
        QString Text;
    };
    struct TRecent {
        quint32 Id = 0;
        qsizetype Index = -1; // -1: the slot is empty
    };
    static constexpr int RecentSlots = 5;

    void ForgetRecent();

    std::vector<TEntry> Entries;
    std::array<TRecent, RecentSlots> Recent;
    int NextRecent = 0; // [0, RecentSlots - 1]
};

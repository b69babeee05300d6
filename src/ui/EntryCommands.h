#pragma once

#include "model/Categories.h"
#include "model/VemoraEntries.h"
#include "ui/EntryListModel.h"

#include <QUndoCommand>

#include <functional>
#include <memory>
#include <vector>

// What the undo commands change, and how they show the entries they touched afterwards.
struct TEntryDocument {
    TVemoraEntries& Entries;
    TEntryListModel& Rows;
    std::function<void(const std::vector<TVemoraEntryBasic*>&)> Select;
};

// Entries out of the document, with their places in the file and in the list, so that they go
// back exactly where they were: the calendar export's event ids rest on the file order. While
// out, they are owned here.
class TTakenEntries {
public:
    TTakenEntries() = default;
    TTakenEntries(const TTakenEntries&) = delete;
    TTakenEntries& operator=(const TTakenEntries&) = delete;
    ~TTakenEntries();

    // Takes the entries (each once) out of the file and the list.
    void Take(TEntryDocument& document, const std::vector<TVemoraEntryBasic*>& entries);
    void PutBack(TEntryDocument& document);
    const std::vector<TVemoraEntryBasic*>& Entries() const { return m_Entries; }

private:
    std::vector<TVemoraEntryBasic*> m_Entries;
    std::vector<TPlacedEntry> m_Places;
    std::vector<TPlacedListRow> m_Rows;
    int m_SortGeneration = 0;
    bool m_Out = false;
};

// Deletes entries; undo puts them back.
class TDeleteEntriesCommand final : public QUndoCommand {
public:
    TDeleteEntriesCommand(TEntryDocument& document, std::vector<TVemoraEntryBasic*> entries);
    void redo() override;
    void undo() override;

private:
    TEntryDocument& m_Document;
    std::vector<TVemoraEntryBasic*> m_Doomed;
    TTakenEntries m_Taken;
};

// Adds new entries at the end of the file; undo takes them out again.
class TAddEntriesCommand final : public QUndoCommand {
public:
    TAddEntriesCommand(TEntryDocument& document, std::vector<std::unique_ptr<TVemoraEntryBasic>> entries);
    ~TAddEntriesCommand() override;
    void redo() override;
    void undo() override;

private:
    TEntryDocument& m_Document;
    std::vector<TVemoraEntryBasic*> m_New; // owned until the first redo
    TTakenEntries m_Taken;
    bool m_Added = false;
};

// An edited entry takes the place of the one it was made from, in the file and in the list;
// the two change places again at each undo and redo. A copy even when the kind stays: the
// entry the list holds is never changed under the command.
class TReplaceEntryCommand final : public QUndoCommand {
public:
    TReplaceEntryCommand(TEntryDocument& document, TVemoraEntryBasic* current, std::unique_ptr<TVemoraEntryBasic> edited);
    void redo() override { Swap(); }
    void undo() override { Swap(); }

private:
    void Swap();

    TEntryDocument& m_Document;
    TVemoraEntryBasic* m_Current;
    std::unique_ptr<TVemoraEntryBasic> m_Other;
};

// A check box toggled in the list.
class TSetActiveCommand final : public QUndoCommand {
public:
    TSetActiveCommand(TEntryDocument& document, TVemoraEntryBasic* entry, bool active);
    void redo() override { Apply(m_Active); }
    void undo() override { Apply(!m_Active); }

private:
    void Apply(bool active);

    TEntryDocument& m_Document;
    TVemoraEntryBasic* m_Entry;
    bool m_Active;
};

// The category table as the categories dialog left it.
class TCategoriesCommand final : public QUndoCommand {
public:
    TCategoriesCommand(TEntryDocument& document, const TCategories& before, const TCategories& after);
    void redo() override { Apply(m_After); }
    void undo() override { Apply(m_Before); }

private:
    void Apply(const TCategories& table);

    TEntryDocument& m_Document;
    TCategories m_Before;
    TCategories m_After;
};

#include "ui/EntryCommands.h"

#include "support/NLS.h"

namespace {

QString CountedText(quint32 oneId, const char* one, quint32 manyId, const char* many, std::size_t count)
{
    if (count == 1)
        return LanguageText(oneId, QString::fromUtf8(one));
    return LanguageText(manyId, QString::fromUtf8(many)).replace(QStringLiteral("%s"), QString::number(count));
}

} // namespace

TTakenEntries::~TTakenEntries()
{
    if (m_Out)
        for (TVemoraEntryBasic* entry : m_Entries)
            delete entry;
}

void TTakenEntries::Take(TEntryDocument& document, const std::vector<TVemoraEntryBasic*>& entries)
{
    m_SortGeneration = document.Rows.SortGeneration();
    m_Rows = document.Rows.TakeRows(document.Rows.RowsOfEntries(entries));
    m_Places = document.Entries.TakeEntries(entries);
    m_Entries.clear();
    for (const TPlacedEntry& place : m_Places)
        m_Entries.push_back(place.Entry);
    m_Out = true;
}

void TTakenEntries::PutBack(TEntryDocument& document)
{
    document.Entries.PutBack(m_Places);
    document.Rows.PutBackRows(m_Rows, m_SortGeneration);
    m_Out = false;
}

TDeleteEntriesCommand::TDeleteEntriesCommand(TEntryDocument& document, std::vector<TVemoraEntryBasic*> entries)
    : m_Document(document)
    , m_Doomed(std::move(entries))
{
    setText(CountedText(0x5D41A70C, "delete entry", 0x5D41A70D, "delete %s entries", m_Doomed.size()));
}

void TDeleteEntriesCommand::redo()
{
    m_Taken.Take(m_Document, m_Doomed);
    m_Document.Select({});
}

void TDeleteEntriesCommand::undo()
{
    m_Taken.PutBack(m_Document);
    m_Document.Select(m_Taken.Entries());
}

TAddEntriesCommand::TAddEntriesCommand(TEntryDocument& document, std::vector<std::unique_ptr<TVemoraEntryBasic>> entries)
    : m_Document(document)
{
    for (auto& entry : entries)
        m_New.push_back(entry.release());
    setText(CountedText(0x5D41A70A, "new entry", 0x5D41A70B, "add %s entries", m_New.size()));
}

TAddEntriesCommand::~TAddEntriesCommand()
{
    if (!m_Added)
        for (TVemoraEntryBasic* entry : m_New)
            delete entry;
}

void TAddEntriesCommand::redo()
{
    if (m_Added) {
        m_Taken.PutBack(m_Document);
    } else {
        // The first time the entries get their serial numbers; later they keep them. New ones
        // need no search of the list, which an import of thousands would pay for each.
        for (TVemoraEntryBasic* entry : m_New)
            m_Document.Entries.AppendNewEntry(std::unique_ptr<TVemoraEntryBasic>(entry));
        m_Document.Rows.AddListItems(m_New);
        m_Added = true;
    }
    m_Document.Select(m_New);
}

void TAddEntriesCommand::undo()
{
    m_Taken.Take(m_Document, m_New);
    m_Document.Select({});
}

TReplaceEntryCommand::TReplaceEntryCommand(TEntryDocument& document, TVemoraEntryBasic* current,
                                           std::unique_ptr<TVemoraEntryBasic> edited)
    : m_Document(document)
    , m_Current(current)
    , m_Other(std::move(edited))
{
    setText(LanguageText(0x5D41A70E, QStringLiteral("edit entry")));
}

void TReplaceEntryCommand::Swap()
{
    TVemoraEntryBasic* next = m_Other.get();
    const int row = m_Document.Rows.RowOfEntry(m_Current);
    m_Other.reset(m_Document.Entries.Replace(m_Current, m_Other.release()));
    m_Current = next;
    m_Document.Rows.SetRowEntry(row, next);
    m_Document.Rows.RefillRow(row);
    m_Document.Select({next});
}

TSetActiveCommand::TSetActiveCommand(TEntryDocument& document, TVemoraEntryBasic* entry, bool active)
    : m_Document(document)
    , m_Entry(entry)
    , m_Active(active)
{
    setText(active ? LanguageText(0x5D41A70F, QStringLiteral("switch entry on"))
                   : LanguageText(0x5D41A710, QStringLiteral("switch entry off")));
}

void TSetActiveCommand::Apply(bool active)
{
    if (m_Entry->Active() == active)
        return; // the first redo: the check box did it already
    m_Entry->SetActive(active);
    m_Document.Rows.ActiveChanged(m_Entry);
    m_Document.Select({m_Entry});
}

TCategoriesCommand::TCategoriesCommand(TEntryDocument& document, const TCategories& before, const TCategories& after)
    : m_Document(document)
    , m_Before(before)
    , m_After(after)
{
    setText(LanguageText(0x5D41A711, QStringLiteral("change categories")));
}

void TCategoriesCommand::Apply(const TCategories& table)
{
    m_Document.Entries.Categories().Assign(table);
    m_Document.Entries.SetFlags(flagModified, true);
    m_Document.Rows.RefreshCategoryColumn();
}

#include "model/VemoraEntries.h"

#include "model/EntryFactory.h"
#include "model/EntryFileHeader.h"
#include "model/EntrySource.h"
#include "model/EntryStream.h"
#include "model/ListRow.h"
#include "model/ModelErrors.h"
#include "platform/AtomicFile.h"
#include "support/DayNumbers.h"

#include <QBuffer>

#include <unordered_set>

namespace {

// The smallest records a count can stand for, to refuse counts the file cannot hold.
constexpr qsizetype MinRecordSize = 41;
constexpr qsizetype MinOldRecordSize = 16;

EEntryFileError FileCutShortError(const QString& fileName)
{
    return EEntryFileError(0x3A6F1C05, fileName);
}

bool EqualsIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'a' && x <= u'z')
            x = static_cast<char16_t>(x - 32);
        if (y >= u'a' && y <= u'z')
            y = static_cast<char16_t>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

TVemoraEntries::TVemoraEntries()
{
    SetFlags(flagSorted, false);
}

TVemoraEntries::~TVemoraEntries()
{
    for (int i = Count() - 1; i >= 0; --i)
        delete Get(i);
}

int TVemoraEntries::Compare(const TVemoraEntryBasic* item1, const TVemoraEntryBasic* item2, int mode) const
{
    return item1->Compare(*item2, mode);
}

void TVemoraEntries::Delete(int index)
{
    TVemoraEntryBasic* entry = Get(index);
    TListSorted<TVemoraEntryBasic>::Delete(index);
    delete entry;
}

std::vector<TPlacedEntry> TVemoraEntries::TakeEntries(const std::vector<TVemoraEntryBasic*>& entries)
{
    const std::unordered_set<const TVemoraEntryBasic*> doomed(entries.begin(), entries.end());
    std::vector<TPlacedEntry> taken;
    for (int i = 0; i < Count(); ++i)
        if (doomed.contains(Get(i)))
            taken.push_back({i, Get(i)});
    if (!taken.empty())
        DeleteWhere([&doomed](const TVemoraEntryBasic* entry) { return doomed.contains(entry); });
    return taken;
}

void TVemoraEntries::PutBack(const std::vector<TPlacedEntry>& placed)
{
    std::vector<std::pair<int, TVemoraEntryBasic*>> items;
    items.reserve(placed.size());
    for (const TPlacedEntry& place : placed) {
        place.Entry->SetOwner(this);
        items.emplace_back(place.Index, place.Entry);
    }
    InsertPlaced(items);
}

TVemoraEntryBasic* TVemoraEntries::Replace(TVemoraEntryBasic* current, TVemoraEntryBasic* entry)
{
    const int index = IndexOfEntry(current);
    if (index < 0)
        return nullptr;
    DeleteItem(index);
    entry->SetOwner(this);
    InsertAt(index, entry);
    return current;
}

void TVemoraEntries::Clear()
{
    TListSorted<TVemoraEntryBasic>::Clear();
    m_FileVersion = 0;
    m_Categories.Clear();
}

int TVemoraEntries::AddEntry(TVemoraEntryBasic* entry)
{
    entry->SetNumber(NextNumber());
    const int index = Add(entry);
    if (index >= 0)
        entry->SetOwner(this);
    return index;
}

int TVemoraEntries::AddEntry(std::unique_ptr<TVemoraEntryBasic> entry)
{
    return AddEntry(entry.release());
}

// A fresh entry cannot be in the list yet, so the duplicate search of Add, which costs a
// pass over the list per entry, is left out: loading stays linear.
void TVemoraEntries::AppendNewEntry(std::unique_ptr<TVemoraEntryBasic> entry)
{
    entry->SetNumber(NextNumber());
    entry->SetOwner(this);
    InsertAt(Count(), entry.release());
}

quint16 TVemoraEntries::NextNumber()
{
    ++m_NumberCounter;
    return static_cast<quint16>(m_NumberCounter);
}

int TVemoraEntries::IndexOfEntry(const TVemoraEntryBasic* entry) const
{
    for (int i = 0; i < Count(); ++i)
        if (Get(i) == entry)
            return i;
    return -1;
}

bool TVemoraEntries::FindByText(const QString& text, int& index, const TVemoraEntryBasic* exclude) const
{
    for (int i = 0; i < Count(); ++i) {
        if (Get(i) != exclude && EqualsIgnoringAsciiCase(Get(i)->DisplayText(), text)) {
            index = i;
            return true;
        }
    }
    return false;
}

bool TVemoraEntries::IsCategoryUsed(quint8 id) const
{
    for (int i = 0; i < Count(); ++i)
        if (Get(i)->Category() == id)
            return true;
    return false;
}

std::vector<TVemoraEntryBasic*> TVemoraEntries::GetDueEntries(qint32 day)
{
    std::vector<TVemoraEntryBasic*> due;
    for (int i = 0; i < Count(); ++i) {
        TVemoraEntryBasic* entry = Get(i);
        if (entry->IsDue(day) && entry->Active())
            due.push_back(entry);
    }
    return due;
}

void TVemoraEntries::LoadFromStream(TEntryReader& reader)
{
    if (m_FileVersion >= 2)
        m_Categories.LoadFromStream(reader);
    const qint32 count = reader.ReadCount(m_FileVersion >= 2 ? MinRecordSize : MinOldRecordSize, "entries");
    SetCapacity(Count() + count);
    for (qint32 i = 0; i < count; ++i) {
        const int kind = m_FileVersion >= 2 ? static_cast<int>(reader.ReadByte()) : static_cast<int>(ekYearly);
        std::unique_ptr<TVemoraEntryBasic> entry = CreateEntry(kind);
        if (!entry)
            throw EEntryFileError(QStringLiteral("entry %1 has the unknown type %2").arg(i + 1).arg(kind));
        entry->LoadFromStream(reader, m_FileVersion);
        AppendNewEntry(std::move(entry));
    }
}

void TVemoraEntries::SaveToStream(TEntryWriter& writer) const
{
    m_Categories.SaveToStream(writer);
    writer.WriteInt(Count());
    for (int i = 0; i < Count(); ++i)
        Get(i)->SaveToStream(writer);
}

bool TVemoraEntries::LoadFromFile(const QString& fileName)
{
    const std::shared_ptr<TFileEntrySource> source = TFileEntrySource::Open(fileName);
    if (!source)
        throw EEntryFileError(0x3A6F1C03, fileName);
    QByteArray headerBytes(EntryFileHeaderSize, '\0');
    if (!source->ReadAt(0, headerBytes.data(), EntryFileHeaderSize))
        return false;
    QBuffer headerBuffer(&headerBytes);
    headerBuffer.open(QIODevice::ReadOnly);
    TEntryFileHeader header;
    if (!ReadHeader(headerBuffer, &header) || header.Version > EntryFileVersion)
        return false;
    TEntryReader reader(source, EntryFileHeaderSize);
    // Read into a list of its own, so that a damaged file changes nothing here.
    TVemoraEntries loaded;
    loaded.m_FileVersion = header.Version;
    loaded.m_NumberCounter = m_NumberCounter;
    try {
        loaded.LoadFromStream(reader);
    } catch (const EEntryFileError&) {
        if (reader.Intact())
            throw;
        throw FileCutShortError(fileName);
    }
    if (!reader.Intact())
        throw FileCutShortError(fileName);

    Clear();
    m_FileVersion = loaded.m_FileVersion;
    m_NumberCounter = loaded.m_NumberCounter;
    m_Categories.Assign(loaded.m_Categories);
    SetCapacity(loaded.Count());
    for (int i = 0; i < loaded.Count(); ++i) {
        TVemoraEntryBasic* entry = loaded.Get(i);
        entry->SetOwner(this);
        InsertAt(Count(), entry);
    }
    loaded.ReleaseAll();
    SetFlags(flagModified, header.Version < EntryFileVersion);
    return true;
}

void TVemoraEntries::SaveToFile(const QString& fileName) const
{
    QByteArray headerBytes;
    {
        QBuffer buffer(&headerBytes);
        buffer.open(QIODevice::WriteOnly);
        WriteHeader(buffer);
    }
    const bool saved = WriteFileAtomically(fileName, [this, &headerBytes](QIODevice& file) {
        TEntryWriter writer(&file);
        writer.WriteBytes(headerBytes);
        SaveToStream(writer);
        return writer.Finish();
    });
    if (!saved)
        throw EEntryFileError(0x3A6F1C04, fileName);
}

void TVemoraEntries::ReleaseAll()
{
    for (int i = Count() - 1; i >= 0; --i)
        DeleteItem(i);
}

void TVemoraEntries::FillListView(TListRows& rows)
{
    rows.BeginUpdate();
    rows.ClearRows();
    rows.ReserveRows(Count());
    // Asking the clock is dear, and every row must agree on the day.
    const qint32 today = Today();
    for (int i = 0; i < Count(); ++i)
        Get(i)->FillListItem(rows.AddRow(), today);
    rows.EndUpdate();
}

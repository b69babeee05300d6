#pragma once

#include "model/Categories.h"
#include "model/VemoraEntryBasic.h"
#include "support/Lists.h"

#include <QString>

#include <memory>
#include <vector>

class TEntryReader;
class TEntryWriter;
class TListRows;

// An entry with its place in the file.
struct TPlacedEntry {
    int Index;
    TVemoraEntryBasic* Entry;
};

// The content of one entry file: its entries in file order, which the list owns, its
// category table and the version it was read from. The modified flag is the document's.
class TVemoraEntries : public TListSorted<TVemoraEntryBasic> {
public:
    TVemoraEntries();
    ~TVemoraEntries() override;

    int Compare(const TVemoraEntryBasic* item1, const TVemoraEntryBasic* item2, int mode) const override;
    void Delete(int index) override;
    void Clear() override;
    // Takes these entries out of the list without freeing them, in one pass over the list;
    // each with its place, ascending.
    std::vector<TPlacedEntry> TakeEntries(const std::vector<TVemoraEntryBasic*>& entries);
    // Puts taken entries back at their places; the list owns them again.
    void PutBack(const std::vector<TPlacedEntry>& placed);
    // Puts entry in the place of current, which the list gives up unfreed; nullptr, and
    // nothing changed, when current is not in the list.
    TVemoraEntryBasic* Replace(TVemoraEntryBasic* current, TVemoraEntryBasic* entry);

    // Takes the entry into the list (it becomes the owner) and gives it the next serial; an
    // entry already in the list keeps its place.
    int AddEntry(TVemoraEntryBasic* entry);
    int AddEntry(std::unique_ptr<TVemoraEntryBasic> entry);
    // Adds an entry made just now at the end, without AddEntry's search for it in the list.
    void AppendNewEntry(std::unique_ptr<TVemoraEntryBasic> entry);
    quint16 NextNumber();
    TVemoraEntryBasic* Items(int index) const { return Get(index); }
    int IndexOfEntry(const TVemoraEntryBasic* entry) const;
    bool FindByText(const QString& text, int& index, const TVemoraEntryBasic* exclude = nullptr) const;
    bool IsCategoryUsed(quint8 id) const;
    // The active entries due on day, in list order; the list still owns them.
    std::vector<TVemoraEntryBasic*> GetDueEntries(qint32 day);

    // False for a file that is no entry file or of a newer version; EEntryFileError for one
    // that cannot be opened or is damaged. Either way a failed load leaves the list as it was.
    bool LoadFromFile(const QString& fileName);
    // Replaces the file atomically; EEntryFileError when it cannot be written, and the old
    // file is then untouched.
    void SaveToFile(const QString& fileName) const;
    void LoadFromStream(TEntryReader& reader);
    void SaveToStream(TEntryWriter& writer) const;
    void FillListView(TListRows& rows);

    quint8 FileVersion() const { return m_FileVersion; }
    TCategories& Categories() { return m_Categories; }
    const TCategories& Categories() const { return m_Categories; }

private:
    // Gives up the entries without freeing them: they moved to another list.
    void ReleaseAll();

    quint8 m_FileVersion = 0;
    qint32 m_NumberCounter = 0;
    TCategories m_Categories;
};

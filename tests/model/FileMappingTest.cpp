// Entry files are read in place. Another program cutting the file short meanwhile must end in
// a read error, never in the end of the process.
#include "model/EntrySource.h"
#include "model/EntryStream.h"

#include "TestSupport.h"

#include <QFile>

namespace {

constexpr qint64 ThreePages = 3 * 4096;

// A file cut short under the reader reads on as zeros, and only that reader says that the bytes
// were not all the file's.
TEST(FileMappingTest, TheReaderNoticesAFileCutShortUnderIt)
{
    TTemporaryHome home;
    const QString cutPath = home.WriteFile(QStringLiteral("cut"), QByteArray(ThreePages, '\x07'));
    const std::shared_ptr<TFileEntrySource> cut = TFileEntrySource::Open(cutPath);
    const std::shared_ptr<TFileEntrySource> untouched =
        TFileEntrySource::Open(home.WriteFile(QStringLiteral("untouched"), QByteArray(ThreePages, 'u')));
    ASSERT_TRUE(cut && untouched);
    TEntryReader reader(cut);
    TEntryReader untouchedReader(untouched);
    EXPECT_EQ(reader.ReadInt(), 0x07070707);
    ASSERT_TRUE(QFile::resize(cutPath, 8));
    EXPECT_EQ(reader.ReadInt(), 0x07070707);
    EXPECT_TRUE(reader.Intact()) << "nothing read past the new end yet";
    std::vector<qint32> days;
    reader.ReadInts(2000, days);
    EXPECT_EQ(std::tuple(days.back(), reader.Intact(), cut->Unchanged()), std::tuple(0, false, false));
    untouchedReader.ReadInts(ThreePages / 4, days);
    EXPECT_EQ(std::tuple(days.back(), untouchedReader.Intact(), untouched->Unchanged()),
              std::tuple(0x75757575, true, true));
}

} // namespace

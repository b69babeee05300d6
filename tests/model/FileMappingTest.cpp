// Entry files are read in place. Another program cutting the file short meanwhile must end in
// a read error, never in the end of the process.
#include "model/EntrySource.h"
#include "model/EntryStream.h"
#include "model/FileMapping.h"
#include "model/ModelErrors.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 ThreePages = 3 * 4096;

class FileMappingTest : public testing::Test {
protected:
    QTemporaryDir Directory;

    QString FileWith(const QString& name, const QByteArray& content)
    {
        const QString path = Directory.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(content), content.size());
        return path;
    }

    // Three pages of one byte.
    QString FileOf(char filler) { return FileWith(QString::number(filler), QByteArray(ThreePages, filler)); }

    static int OpenForReading(const QString& path) { return ::open(QFile::encodeName(path).constData(), O_RDONLY); }
};

// Only the view of the file cut short is marked, and only once it was read past the new end.
TEST_F(FileMappingTest, ZerosTakeThePlaceOfBytesCutOffWhileViewed)
{
    const QString cutPath = FileOf('c');
    const int cutDescriptor = OpenForReading(cutPath);
    const int keptDescriptor = OpenForReading(FileOf('k'));
    std::unique_ptr<TFileMapping> cut = TFileMapping::Map(cutDescriptor, 0, ThreePages);
    const std::unique_ptr<TFileMapping> kept = TFileMapping::Map(keptDescriptor, 0, ThreePages);
    ASSERT_TRUE(cut && kept);
    EXPECT_EQ(cut->Data()[ThreePages - 1], 'c');
    ASSERT_TRUE(QFile::resize(cutPath, 100));
    EXPECT_TRUE(cut->Intact()) << "nothing read past the new end yet";
    EXPECT_EQ(cut->Data()[99], 'c');
    EXPECT_EQ(cut->Data()[5000], '\0');
    EXPECT_EQ(cut->Data()[ThreePages - 1], '\0');
    EXPECT_EQ(kept->Data()[5000], 'k');
    EXPECT_FALSE(cut->Intact());
    EXPECT_TRUE(kept->Intact());
    cut.reset();
    ::close(cutDescriptor);
    ::close(keptDescriptor);
}

// Views are a limited resource; past the limit, and for files that cannot be viewed, the caller
// reads the file instead, and a view given back can be had again.
TEST_F(FileMappingTest, ViewsRunOutAndComeBack)
{
    const int descriptor = OpenForReading(FileOf('v'));
    EXPECT_FALSE(TFileMapping::Map(descriptor, 0, 0));
    std::vector<std::unique_ptr<TFileMapping>> views;
    while (std::unique_ptr<TFileMapping> view = TFileMapping::Map(descriptor, 0, ThreePages)) {
        views.push_back(std::move(view));
        ASSERT_LT(views.size(), 1000u);
    }
    ASSERT_FALSE(views.empty());
    views.pop_back();
    EXPECT_TRUE(TFileMapping::Map(descriptor, 0, ThreePages));
    ::close(descriptor);
}

// A view may begin anywhere, not only where the system's pages begin.
TEST_F(FileMappingTest, AViewBeginsAtItsOffset)
{
    QByteArray content;
    for (int i = 0; i < ThreePages; ++i)
        content.append(static_cast<char>(i % 251));
    const int descriptor = OpenForReading(FileWith(QStringLiteral("counting"), content));
    for (const qint64 offset : {qint64(0), qint64(1), qint64(4095), qint64(4096), qint64(5000)}) {
        const std::unique_ptr<TFileMapping> view = TFileMapping::Map(descriptor, offset, 100);
        ASSERT_TRUE(view);
        EXPECT_EQ(view->Size(), 100);
        EXPECT_EQ(QByteArray(view->Data(), 100), content.mid(offset, 100)) << offset;
    }
    ::close(descriptor);
}

// What LoadFromFile relies on: a file cut short under the reader reads on as zeros, and the
// reader says that the bytes were not all the file's; an untouched file reads intact.
TEST_F(FileMappingTest, TheReaderNoticesAFileCutShortUnderIt)
{
    const QString path = FileOf('\x07');
    const std::shared_ptr<TFileEntrySource> source = TFileEntrySource::Open(path);
    const std::shared_ptr<TFileEntrySource> untouched = TFileEntrySource::Open(FileOf('u'));
    ASSERT_TRUE(source && untouched);
    TEntryReader reader(source);
    TEntryReader untouchedReader(untouched);
    EXPECT_EQ(reader.ReadInt(), 0x07070707);
    ASSERT_TRUE(QFile::resize(path, 8));
    EXPECT_EQ(reader.ReadInt(), 0x07070707);
    std::vector<qint32> days;
    reader.ReadInts(2000, days);
    EXPECT_EQ(days.back(), 0);
    EXPECT_FALSE(reader.Intact());
    EXPECT_FALSE(source->Unchanged());
    untouchedReader.ReadInts(ThreePages / 4, days);
    EXPECT_EQ(days.back(), 0x75757575);
    EXPECT_TRUE(untouchedReader.Intact());
}

} // namespace

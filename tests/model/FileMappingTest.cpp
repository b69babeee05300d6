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
    QString FileOf(char filler)
    {
        return FileWith(QStringLiteral("file-%1").arg(QLatin1Char(filler)), QByteArray(ThreePages, filler));
    }

    static int OpenForReading(const QString& path) { return ::open(QFile::encodeName(path).constData(), O_RDONLY); }

    static void CutShort(const QString& path, qint64 size) { ASSERT_TRUE(QFile::resize(path, size)); }
};

TEST_F(FileMappingTest, ZerosTakeThePlaceOfBytesCutOffWhileViewed)
{
    const QString path = FileOf('x');
    const int descriptor = OpenForReading(path);
    std::unique_ptr<TFileMapping> view = TFileMapping::Map(descriptor, 0, ThreePages);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->Data()[ThreePages - 1], 'x');
    CutShort(path, 100);
    EXPECT_TRUE(view->Intact()) << "nothing read past the new end yet";
    EXPECT_EQ(view->Data()[99], 'x');
    EXPECT_EQ(view->Data()[5000], '\0');
    EXPECT_EQ(view->Data()[ThreePages - 1], '\0');
    EXPECT_FALSE(view->Intact());
    view.reset();
    ::close(descriptor);
}

TEST_F(FileMappingTest, OnlyTheViewOfTheFileCutShortIsMarked)
{
    const QString cutPath = FileOf('c');
    const QString keptPath = FileOf('k');
    const int cutDescriptor = OpenForReading(cutPath);
    const int keptDescriptor = OpenForReading(keptPath);
    const std::unique_ptr<TFileMapping> cut = TFileMapping::Map(cutDescriptor, 0, ThreePages);
    const std::unique_ptr<TFileMapping> kept = TFileMapping::Map(keptDescriptor, 0, ThreePages);
    ASSERT_TRUE(cut && kept);
    CutShort(cutPath, 0);
    EXPECT_EQ(cut->Data()[4096], '\0');
    EXPECT_EQ(kept->Data()[4096], 'k');
    EXPECT_FALSE(cut->Intact());
    EXPECT_TRUE(kept->Intact());
    ::close(cutDescriptor);
    ::close(keptDescriptor);
}

// Views are a limited resource; past the limit, and for files that cannot be viewed, the caller
// reads the file instead, and a view given back can be had again.
TEST_F(FileMappingTest, ViewsRunOutAndComeBack)
{
    const QString path = FileOf('v');
    const int descriptor = OpenForReading(path);
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
    const QString path = FileWith(QStringLiteral("counting"), content);
    const int descriptor = OpenForReading(path);
    for (const qint64 offset : {qint64(0), qint64(1), qint64(4095), qint64(4096), qint64(5000)}) {
        const std::unique_ptr<TFileMapping> view = TFileMapping::Map(descriptor, offset, 100);
        ASSERT_TRUE(view);
        EXPECT_EQ(view->Size(), 100);
        EXPECT_EQ(QByteArray(view->Data(), 100), content.mid(offset, 100)) << offset;
    }
    ::close(descriptor);
}

// What LoadFromFile relies on: a file cut short under the reader reads on as zeros, and the
// reader says that the bytes were not all the file's.
TEST_F(FileMappingTest, TheReaderNoticesAFileCutShortUnderIt)
{
    const QString path = FileOf('\x07');
    const std::shared_ptr<TFileEntrySource> source = TFileEntrySource::Open(path);
    ASSERT_TRUE(source);
    TEntryReader reader(source);
    EXPECT_EQ(reader.ReadInt(), 0x07070707);
    CutShort(path, 8);
    EXPECT_EQ(reader.ReadInt(), 0x07070707);
    std::vector<qint32> days;
    reader.ReadInts(2000, days);
    EXPECT_EQ(days.back(), 0);
    EXPECT_FALSE(reader.Intact());
    EXPECT_FALSE(source->Unchanged());
}

TEST_F(FileMappingTest, AnUntouchedFileReadsIntact)
{
    const std::shared_ptr<TFileEntrySource> source = TFileEntrySource::Open(FileOf('u'));
    ASSERT_TRUE(source);
    TEntryReader reader(source);
    std::vector<qint32> days;
    reader.ReadInts(ThreePages / 4, days);
    EXPECT_EQ(days.back(), 0x75757575);
    EXPECT_TRUE(reader.Intact());
}

} // namespace

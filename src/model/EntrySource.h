#pragma once

#include "model/FileMapping.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <sys/types.h>

// The bytes of an entry file, read where they are needed: the occurrence days of a large
// cache stay in the file until something looks inside them.
class TEntrySource {
public:
    virtual ~TEntrySource() = default;
    virtual qint64 Size() const = 0;
    // Copies size bytes from offset; false when they cannot be read.
    virtual bool ReadAt(qint64 offset, char* buffer, qint64 size) const = 0;
    // False once the file has changed since it was opened: its bytes may no longer be the ones
    // that were parsed.
    virtual bool Unchanged() const { return true; }
    // All bytes at once, when they are in memory anyway.
    virtual const char* Data() const { return nullptr; }
    // size bytes from offset, seen in place instead of copied; nullptr when that is not possible.
    virtual std::unique_ptr<TFileMapping> View(qint64 /*offset*/, qint64 /*size*/) const { return nullptr; }
};

// While one lives, a file found unchanged once is taken as unchanged: a pass that looks inside
// the caches of thousands of entries asks the file system once, not once per cache. Passes
// are short and run on one thread; reading a cache still checks its days' order and ends.
class TSourceCheckScope {
public:
    TSourceCheckScope();
    ~TSourceCheckScope();
    TSourceCheckScope(const TSourceCheckScope&) = delete;
    TSourceCheckScope& operator=(const TSourceCheckScope&) = delete;

    // The scope in force, 0 when none is.
    static quint64 Current();
};

class TMemoryEntrySource final : public TEntrySource {
public:
    explicit TMemoryEntrySource(QByteArray data);
    qint64 Size() const override { return m_Data.size(); }
    bool ReadAt(qint64 offset, char* buffer, qint64 size) const override;
    const char* Data() const override { return m_Data.constData(); }

private:
    QByteArray m_Data;
};

// Keeps the file open: a file replaced by saving (a rename) stays readable under the old
// handle, and one changed in place is noticed by its size and modification time.
class TFileEntrySource final : public TEntrySource {
public:
    // nullptr when the file cannot be opened.
    static std::shared_ptr<TFileEntrySource> Open(const QString& fileName);
    ~TFileEntrySource() override;
    TFileEntrySource(const TFileEntrySource&) = delete;
    TFileEntrySource& operator=(const TFileEntrySource&) = delete;

    qint64 Size() const override { return m_Size; }
    bool ReadAt(qint64 offset, char* buffer, qint64 size) const override;
    bool Unchanged() const override;
    std::unique_ptr<TFileMapping> View(qint64 offset, qint64 size) const override;

private:
    TFileEntrySource(int descriptor, qint64 size, qint64 modified);

    int m_Descriptor;
    qint64 m_Size;
    qint64 m_Modified; // nanoseconds
    mutable quint64 m_CheckedInScope = 0;
};

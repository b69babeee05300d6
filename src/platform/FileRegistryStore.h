#pragma once

#include "platform/RegistryFileFormat.h"

#include "platform/RegistryBackend.h"
#include "platform/RegistryTree.h"

#include <QString>

#include <functional>
#include <sys/types.h>

// The current user's settings, kept in one registry-export text file. Reads come from a copy
// that is refreshed whenever the file changes; every write is one locked read-modify-write
// that replaces the file atomically, so running copies of the program lose none of each
// other's values. A damaged or unreadable file is moved aside and reported, never overwritten.
class TFileRegistryStore final : public TRegistryBackend {
public:
    explicit TFileRegistryStore(QString filePath);

    // $VEMORA_HOME/registry.reg, else $XDG_CONFIG_HOME/Vemora/registry.reg.
    static QString DefaultFilePath();
    const QString& FilePath() const { return m_FilePath; }

    bool KeyExists(const QString& path) override;
    bool CreateKey(const QString& path) override;
    bool DeleteKey(const QString& path) override;
    QStringList SubKeyNames(const QString& path) override;
    QStringList ValueNames(const QString& path) override;
    std::optional<TRegistryValue> ReadValue(const QString& path, const QString& name) override;
    bool WriteValue(const QString& path, const QString& name, const TRegistryValue& value) override;
    bool DeleteValue(const QString& path, const QString& name) override;

private:
    struct TFileStamp {
        bool Exists = false;
        dev_t Device = 0;
        ino_t Inode = 0;
        off_t Size = 0;
        long long ModifiedNs = 0;
        friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
    };

    const TRegistryTree& Current();
    bool Modify(const std::function<bool(TRegistryTree&)>& change);
    // Reads the file into m_Tree; a damaged file is moved aside and the tree left empty.
    // False when a damaged file is still in place.
    bool Reload();
    bool MoveAside(const QString& reason);
    bool KeepWhatCanBeRead(TRegistryParseResult& parsed);
    TFileStamp Stamp() const;

    QString m_FilePath;
    TRegistryTree m_Tree;
    TFileStamp m_Stamp;
    bool m_Loaded = false;
};

#pragma once

#include "platform/Registry.h"

#include <QString>
#include <QVariant>

class QColor;
class QFont;
class QHeaderView;
class QWidget;

// Type codes for ReadValue, numbered as variant types are.
enum TValueTypeCode : int {
    vtSmallint = 2,
    vtInteger = 3,
    vtSingle = 4,
    vtDouble = 5,
    vtCurrency = 6,
    vtDate = 7,
    vtBoolean = 11,
    vtByte = 17,
    vtString = 256,
};

// The registry access class with typed reads and the shared writers and readers for fonts,
// window placement and list columns. The font, placement and list operations live in the
// widgets part of the settings library.
class TCustomRegistry : public TRegistry {
public:
    using TRegistry::TRegistry;

    // Reads an existing value of the open key into target; false, with target unchanged, when
    // the value is absent or of the wrong type or size.
    bool ReadValue(const QString& name, QVariant& target, int valueTypeCode);

    // The font's colour has no place in QFont, so it travels beside it.
    bool ReadFont(QFont* font, QColor* color = nullptr);
    bool WriteFont(const QFont* font, const QColor* color = nullptr);
    bool SavePlacement(const QWidget* form);
    bool RestorePlacement(QWidget* form);
    void LoadListViewState(QHeaderView* listView);
    void SaveListViewState(QHeaderView* listView, bool withFont);
};

// The store of the program's settings, below \Software\Orvalin\<AppName>\<major>\<minor> of
// the current user.
class TApplicationReg : public TCustomRegistry {
public:
    // An empty versionText takes the version of the running executable.
    explicit TApplicationReg(const QString& appName = QString(), const QString& versionText = QString());

    const QString& AppName() const { return m_AppName; }
    void SetAppName(const QString& name);
    QString RootPath();
    const QString& VersionText();
    const QString& VersionPath();

    // root is added to the base of the predefined roots: 1 is the current user.
    bool OpenAppKey(int root, const QString& subKey, bool write);
    // Deletes the application key with everything below it, then its parents while empty.
    bool DeleteAppKey();

private:
    QString m_VersionText;
    QString m_AppName;
    QString m_VersionPath;
};

inline constexpr int AppRootCurrentUser = 1;

// The platform's default folder for media files; empty when there is none.
QString GetMediaPath();
QString CombineKeyPath(const QString& base, const QString& sub);
QString ParentKeyPath(const QString& path);

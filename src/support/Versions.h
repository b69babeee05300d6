#pragma once

#include "settings/Version.h"

#include <QLabel>

#include <array>

// A label that shows a caption followed by chosen parts of the running program's version,
// for instance "Version 2.1".
class TVersionLabel : public QLabel {
    Q_OBJECT
    // Settable from form descriptions.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TVersionLabel(QWidget* parent = nullptr);
    explicit TVersionLabel(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return m_Caption; }
    void SetCaption(const QString& caption);
    TVersionParts ShowVersion() const { return m_ShowVersion; }
    void SetShowVersion(TVersionParts parts);

private:
    void UpdateText();

    std::array<QString, 4> m_Parts;
    TVersionParts m_ShowVersion = vpMajor | vpMinor;
    QString m_Caption;
};

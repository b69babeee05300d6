#include "support/Versions.h"

#include <QStringList>

TVersionLabel::TVersionLabel(QWidget* parent)
    : TVersionLabel(QString(), parent)
{
}

TVersionLabel::TVersionLabel(const QString& caption, QWidget* parent)
    : QLabel(parent)
    , m_Caption(caption)
{
    // An unreadable version has all parts 0: the label still shows a number.
    const TVersion version(TVersion::RunningExecutablePath());
    for (std::size_t i = 0; i < m_Parts.size(); ++i)
        m_Parts[i] = QString::number(version.Number()[i]);
    setWordWrap(false);
    UpdateText();
}

void TVersionLabel::SetCaption(const QString& caption)
{
    if (caption == m_Caption)
        return;
    m_Caption = caption;
    UpdateText();
}

void TVersionLabel::SetShowVersion(TVersionParts parts)
{
    m_ShowVersion = parts;
    UpdateText();
}

void TVersionLabel::UpdateText()
{
    QStringList shown;
    for (std::size_t i = 0; i < m_Parts.size(); ++i)
        if (m_ShowVersion & (1u << i))
            shown.append(m_Parts[i]);
    setText(m_Caption + shown.join(u'.'));
}

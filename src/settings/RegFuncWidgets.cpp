// The settings store's operations on fonts, windows and list columns.
#include "settings/RegFunc.h"

#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QWidget>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

#include <optional>

namespace {

std::optional<int> ReadInt(TCustomRegistry& registry, const QString& name)
{
    QVariant value;
    if (!registry.ReadValue(name, value, vtInteger))
        return std::nullopt;
    return value.toInt();
}

std::optional<bool> ReadBoolean(TCustomRegistry& registry, const QString& name)
{
    QVariant value;
    if (!registry.ReadValue(name, value, vtBoolean))
        return std::nullopt;
    return value.toBool();
}

// Colours are stored with red in the lowest byte; negative numbers name system colours,
// which have no fixed value here.
std::optional<QColor> ColorFromStored(int stored)
{
    if (stored < 0)
        return std::nullopt;
    return QColor(stored & 0xff, (stored >> 8) & 0xff, (stored >> 16) & 0xff);
}

int ColorToStored(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

// The widget whose font a list's settings keep: the view that owns the header.
QWidget* ListViewOf(QHeaderView* header)
{
    return header->parentWidget() ? header->parentWidget() : header;
}

QRect OnSomeScreen(QRect rect)
{
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(rect))
            return rect;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        rect.moveTopLeft(primary->availableGeometry().topLeft());
    return rect;
}

void ApplyStyles(TCustomRegistry& registry, QFont& font)
{
    if (const auto bold = ReadBoolean(registry, QStringLiteral("Bold")))
        font.setBold(*bold);
    if (const auto italic = ReadBoolean(registry, QStringLiteral("Italic")))
        font.setItalic(*italic);
    if (const auto underline = ReadBoolean(registry, QStringLiteral("Underline")))
        font.setUnderline(*underline);
    if (const auto strikeOut = ReadBoolean(registry, QStringLiteral("Strikeout")))
        font.setStrikeOut(*strikeOut);
}

} // namespace

bool TCustomRegistry::ReadFont(QFont* font, QColor* color)
{
    if (!font)
        return false;
    if (const auto stored = ReadInt(*this, QStringLiteral("Color")))
        if (const auto fromStored = ColorFromStored(*stored); fromStored && color)
            *color = *fromStored;
    if (const auto height = ReadInt(*this, QStringLiteral("Height")); height && *height != 0)
        font->setPixelSize(std::abs(*height));
    QVariant name;
    if (ReadValue(QStringLiteral("Name"), name, vtString) && !name.toString().isEmpty())
        font->setFamily(name.toString());
    ReadInt(*this, QStringLiteral("CharSet")); // Qt chooses the character set by itself
    if (const auto pitch = ReadInt(*this, QStringLiteral("Pitch")); pitch && *pitch != 0)
        font->setFixedPitch(*pitch == 2);
    if (const auto size = ReadInt(*this, QStringLiteral("Size")); size && *size > 0)
        font->setPointSize(*size);
    ApplyStyles(*this, *font);
    return true;
}

bool TCustomRegistry::WriteFont(const QFont* font, const QColor* color)
{
    if (!font)
        return false;
    const QFontInfo info(*font);
    try {
        WriteInteger(QStringLiteral("CharSet"), 1);
        WriteInteger(QStringLiteral("Color"), color ? ColorToStored(*color) : 0);
        WriteInteger(QStringLiteral("Height"), -info.pixelSize());
        WriteString(QStringLiteral("Name"), font->family());
        WriteInteger(QStringLiteral("Pitch"), font->fixedPitch() ? 2 : 0);
        WriteInteger(QStringLiteral("Size"), font->pointSize() > 0 ? font->pointSize() : info.pointSize());
        WriteBool(QStringLiteral("Bold"), font->bold());
        WriteBool(QStringLiteral("Italic"), font->italic());
        WriteBool(QStringLiteral("Underline"), font->underline());
        WriteBool(QStringLiteral("Strikeout"), font->strikeOut());
    } catch (const ERegistryException&) {
        return false;
    }
    return true;
}

bool TCustomRegistry::SavePlacement(const QWidget* form)
{
    if (!form)
        return true;
    const int state = form->isMinimized() ? 1 : form->isMaximized() ? 2 : 0;
    const QRect normal = form->normalGeometry();
    try {
        WriteInteger(QStringLiteral("State"), state);
        if (!normal.isValid())
            return false;
        WriteInteger(QStringLiteral("Top"), normal.top());
        WriteInteger(QStringLiteral("Right"), normal.left() + normal.width());
        WriteInteger(QStringLiteral("Bottom"), normal.top() + normal.height());
        WriteInteger(QStringLiteral("Left"), normal.left());
    } catch (const ERegistryException&) {
        return false;
    }
    return true;
}

bool TCustomRegistry::RestorePlacement(QWidget* form)
{
    if (!form)
        return false;
    const auto top = ReadInt(*this, QStringLiteral("Top"));
    const auto left = ReadInt(*this, QStringLiteral("Left"));
    const auto bottom = ReadInt(*this, QStringLiteral("Bottom"));
    const auto right = ReadInt(*this, QStringLiteral("Right"));
    if (!top || !left || !bottom || !right || *right <= *left || *bottom <= *top)
        return true;
    const QRect rect(*left, *top, *right - *left, *bottom - *top);
    // A window of fixed size never takes a size other than its own.
    const bool fixedSize = form->minimumSize() == form->maximumSize();
    if (fixedSize && rect.size() != form->size())
        return true;
    QVariant state;
    if (!ReadValue(QStringLiteral("State"), state, vtByte))
        return true;
    form->setWindowState(Qt::WindowNoState);
    form->setGeometry(OnSomeScreen(rect));
    const int stateValue = state.toInt();
    if (stateValue == 2)
        form->setWindowState(Qt::WindowMaximized);
    else if (stateValue == 1)
        form->setWindowState(Qt::WindowMinimized);
    return true;
}

void TCustomRegistry::LoadListViewState(QHeaderView* listView)
{
    if (!listView)
        return;
    const int count = listView->count();
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("Columnwidth") + QString::number(i);
        try {
            if (ValueExists(name))
                listView->resizeSection(i, std::max(0, ReadInteger(name)));
        } catch (const ERegistryException&) {
            // a width of the wrong type keeps the design width
        }
    }
    QByteArray order;
    try {
        if (ValueExists(QStringLiteral("Columnorder")))
            order = ReadBinaryData(QStringLiteral("Columnorder"), 4 * count);
    } catch (const ERegistryException&) {
        order.clear();
    }
    if (order.size() == 4 * count) {
        QList<int> logical;
        for (int position = 0; position < count; ++position)
            logical.append(qFromLittleEndian<qint32>(order.constData() + 4 * position));
        QList<int> sorted = logical;
        std::sort(sorted.begin(), sorted.end());
        bool permutation = true;
        for (int i = 0; i < count; ++i)
            permutation = permutation && sorted[i] == i;
        if (permutation)
            for (int position = 0; position < count; ++position)
                listView->moveSection(listView->visualIndex(logical[position]), position);
    }
    const QString remembered = CurrentPath();
    if (OpenKeyReadOnly(QStringLiteral("Font"))) {
        QFont font = ListViewOf(listView)->font();
        ReadFont(&font);
        ListViewOf(listView)->setFont(font);
        OpenKeyReadOnly(remembered);
    }
}

void TCustomRegistry::SaveListViewState(QHeaderView* listView, bool withFont)
{
    if (!listView)
        return;
    const int count = listView->count();
    for (int i = 0; i < count; ++i)
        WriteInteger(QStringLiteral("Columnwidth") + QString::number(i), listView->sectionSize(i));
    QByteArray order(4 * count, '\0');
    for (int position = 0; position < count; ++position)
        qToLittleEndian<qint32>(listView->logicalIndex(position), order.data() + 4 * position);
    WriteBinaryData(QStringLiteral("Columnorder"), order);
    if (!withFont)
        return;
    const QString remembered = CurrentPath();
    if (OpenKey(QStringLiteral("Font"), true)) {
        const QFont font = ListViewOf(listView)->font();
        WriteFont(&font);
        OpenKey(remembered, true);
    }
}

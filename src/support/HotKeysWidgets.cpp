#include "support/HotKeysWidgets.h"

#include "support/HotKeys.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include <functional>
#include <optional>
#include <vector>

namespace {

struct TCaption {
    QString Text;
    std::function<void(const QString&)> Write;
};

std::optional<TCaption> CaptionOf(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return TCaption{label->text(), [label](const QString& text) { label->setText(text); }};
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return TCaption{button->text(), [button](const QString& text) { button->setText(text); }};
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return TCaption{group->title(), [group](const QString& text) { group->setTitle(text); }};
    return std::nullopt;
}

// A menu item's text may end in a tab and the shortcut shown beside it.
std::optional<TCaption> CaptionOf(QAction* action)
{
    if (action == nullptr || action->isSeparator())
        return std::nullopt;
    const QString text = action->text();
    const qsizetype tab = text.indexOf(u'\t');
    const QString shortcut = tab < 0 ? QString() : text.mid(tab);
    const auto write = [action, shortcut](const QString& caption) {
        action->setText(caption + shortcut);
    };
    return TCaption{text.left(tab < 0 ? text.size() : tab), write};
}

void AssignAll(const std::vector<TCaption>& captions)
{
    QStringList texts;
    for (const TCaption& caption : captions)
        texts.append(caption.Text);
    const QStringList marked = AssignHotKeys(texts);
    for (std::size_t i = 0; i < captions.size(); ++i)
        captions[i].Write(marked[static_cast<qsizetype>(i)]);
}

} // namespace

void AssignHotKeys(const QList<QWidget*>& controls)
{
    std::vector<TCaption> captions;
    for (QWidget* control : controls)
        if (std::optional<TCaption> caption = CaptionOf(control))
            captions.push_back(std::move(*caption));
    AssignAll(captions);
}

void AssignHotKeys(const QList<QAction*>& actions)
{
    std::vector<TCaption> captions;
    for (QAction* action : actions)
        if (std::optional<TCaption> caption = CaptionOf(action))
            captions.push_back(std::move(*caption));
    AssignAll(captions);
}

void AssignHotKeys(QMenu* menu)
{
    if (menu != nullptr)
        AssignHotKeys(menu->actions());
}

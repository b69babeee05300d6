#include "settings/HistoryComboBox.h"

#include "settings/HistoryStringlist.h"
#include "settings/RegFunc.h"

#include <QSignalBlocker>

#include <optional>

namespace {

const QString CurrentValueName = QStringLiteral("Current");

} // namespace

// The box's items follow every change of the list, even a silent one: the drop-down must
// never show a list other than the one that is saved.
class THistoryComboBox::THistoryList final : public THistoryStringlist {
public:
    explicit THistoryList(THistoryComboBox& box)
        : m_Box(box)
    {
        OnAdding = [this](THistoryStringlist&, const QString& text, bool& reject) {
            if (m_Box.OnHistoryListAdding)
                m_Box.OnHistoryListAdding(m_Box, text, reject);
        };
    }

protected:
    void Changed() override
    {
        if (UpdateCount() == 0)
            m_Box.CopyHistoryToItems();
        THistoryStringlist::Changed();
    }

private:
    THistoryComboBox& m_Box;
};

THistoryComboBox::THistoryComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_History(std::make_unique<THistoryList>(*this))
{
    setEditable(true);
    // Entered texts reach the items only through the history.
    setInsertPolicy(QComboBox::NoInsert);
}

THistoryComboBox::~THistoryComboBox() = default;

THistoryStringlist& THistoryComboBox::History()
{
    return *m_History;
}

const THistoryStringlist& THistoryComboBox::History() const
{
    return *m_History;
}

int THistoryComboBox::MaxCount() const
{
    return m_History->MaxCount();
}

void THistoryComboBox::SetMaxCount(int maxCount)
{
    m_History->SetMaxCount(maxCount);
}

int THistoryComboBox::AddText()
{
    return m_History->AddHistory(currentText());
}

void THistoryComboBox::CopyHistoryToItems()
{
    // Refilling the items would replace the text being edited; it stays as it was.
    const QString text = currentText();
    const QSignalBlocker blocker(this);
    clear();
    addItems(m_History->Strings());
    setCurrentIndex(findText(text));
    setEditText(text);
}

void THistoryComboBox::LoadFromRegistry(TApplicationReg& store, const QString& key)
{
    m_History->LoadFromRegistry(store, key);
    if (!store.OpenAppKey(AppRootCurrentUser, key, false))
        return;
    std::optional<QString> current;
    try {
        if (store.ValueExists(CurrentValueName))
            current = store.ReadString(CurrentValueName);
    } catch (const ERegistryException&) {
        // A value of another type leaves the text as it is.
    }
    store.CloseKey();
    if (current)
        setEditText(*current);
}

bool THistoryComboBox::SaveToRegistry(TApplicationReg& store, const QString& key)
{
    if (!m_History->SaveToRegistry(store, key) || !store.OpenAppKey(AppRootCurrentUser, key, true))
        return false;
    bool written = true;
    try {
        store.WriteString(CurrentValueName, currentText());
    } catch (const ERegistryException&) {
        written = false;
    }
    store.CloseKey();
    return written;
}

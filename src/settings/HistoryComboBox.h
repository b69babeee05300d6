#pragma once

#include <QComboBox>
#include <QString>

#include <functional>
#include <memory>

class TApplicationReg;
class THistoryStringlist;

// An editable combo box whose drop-down list always shows its history list, the most recent
// text first. The text in the box is stored beside the list as "Current".
class THistoryComboBox : public QComboBox {
    Q_OBJECT

public:
    using TAddingEvent = std::function<void(THistoryComboBox& sender, const QString& text, bool& reject)>;

    explicit THistoryComboBox(QWidget* parent = nullptr);
    ~THistoryComboBox() override;

    // May reject a text before it enters the history.
    TAddingEvent OnHistoryListAdding;

    THistoryStringlist& History();
    const THistoryStringlist& History() const;
    int MaxCount() const;
    void SetMaxCount(int maxCount);

    // Puts the box's current text in front of the history: 0, or -1 when it was not taken.
    int AddText();

    void LoadFromRegistry(TApplicationReg& store, const QString& key);
    bool SaveToRegistry(TApplicationReg& store, const QString& key);

private:
    class THistoryList;
    friend class THistoryList;

    void CopyHistoryToItems();

    std::unique_ptr<THistoryList> m_History;
};

#pragma once

#include <QDialog>

#include <functional>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QTreeView;

// Picks a folder from a tree of the file system, with a prompt above it and, when wanted, a
// status line that a check of the selected folder fills; the check also decides whether OK
// may be pressed.
class TFolderBrowser : public QDialog {
    Q_OBJECT
public:
    using TCheck = std::function<void(const QString& directory, QString& message, bool& accepted)>;

    explicit TFolderBrowser(QWidget* parent = nullptr);

    void SetPrompt(const QString& prompt);
    // Shows the status line with its first text.
    void SetStatus(const QString& text);
    void SetCheck(TCheck check) { m_Check = std::move(check); }
    // Selects the folder and shows it.
    void SetDirectory(const QString& directory);
    QString Directory() const;

private:
    void FolderSelected();

    QLabel* m_Prompt;
    QTreeView* m_Tree;
    QFileSystemModel* m_Model;
    QLabel* m_Status;
    QDialogButtonBox* m_Buttons;
    TCheck m_Check;
};

#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class FormChooseDir;
}

// Asks for a folder, typed or picked in a folder browser whose selection a caller's check
// judges as the user moves through the folders.
class TFormChooseDir : public QDialog {
    Q_OBJECT
public:
    using TValidation = std::function<void(const QString& directory, QString& message, bool& accepted)>;

    explicit TFormChooseDir(QWidget* parent = nullptr);
    ~TFormChooseDir() override;

    QString GetDirectory() const;
    void SetDirectory(const QString& directory);
    // An empty function detaches the check.
    void SetValidation(TValidation validation) { m_Validation = std::move(validation); }
    void SetStatusMessage(const QString& message) { m_StatusMessage = message; }
    void SetBrowserPrompt(const QString& prompt) { m_BrowserPrompt = prompt; }
    void SetAllowEmpty(bool allowEmpty) { m_AllowEmpty = allowEmpty; }
    bool Accepted() const { return m_Accepted; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ButtonBrowseClick();
    void ButtonOKCheck();

    std::unique_ptr<Ui::FormChooseDir> m_Ui;
    TValidation m_Validation;
    QString m_StatusMessage;
    QString m_BrowserPrompt;
    bool m_Accepted = true;
    bool m_AllowEmpty = false;
};

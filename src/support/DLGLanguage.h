#pragma once

#include "support/LanguageChoices.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class DLGLanguage;
}

// Lists the language and country pairs that the language files of a folder offer and lets the
// user choose one, or another folder.
class TDLGLanguage : public QDialog {
    Q_OBJECT
public:
    explicit TDLGLanguage(QWidget* parent = nullptr);
    ~TDLGLanguage() override;

    // Shows the dialog for the pair (full or program-relative names) and the language-file
    // prefix. True when the user confirmed a pair other than the given one, which then holds it.
    static bool Execute(TLanguagePair& pair, const QString& prefix);
    // The dialog Execute uses while one exists; otherwise it makes one for the call.
    static TDLGLanguage* Instance();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SetName(int which, const QString& fileName);
    QString SearchDirectory() const;
    QString ChosenName(int which) const;
    void ListChoices();
    void ListBox1Click();
    void ListBox1DblClick();
    void ButtonChangeClick();

    std::unique_ptr<Ui::DLGLanguage> m_Ui;
    TLanguagePair m_Names; // without their folder
    QString m_Prefix;
    std::vector<TLanguageChoice> m_Choices;
};

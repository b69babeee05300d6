#pragma once

#include "settings/Version.h"

#include <QDialog>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QUrl;

namespace Ui {
class AboutDLGForm;
}

// The about box: program name and version, the application's icon, a picture, the maker's
// information lines, the rights-holder line and a button to the maker's web page.
class TAboutDLGForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDLGForm(QWidget* parent = nullptr);
    ~TAboutDLGForm() override;

private:
    friend class TAboutDLG;

    // Fixed at the design size, or larger where the texts need it.
    void FitToTexts();
    void StartInternetButtonClick();

    std::unique_ptr<Ui::AboutDLGForm> m_Ui;
    QString m_WebAddress;
};

// Configures and shows the about box. The main window owns one; the box is built on the
// first Execute and kept for later ones.
class TAboutDLG : public QObject {
    Q_OBJECT
public:
    using TUrlOpener = std::function<void(const QUrl&)>;

    explicit TAboutDLG(QObject* parent = nullptr);
    ~TAboutDLG() override;

    // The maker's information lines.
    const QStringList& AdditionalInfos() const { return m_AdditionalInfos; }
    void SetAdditionalInfos(const QStringList& lines) { m_AdditionalInfos = lines; }
    // The rights-holder line; empty keeps the box's own.
    const QString& Copyright() const { return m_Copyright; }
    void SetCopyright(const QString& text) { m_Copyright = text; }
    const QPixmap& Picture() const { return m_Picture; }
    void SetPicture(const QPixmap& picture) { m_Picture = picture; }
    // Without an address the box has no web button.
    const QString& WebAddress() const { return m_WebAddress; }
    void SetWebAddress(const QString& address) { m_WebAddress = address; }
    // The configured name, else the application's.
    QString ProgramName() const;
    void SetProgramName(const QString& name) { m_ProgramName = name; }
    TVersionParts ShowVersion() const { return m_ShowVersion; }
    void SetShowVersion(TVersionParts parts) { m_ShowVersion = parts; }

    // Shows the box modally; always true.
    bool Execute();

    // Replaces the desktop's handler for opening the web address (tests); an empty function
    // restores it. Returns the one used so far.
    static TUrlOpener SetUrlOpener(TUrlOpener opener);

private:
    void CreateForm();

    QPointer<TAboutDLGForm> m_Form;
    QStringList m_AdditionalInfos;
    QString m_Copyright;
    QPixmap m_Picture;
    QString m_WebAddress;
    QString m_ProgramName;
    TVersionParts m_ShowVersion = vpMajor | vpMinor;
};

#include "support/About.h"

#include "ui_About.h"

#include "support/GlyphButtons.h"
#include "support/HotKeysWidgets.h"
#include "support/NLS.h"

#include <QApplication>
#include <QDesktopServices>
#include <QStyle>
#include <QUrl>

#include <utility>

namespace {

constexpr QSize DesignSize(390, 385);
constexpr int IconSize = 48;
// The picture shrinks to fit below the version; a larger one would push the texts away.
constexpr QSize PictureSize(340, 96);

TAboutDLG::TUrlOpener& UrlOpener()
{
    static TAboutDLG::TUrlOpener opener;
    return opener;
}

void OpenUrl(const QUrl& url)
{
    if (UrlOpener())
        UrlOpener()(url);
    else
        QDesktopServices::openUrl(url);
}

// A program without an icon of its own still shows one.
QPixmap ApplicationIcon(const QWidget& form)
{
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = form.style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, &form);
    return icon.pixmap(QSize(IconSize, IconSize), form.devicePixelRatioF());
}

} // namespace

TAboutDLGForm::TAboutDLGForm(QWidget* parent)
    : QDialog(parent)
    , m_Ui(std::make_unique<Ui::AboutDLGForm>())
{
    m_Ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    QFont large = m_Ui->ProgramNameLabel->font();
    large.setPointSizeF(large.pointSizeF() * 1.8);
    large.setBold(true);
    m_Ui->ProgramNameLabel->setFont(large);
    QPalette faceColoured = m_Ui->Memo1->palette();
    faceColoured.setColor(QPalette::Base, faceColoured.color(QPalette::Window));
    m_Ui->Memo1->setPalette(faceColoured);
    SetGlyph(m_Ui->CloseButton, TGlyphKind::Close);
    SetGlyph(m_Ui->StartInternetButton, TGlyphKind::Web);
    m_Ui->CloseButton->setFocus();

    connect(m_Ui->CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_Ui->StartInternetButton, &QPushButton::clicked, this, &TAboutDLGForm::StartInternetButtonClick);
}

TAboutDLGForm::~TAboutDLGForm() = default;

void TAboutDLGForm::FitToTexts()
{
    layout()->activate();
    setFixedSize(minimumSizeHint().expandedTo(DesignSize));
}

void TAboutDLGForm::StartInternetButtonClick()
{
    const QUrl url = QUrl::fromUserInput(m_WebAddress);
    if (url.isValid())
        OpenUrl(url);
}

TAboutDLG::TAboutDLG(QObject* parent)
    : QObject(parent)
{
}

// The form may belong to the main window too; whichever goes first, it is deleted once.
TAboutDLG::~TAboutDLG()
{
    delete m_Form.data();
}

QString TAboutDLG::ProgramName() const
{
    return m_ProgramName.isEmpty() ? QGuiApplication::applicationDisplayName() : m_ProgramName;
}

bool TAboutDLG::Execute()
{
    if (!m_Form)
        CreateForm();
    m_Form->exec();
    return true;
}

TAboutDLG::TUrlOpener TAboutDLG::SetUrlOpener(TUrlOpener opener)
{
    return std::exchange(UrlOpener(), std::move(opener));
}

void TAboutDLG::CreateForm()
{
    auto* owner = qobject_cast<QWidget*>(parent());
    m_Form = new TAboutDLGForm(owner ? owner->window() : nullptr);
    TAboutDLGForm& form = *m_Form;
    Ui::AboutDLGForm& ui = *form.m_Ui;
    const QString name = ProgramName();
    form.setWindowTitle(FirstCharUpper(LanguageText(0x5099D105, form.windowTitle())) + u' ' + name);
    ui.ProgramNameLabel->setText(name);

    ui.Image2->setPixmap(ApplicationIcon(form));
    if (m_Picture.isNull()) {
        ui.Image1->hide();
    } else {
        const bool fits = m_Picture.width() <= PictureSize.width() && m_Picture.height() <= PictureSize.height();
        ui.Image1->setPixmap(fits ? m_Picture : m_Picture.scaled(PictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    ui.VersionLabel1->SetShowVersion(m_ShowVersion);
    if (!m_Copyright.isEmpty())
        ui.CopyrightLabel->setText(m_Copyright);
    ui.Memo1->setPlainText(m_AdditionalInfos.join(u'\n'));
    ui.CloseButton->setText(FirstCharUpper(LanguageText(0x09938DDC, ui.CloseButton->text())));

    QPushButton* web = ui.StartInternetButton;
    if (m_WebAddress.isEmpty()) {
        web->hide();
    } else {
        web->setToolTip(FirstCharUpper(LanguageText(0x6E69007E, web->toolTip())) + u' ' + m_WebAddress);
        form.m_WebAddress = m_WebAddress;
    }
    AssignHotKeys(QList<QWidget*>{ui.CloseButton, web});
    form.FitToTexts();
}

#include "app/FormAskForAutoStart.h"

#include "ui_FormAskForAutoStart.h"

#include "support/GlyphButtons.h"
#include "support/NLS.h"


TFormAskForAutoStart::TFormAskForAutoStart(QWidget* parent)
    : QDialog(parent)
    , m_Ui(std::make_unique<Ui::FormAskForAutoStart>())
{
    m_Ui->setupUi(this);
    setWindowTitle(LanguageText(0x239F887A, windowTitle()));
    m_Ui->Label1->setText(LanguageText(0x223F870B, m_Ui->Label1->text()));
    m_Ui->CheckBox1->setText(LanguageText(0x3F3698C1, m_Ui->CheckBox1->text()));
    m_Ui->ButtonYes->setText(FirstCharUpper(LanguageText(0x1FB46A0E, m_Ui->ButtonYes->text())));
    m_Ui->ButtonNo->setText(FirstCharUpper(LanguageText(0x7B2A82F2, m_Ui->ButtonNo->text())));
    SetGlyph(m_Ui->ButtonYes, TGlyphKind::Yes);
    SetGlyph(m_Ui->ButtonNo, TGlyphKind::No);
    setMinimumWidth(width());
    connect(m_Ui->ButtonYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_Ui->ButtonNo, &QPushButton::clicked, this, [this] { done(NoResult); });
}

TFormAskForAutoStart::~TFormAskForAutoStart() = default;

TAutoStartReply TFormAskForAutoStart::Ask()
{
    const int result = exec();
    return {result == QDialog::Accepted, m_Ui->CheckBox1->isChecked()};
}

#include "components/uDBEdit.h"

#include "components/MemTable.h"
#include "components/uBip.h"
#include "components/uCaractereCampo.h"
#include "components/uExecucaoProtegida.h"
#include "components/uFieldDataLink.h"
#include "components/uFoco.h"
#include "components/uMenuContexto.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

namespace {

constexpr ushort Backspace = 8;
constexpr ushort Enter = 13;
constexpr ushort Colagem = 22;
constexpr ushort Recorte = 24;
constexpr ushort Escape = 27;

} // namespace

TDBEdit::TDBEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_link(new TFieldDataLink(this))
{
    // Dropped text would go in past the control's rules.
    setAcceptDrops(false);
    connect(m_link, &TFieldDataLink::dataChange, this, &TDBEdit::MostrarCampo);
    connect(m_link, &TFieldDataLink::editingChange, this, &TDBEdit::MostrarCampo);
    connect(m_link, &TFieldDataLink::activeChange, this, &TDBEdit::AoReligar);
    connect(m_link, &TFieldDataLink::updateData, this, &TDBEdit::GravarCampo);
    connect(this, &QLineEdit::textEdited, this, &TDBEdit::MarcarAlterado);
    AoReligar();
}

TDBEdit::~TDBEdit() = default;

TDataSource *TDBEdit::DataSource() const
{
    return m_link->DataSource();
}

void TDBEdit::SetDataSource(TDataSource *fonte)
{
    m_link->SetDataSource(fonte);
}

const QString &TDBEdit::DataField() const
{
    return m_link->FieldName();
}

void TDBEdit::SetDataField(const QString &nome)
{
    m_link->SetFieldName(nome);
}

TField *TDBEdit::Field() const
{
    return m_link->Field();
}

bool TDBEdit::ReadOnly() const
{
    return m_link->ReadOnly();
}

void TDBEdit::SetReadOnly(bool somenteLeitura)
{
    m_link->SetReadOnly(somenteLeitura);
    MostrarCampo();
}

bool TDBEdit::IniciarEdicao()
{
    bool editando = false;
    ExecutarProtegido([&] { editando = m_link->Edit(); });
    return editando;
}

void TDBEdit::MarcarAlterado()
{
    m_link->Modified(true);
}

QChar TDBEdit::CaractereDaTecla(const QKeyEvent &tecla)
{
    switch (tecla.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(Enter);
    case Qt::Key_Escape:
        return QChar(Escape);
    case Qt::Key_Backspace:
        return QChar(Backspace);
    default:
        break;
    }
    if (tecla.matches(QKeySequence::Paste))
        return QChar(Colagem);
    if (tecla.matches(QKeySequence::Cut))
        return QChar(Recorte);
    const QString texto = tecla.text();
    const bool atalho = tecla.modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (texto.isEmpty() || texto.at(0) < u' ' || atalho)
        return {};
    return texto.at(0);
}

QChar TDBEdit::FiltrarCaractere(QChar caractere)
{
    return caractere;
}

bool TDBEdit::PermiteAlterar()
{
    return true;
}

void TDBEdit::Colar()
{
    if (IniciarEdicao())
        paste();
}

void TDBEdit::AntesDeGravar() { }

void TDBEdit::keyPressEvent(QKeyEvent *event)
{
    const bool apaga = event->key() == Qt::Key_Delete && !event->matches(QKeySequence::Cut);
    if (apaga || event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        if (PermiteAlterar() && IniciarEdicao())
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    const QChar digitado = CaractereDaTecla(*event);
    if (digitado.isNull()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const QChar caractere = FiltrarCaractere(digitado);
    if (caractere.isNull())
        return;
    if (caractere >= u' ' && Field() && !CampoAceitaCaractere(*Field(), caractere)) {
        Bip();
        return;
    }
    switch (caractere.unicode()) {
    case Escape:
        // The field's own text again; the window still sees the key.
        m_link->Modified(false);
        MostrarCampo();
        selectAll();
        event->ignore();
        return;
    case Colagem:
        if (IniciarEdicao())
            Colar();
        return;
    case Recorte:
        AlterarCom(&QLineEdit::cut);
        return;
    case Enter:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    if (IniciarEdicao())
        EntregarCaractere(event, caractere);
}

void TDBEdit::EntregarCaractere(QKeyEvent *event, QChar caractere)
{
    if (event->text().startsWith(caractere)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent substituto(QEvent::KeyPress, event->key(), event->modifiers(), QString(caractere));
    QLineEdit::keyPressEvent(&substituto);
}

void TDBEdit::AlterarCom(void (QLineEdit::*alteracao)())
{
    if (PermiteAlterar() && IniciarEdicao())
        (this->*alteracao)();
}

void TDBEdit::focusInEvent(QFocusEvent *event)
{
    m_focado = true;
    MostrarCampo();
    QLineEdit::focusInEvent(event);
}

void TDBEdit::focusOutEvent(QFocusEvent *event)
{
    if (FocoApenasEmprestado(event->reason())) {
        QLineEdit::focusOutEvent(event);
        return;
    }
    AntesDeGravar();
    if (!ExecutarProtegido([&] { m_link->UpdateRecord(); })) {
        QLineEdit::focusOutEvent(event);
        setFocus();
        selectAll();
        return;
    }
    m_focado = false;
    MostrarCampo();
    QLineEdit::focusOutEvent(event);
    if (OnExit && !ExecutarProtegido([&] { OnExit(*this); }))
        setFocus();
}

void TDBEdit::contextMenuEvent(QContextMenuEvent *event)
{
    // The menu's changes go through the same permission and edit state as the keys.
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    Reencaminhar(*menu, "edit-undo", this, [this] { AlterarCom(&QLineEdit::undo); });
    Reencaminhar(*menu, "edit-redo", this, [this] { AlterarCom(&QLineEdit::redo); });
    Reencaminhar(*menu, "edit-cut", this, [this] { AlterarCom(&QLineEdit::cut); });
    Reencaminhar(*menu, "edit-paste", this, [this] { Colar(); });
    Reencaminhar(*menu, "edit-delete", this, [this] { AlterarCom(&QLineEdit::del); });
    menu->exec(event->globalPos());
}

void TDBEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button would paste the selection past the control's rules.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TDBEdit::MostrarCampo()
{
    setReadOnly(!m_link->CanModify());
    // A text still waiting to be written stays as typed.
    if (m_link->Modified())
        return;
    QString texto;
    if (const TField *campo = Field())
        texto = m_focado && m_link->CanModify() ? campo->Text() : campo->DisplayText();
    // Setting the same text again would lose the caret and the selection.
    if (texto != text())
        setText(texto);
}

void TDBEdit::AoReligar()
{
    const TField *campo = Field();
    const bool texto = campo && campo->DataType() == ftString && campo->Size() > 0;
    setMaxLength(texto ? campo->Size() : 32767);
    MostrarCampo();
}

void TDBEdit::GravarCampo()
{
    if (TField *campo = Field())
        campo->SetText(text());
}

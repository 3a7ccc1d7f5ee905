#include "components/vrtDBMemo.h"

#include "components/MemTable.h"
#include "components/uExecucaoProtegida.h"
#include "components/uFoco.h"
#include "components/uMenuContexto.h"
#include "components/vrtProcuraSubstitui.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QTextCursor>

#include <functional>
#include <memory>

namespace {

enum TAtalhoProcura { apNenhum, apLocalizar, apSubstituir, apProxima };

// Ctrl+L, Ctrl+U (whatever other shift keys are held with Ctrl) and F3.
TAtalhoProcura AtalhoDeProcura(const QKeyEvent *evento)
{
    const bool ctrl = evento->modifiers().testFlag(Qt::ControlModifier);
    if (ctrl && evento->key() == Qt::Key_L)
        return apLocalizar;
    if (ctrl && evento->key() == Qt::Key_U)
        return apSubstituir;
    if (evento->key() == Qt::Key_F3)
        return apProxima;
    return apNenhum;
}

// Keys that would change the text: characters (Enter included), deletions and the clipboard
// and undo commands.
bool AlteraTexto(const QKeyEvent *evento)
{
    static const QKeySequence::StandardKey comandos[] = {QKeySequence::Cut, QKeySequence::Paste,
        QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Delete, QKeySequence::Backspace,
        QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine};
    for (QKeySequence::StandardKey comando : comandos) {
        if (evento->matches(comando))
            return true;
    }
    switch (evento->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        break;
    }
    const QString texto = evento->text();
    return !texto.isEmpty() && texto.at(0).isPrint();
}

} // namespace

TVrtDBMemo::TVrtDBMemo(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    connect(&m_link, &TFieldDataLink::dataChange, this, &TVrtDBMemo::CarregarTexto);
    connect(&m_link, &TFieldDataLink::editingChange, this, &TVrtDBMemo::AtualizarSomenteLeitura);
    connect(&m_link, &TFieldDataLink::activeChange, this, &TVrtDBMemo::AtualizarSomenteLeitura);
    connect(&m_link, &TFieldDataLink::updateData, this, &TVrtDBMemo::GravarCampo);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_carregando && Vinculado())
            m_link.Modified(true);
    });
}

TVrtDBMemo::~TVrtDBMemo() = default;

void TVrtDBMemo::SetDataSource(TDataSource *fonte)
{
    m_link.SetDataSource(fonte);
}

void TVrtDBMemo::SetDataField(const QString &nome)
{
    m_link.SetFieldName(nome);
}

void TVrtDBMemo::SetReadOnly(bool somenteLeitura)
{
    m_link.SetReadOnly(somenteLeitura);
    AtualizarSomenteLeitura();
}

bool TVrtDBMemo::SomenteLeitura() const
{
    return ReadOnly() || (Vinculado() && !m_link.CanModify());
}

void TVrtDBMemo::ConfigurarSomenteExibicao()
{
    SetReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    QPalette cores = palette();
    cores.setColor(QPalette::Base, cores.color(QPalette::Window));
    setPalette(cores);
    setFocusPolicy(Qt::ClickFocus);
}

bool TVrtDBMemo::PodeAlterar()
{
    bool pode = false;
    ExecutarProtegido([&] {
        if (PermiteAlteracao())
            pode = Vinculado() ? m_link.Edit() : !ReadOnly();
    });
    return pode;
}

void TVrtDBMemo::SubstituirSelecao(const QString &texto)
{
    if (TField *campo = Field()) {
        TMemoryTable &tabela = campo->DataSet();
        if (!tabela.Editando())
            tabela.Edit();
    }
    QTextCursor cursor = textCursor();
    cursor.insertText(texto);
    setTextCursor(cursor);
    if (Field())
        GravarCampo();
}

bool TVrtDBMemo::event(QEvent *evento)
{
    if (m_permissao.TratarEvento(evento))
        return true;
    if (evento->type() == QEvent::ShortcutOverride && m_procuraDlg
        && AtalhoDeProcura(static_cast<QKeyEvent *>(evento)) != apNenhum) {
        // The memo's own keys win over window shortcuts.
        evento->accept();
        return true;
    }
    return QPlainTextEdit::event(evento);
}

void TVrtDBMemo::keyPressEvent(QKeyEvent *evento)
{
    if (m_procuraDlg) {
        switch (AtalhoDeProcura(evento)) {
        case apLocalizar:
            m_procuraDlg->AbrirProcura(mpLocalizar, this);
            return;
        case apSubstituir:
            if (!SomenteLeitura())
                m_procuraDlg->AbrirProcura(mpSubstituir, this);
            return;
        case apProxima:
            m_procuraDlg->ProcurarProxima(this);
            return;
        case apNenhum:
            break;
        }
    }
    if (AlteraTexto(evento) && !PodeAlterar()) {
        evento->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(evento);
}

void TVrtDBMemo::mousePressEvent(QMouseEvent *evento)
{
    if (evento->button() == Qt::RightButton && m_procuraDlg) {
        setFocus(Qt::MouseFocusReason);
        m_procuraDlg->MostrarMenu(this);
        evento->accept();
        return;
    }
    QPlainTextEdit::mousePressEvent(evento);
}

void TVrtDBMemo::contextMenuEvent(QContextMenuEvent *evento)
{
    if (!m_procuraDlg) {
        MostrarMenuPadrao(*evento);
        return;
    }
    // A right click has opened the menu already; the menu key opens it here.
    if (evento->reason() != QContextMenuEvent::Mouse)
        m_procuraDlg->MostrarMenu(this);
    evento->accept();
}

void TVrtDBMemo::MostrarMenuPadrao(const QContextMenuEvent &evento)
{
    // The menu's changes go through the same permission and edit state as the keys; its paste
    // already does, through insertFromMimeData.
    const std::unique_ptr<QMenu> menu(createStandardContextMenu(evento.pos()));
    const auto alterando = [this](const std::function<void()> &alteracao) {
        return [this, alteracao] {
            if (PodeAlterar())
                alteracao();
        };
    };
    Reencaminhar(*menu, "edit-undo", this, alterando([this] { undo(); }));
    Reencaminhar(*menu, "edit-redo", this, alterando([this] { redo(); }));
    Reencaminhar(*menu, "edit-cut", this, alterando([this] { cut(); }));
    Reencaminhar(
        *menu, "edit-delete", this, alterando([this] { textCursor().removeSelectedText(); }));
    menu->exec(evento.globalPos());
}

void TVrtDBMemo::focusInEvent(QFocusEvent *evento)
{
    m_permissao.AoReceberFoco(evento->reason());
    AtualizarSomenteLeitura();
    QPlainTextEdit::focusInEvent(evento);
}

void TVrtDBMemo::focusOutEvent(QFocusEvent *evento)
{
    QPlainTextEdit::focusOutEvent(evento);
    // A text the field refuses keeps the focus here, to be corrected.
    if (!FocoApenasEmprestado(evento->reason())
        && !ExecutarProtegido([this] { m_link.UpdateRecord(); }))
        setFocus();
}

void TVrtDBMemo::insertFromMimeData(const QMimeData *origem)
{
    if (PodeAlterar())
        QPlainTextEdit::insertFromMimeData(origem);
}

void TVrtDBMemo::CarregarTexto()
{
    const TField *campo = Field();
    const QString texto = campo ? campo->AsString() : QString();
    // The memo's own text coming back from the field keeps its caret and its undo steps.
    if (texto != toPlainText()) {
        QScopedValueRollback<bool> carregando(m_carregando, true);
        setPlainText(texto);
    }
    AtualizarSomenteLeitura();
}

void TVrtDBMemo::GravarCampo()
{
    if (TField *campo = Field())
        campo->SetAsString(toPlainText());
    m_link.Modified(false);
}

void TVrtDBMemo::AtualizarSomenteLeitura()
{
    QPlainTextEdit::setReadOnly(SomenteLeitura());
}

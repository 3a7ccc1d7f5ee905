#pragma once

// The multi-line data-bound text: shows and edits one memo field of a data source's current
// row, asks OnBeforeChange before the first change after it receives the focus, and, linked to
// a TVrtProcuraDlg, offers a context menu with find and replace and the keys Ctrl+L, Ctrl+U and
// F3. Unbound, it is a plain memo.

#include "components/uAlteracaoLiberada.h"
#include "components/uFieldDataLink.h"
#include "components/vrtProcuraSubstitui.h"

#include <QPlainTextEdit>
#include <QPointer>

class TDataSource;
class TField;

class TVrtDBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TVrtDBMemo(QWidget *parent = nullptr);
    ~TVrtDBMemo() override;

    TDataSource *DataSource() const { return m_link.DataSource(); }
    void SetDataSource(TDataSource *fonte);
    const QString &DataField() const { return m_link.FieldName(); }
    void SetDataField(const QString &nome);
    TField *Field() const { return m_link.Field(); }

    // The memo's own read-only setting.
    bool ReadOnly() const { return m_link.ReadOnly(); }
    void SetReadOnly(bool somenteLeitura);
    // Read-only now: by its setting or, when bound, because its field cannot be modified.
    bool SomenteLeitura() const;

    // The find/replace component serving this memo; null once that component is destroyed.
    TVrtProcuraDlg *ProcuraDlg() const { return m_procuraDlg; }
    void SetProcuraDlg(TVrtProcuraDlg *procura) { m_procuraDlg = procura; }

    // Asked before the first change after the memo receives the focus, and before the find
    // or replace window opens.
    TvrtBeforeChangeEvent &OnBeforeChange() { return m_permissao.OnBeforeChange; }
    bool AlteracaoLiberada() const { return m_permissao.AlteracaoLiberada(); }
    bool PermiteAlteracao() { return m_permissao.PermiteAlteracao(this); }

    // The look of a long text on a details window: read-only, borderless, in the window's face
    // colour, reached by click but not by Tab.
    void ConfigurarSomenteExibicao();

    // A change from a key or a command (cut, paste, delete, undo): allowed by OnBeforeChange
    // and, when bound, with the row put into edit; a handler that raises refuses it. Answers
    // whether the change may go ahead.
    bool PodeAlterar();
    // Replaces the selection by a text; a bound memo puts its row into edit first and then
    // stores its whole text in the field, without posting. Errors of the table pass on.
    void SubstituirSelecao(const QString &texto);

protected:
    bool event(QEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;
    void contextMenuEvent(QContextMenuEvent *evento) override;
    void focusInEvent(QFocusEvent *evento) override;
    void focusOutEvent(QFocusEvent *evento) override;
    void insertFromMimeData(const QMimeData *origem) override;

private:
    bool Vinculado() const { return m_link.DataSource() != nullptr; }
    void CarregarTexto();
    void GravarCampo();
    void AtualizarSomenteLeitura();
    // The toolkit's own menu, for a memo without a find component.
    void MostrarMenuPadrao(const QContextMenuEvent &evento);

    QPointer<TVrtProcuraDlg> m_procuraDlg;
    TPermissaoAlteracao m_permissao;
    bool m_carregando = false;
    // Declared last, so that it goes first and notifies nothing half-destroyed.
    TFieldDataLink m_link;
};

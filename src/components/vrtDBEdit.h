#pragma once

// The data edit of the component library: Enter moves on to the next control, and a handler can
// refuse the changes typed into it.

#include "components/uAlteracaoLiberada.h"
#include "components/uDBEdit.h"

class QWidget;

// Enter in a control: inside a grid, the grid takes the focus and moves as with Tab; elsewhere
// the focus goes to the next control in Tab order. Answers true: the Enter has been used.
bool TrataEnter(QWidget *pai, QWidget *controle);

class TVrtDBEdit : public TDBEdit
{
    Q_OBJECT

public:
    explicit TVrtDBEdit(QWidget *parent = nullptr);

    // Asked before the first change after the control receives the focus.
    TvrtBeforeChangeEvent &OnBeforeChange() { return m_permissao.OnBeforeChange; }
    bool AlteracaoLiberada() const { return m_permissao.AlteracaoLiberada(); }
    // Whether a change may be made now; a handler that raises refuses it.
    bool PermiteAlteracao();

protected:
    // Enter moves on; any other character needs the change permission.
    QChar FiltrarCaractere(QChar caractere) override;
    bool PermiteAlterar() override;
    void Colar() override;
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    TPermissaoAlteracao m_permissao;
};

#include "components/uAlteracaoLiberada.h"

#include "components/uFoco.h"

bool TPermissaoAlteracao::PermiteAlteracao(QObject *sender)
{
    if (!m_liberada && OnBeforeChange) {
        bool cancela = false;
        OnBeforeChange(sender, cancela);
        if (cancela)
            return false;
    }
    m_liberada = true;
    return true;
}

void TPermissaoAlteracao::AoReceberFoco(Qt::FocusReason motivo)
{
    if (!FocoApenasEmprestado(motivo))
        m_liberada = false;
}

bool TPermissaoAlteracao::TratarEvento(QEvent *evento)
{
    if (evento->type() != TAlteracaoLiberadaEvent::Tipo)
        return false;
    m_liberada = (static_cast<TAlteracaoLiberadaEvent *>(evento)->WParam & 0xFF) != 0;
    return true;
}

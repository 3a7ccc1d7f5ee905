#include "components/uAlteracaoLiberada.h"

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

bool TPermissaoAlteracao::TratarEvento(QEvent *evento)
{
    if (evento->type() != TAlteracaoLiberadaEvent::Tipo)
        return false;
    m_liberada = (static_cast<TAlteracaoLiberadaEvent *>(evento)->WParam & 0xFF) != 0;
    return true;
}

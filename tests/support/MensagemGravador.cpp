#include "support/MensagemGravador.h"

#include <QStringList>

MensagemGravador::MensagemGravador(QList<int> respostas)
    : m_respostas(std::move(respostas))
{
    m_anterior = InstalarApresentadorMensagens([this](const TMensagem &mensagem) {
        m_mensagens.append(mensagem);
        return m_respostas.isEmpty() ? int(mrOk) : m_respostas.takeFirst();
    });
}

MensagemGravador::~MensagemGravador()
{
    InstalarApresentadorMensagens(std::move(m_anterior));
}

QStringList MensagemGravador::Textos() const
{
    QStringList textos;
    for (const TMensagem &mensagem : m_mensagens)
        textos.append(mensagem.Texto);
    return textos;
}

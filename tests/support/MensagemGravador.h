#pragma once

#include "messages/ExibeMensagens.h"

#include <QList>

// Installs itself as the message presenter for its lifetime, records every message and
// answers each with the next scripted result (mrOk once the script runs out).
class MensagemGravador
{
public:
    explicit MensagemGravador(QList<int> respostas = {});
    ~MensagemGravador();
    MensagemGravador(const MensagemGravador &) = delete;
    MensagemGravador &operator=(const MensagemGravador &) = delete;

    const QList<TMensagem> &Mensagens() const { return m_mensagens; }
    QStringList Textos() const;
    void Responder(QList<int> respostas) { m_respostas = std::move(respostas); }
    void Limpar() { m_mensagens.clear(); }

private:
    QList<TMensagem> m_mensagens;
    QList<int> m_respostas;
    TApresentadorMensagens m_anterior;
};
